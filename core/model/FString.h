#pragma once

#include <string>

class Archive;

// The member file's string layout: a length prefix of 1, 3 or 7 bytes, then the characters.
// Reading also takes the wide form (UTF-16 code units) and converts it to the code page.
// A length beyond the data that is left throws the archive's end-of-file error before anything
// is allocated.
void writeFString(Archive& ar, const std::string& text);
std::string readFString(Archive& ar);
// The same into text, whose buffer is used again where it is large enough.
void readFStringInto(Archive& ar, std::string& text);
// A string to read into that is used again and again on this thread.
std::string& readScratch();
