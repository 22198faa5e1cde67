#pragma once

#include "tolvex7/Tolvex7Export.h"

#include <cstdio>
#include <string>

class Archive;

// String records and record markers: the byte layouts the member file is written in.
//
// A string record is a signed 16-bit length n (the terminating zero included, 0 = absent)
// followed by n bytes. A marker record is the five magic bytes 41 CC 10 00 56 followed by a
// signed 32-bit value. Integers are little-endian.

// The longest string a record holds; longer strings are cut to this many characters.
inline constexpr std::size_t maxStringRecordChars = 32766;

// Writes one string record; a null text writes an absent string. Throws readOnly on a loading
// archive.
TOLVEX7_EXPORT void writeString(Archive& ar, const char* text);

// Reads one string record. *result becomes an array allocated with new[] that the caller
// releases with delete[], or null for an absent string or a failure. Returns 0 on success and
// 1 when the length cannot be read or the body ends early.
TOLVEX7_EXPORT int readString(Archive& ar, char** result);

// The same record read into a std::string. *absent (when given) tells an absent string from
// an empty one; on failure text is emptied, *absent set and 1 returned.
TOLVEX7_EXPORT int readString(Archive& ar, std::string& text, bool* absent = nullptr);

// The same records on a C stream opened in binary mode. Nothing is reported: a stream that
// ends before or inside a record gives an absent string.
TOLVEX7_EXPORT void writeString(std::FILE* stream, const char* text);
TOLVEX7_EXPORT void readString(std::FILE* stream, char** result);

// Writes one marker record carrying value. Throws readOnly on a loading archive.
TOLVEX7_EXPORT void setMarker(Archive& ar, int value);

// Reads one marker record and returns its value, or -1 when fewer than five bytes remain or
// they are not the magic (the five bytes stay consumed). A magic whose value is cut short
// throws endOfFile; a storing archive throws writeOnly.
TOLVEX7_EXPORT int getMarker(Archive& ar);
