#pragma once

#include <QString>

#include <string>
#include <string_view>

// Windows-1252, the single-byte code page every string of the data model is held in.
// The five bytes 1252 leaves undefined map to the C1 controls of the same value, so every byte
// survives a round trip through QString or UTF-8.
namespace CodePage {

QString toQString(std::string_view bytes);
// Characters the code page cannot hold become '?'.
std::string fromQString(const QString& text);

// Whether the code page holds the character.
bool holds(char32_t code);
// Characters the code page cannot hold become their nearest letter ("ı" i, "ł" l, "ş" s,
// "‐" -); what has no near letter becomes '?'. replaced, when given, receives every character
// that was changed, once each, in the order met.
QString toNearest(const QString& text, QString* replaced = nullptr);
std::string fromQStringNearest(const QString& text, QString* replaced = nullptr);

std::string toUtf8(std::string_view bytes);
std::string fromUtf8(std::string_view utf8);
std::string fromUtf16(std::u16string_view utf16);

} // namespace CodePage
