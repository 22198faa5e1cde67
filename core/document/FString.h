#pragma once

#include <string>

class Archive;

// The member file's string layout: a length prefix of 1, 3 or 7 bytes, then the characters.
// Reading also takes the wide form (UTF-16 code units) and converts it to the code page.
// A length beyond the data that is left throws the archive's end-of-file error before anything
// is allocated.
void writeFString(Archive& ar, const std::string& text);
std::string readFString(Archive& ar);
