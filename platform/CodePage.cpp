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

// Letters and signs without a decomposition to a letter of the code page, with the one a
// reader would write instead.
struct Near {
    char32_t code;
    const char* text;
};
constexpr Near kNear[] = {
    {0x0131, "i"},    {0x0130, "I"},  {0x0141, "L"},  {0x0142, "l"},  {0x0110, "D"},
    {0x0111, "d"},    {0x0126, "H"},  {0x0127, "h"},  {0x0166, "T"},  {0x0167, "t"},
    {0x014A, "N"},    {0x014B, "n"},  {0x0138, "k"},  {0x013F, "L"},  {0x0140, "l"},
    {0x0149, "n"},    {0x017F, "s"},  {0x0180, "b"},  {0x0189, "D"},  {0x01A4, "P"},
    {0x0253, "b"},    {0x0256, "d"},  {0x0257, "d"},  {0x0268, "i"},  {0x0269, "i"},
    {0x0259, "e"},    {0x018F, "E"},  {0x0186, "O"},  {0x0254, "o"},  {0x0190, "E"},
    {0x025B, "e"},    {0x1E9E, "SS"}, {0x0132, "IJ"}, {0x0133, "ij"}, {0x2010, "-"},
    {0x2011, "-"},    {0x2012, "-"},  {0x2015, "-"},  {0x2212, "-"},  {0x2043, "-"},
    {0xFE63, "-"},    {0xFF0D, "-"},  {0x2032, "'"},  {0x2033, "\""}, {0x2035, "'"},
    {0x201B, "'"},    {0x201F, "\""}, {0x2000, " "},  {0x2001, " "},  {0x2002, " "},
    {0x2003, " "},    {0x2004, " "},  {0x2005, " "},  {0x2006, " "},  {0x2007, " "},
    {0x2008, " "},    {0x2009, " "},  {0x200A, " "},  {0x202F, " "},  {0x205F, " "},
    {0x3000, " "},    {0x200B, ""},   {0x200C, ""},   {0x200D, ""},   {0x2060, ""},
    {0xFEFF, ""},     {0x2044, "/"},  {0x2215, "/"},  {0x2024, "."},  {0x2027, "."},
    {0x2219, "\xB7"}, {0x2116, "No"}, {0x2190, "<-"}, {0x2192, "->"}, {0x2264, "<="},
    {0x2265, ">="},   {0x2260, "!="}, {0x2248, "~"},  {0x221E, "oo"},
};

// The nearest text for a character the code page lacks: the table, else its compatibility
// decomposition without the marks on it, when everything left is in the code page.
QString nearest(char32_t code) {
    for (const Near& near : kNear)
        if (near.code == code)
            return QString::fromLatin1(near.text);
    const QString decomposed =
        QString::fromUcs4(&code, 1).normalized(QString::NormalizationForm_KD);
    QString letters;
    for (char32_t part : decomposed.toUcs4()) {
        const QChar::Category category = QChar::category(part);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing)
            continue;
        if (fromUnicode(part) == '?' && part != '?')
            return QStringLiteral("?");
        letters += QString::fromUcs4(&part, 1);
    }
    return letters.isEmpty() ? QStringLiteral("?") : letters;
}

} // namespace

namespace CodePage {

bool holds(char32_t code) {
    return code == '?' || fromUnicode(code) != '?';
}

QString toNearest(const QString& text, QString* replaced) {
    bool changes = false;
    for (char32_t code : text.toUcs4())
        if (!holds(code)) {
            changes = true;
            break;
        }
    if (!changes)
        return text;
    QString result;
    result.reserve(text.size());
    for (char32_t code : text.toUcs4()) {
        if (holds(code)) {
            result += QString::fromUcs4(&code, 1);
            continue;
        }
        result += nearest(code);
        const QString original = QString::fromUcs4(&code, 1);
        if (replaced && !replaced->contains(original))
            *replaced += original;
    }
    return result;
}

std::string fromQStringNearest(const QString& text, QString* replaced) {
    return fromQString(toNearest(text, replaced));
}

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
