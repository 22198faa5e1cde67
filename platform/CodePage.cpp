#include "platform/CodePage.h"

#include <QList>

#include <array>

namespace {

// Unicode code points of the bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t toUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHigh[byte - 0x80];
    return byte;
}

char fromUnicode(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == code)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

namespace CodePage {

QString toQString(std::string_view bytes) {
    QString result(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = result.data();
    for (unsigned char b : bytes)
        *out++ = QChar(toUnicode(b));
    return result;
}

std::string fromQString(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t code : text.toUcs4())
        result += fromUnicode(code);
    return result;
}

std::string toUtf8(std::string_view bytes) {
    std::string result;
    result.reserve(bytes.size());
    for (unsigned char b : bytes) {
        char16_t c = toUnicode(b);
        if (c < 0x80) {
            result += static_cast<char>(c);
        } else if (c < 0x800) {
            result += static_cast<char>(0xC0 | (c >> 6));
            result += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            result += static_cast<char>(0xE0 | (c >> 12));
            result += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return result;
}

std::string fromUtf8(std::string_view utf8) {
    return fromQString(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string fromUtf16(std::u16string_view utf16) {
    return fromQString(QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size())));
}

} // namespace CodePage
