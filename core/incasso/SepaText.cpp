#include "core/incasso/SepaText.h"

#include "platform/CodePage.h"

#include <algorithm>

namespace {

bool plainInSet(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
        return true;
    switch (c) {
    case u'/':
    case u'-':
    case u'?':
    case u':':
    case u'(':
    case u')':
    case u'.':
    case u',':
    case u'\'':
    case u'+':
    case u' ':
        return true;
    default:
        return false;
    }
}

// Letters that no accent removal makes plain, and signs with a plain twin in the set.
const char* plainForm(char16_t c) {
    switch (c) {
    case u'ß': return "ss";
    case u'Æ': return "AE";
    case u'æ': return "ae";
    case u'Œ': return "OE";
    case u'œ': return "oe";
    case u'Ø': return "O";
    case u'ø': return "o";
    case u'Ð': return "D";
    case u'ð': return "d";
    case u'Đ': return "D";
    case u'đ': return "d";
    case u'Þ': return "TH";
    case u'þ': return "th";
    case u'Ł': return "L";
    case u'ł': return "l";
    case u'ı': return "i";
    case u'‘':
    case u'’':
    case u'‚':
    case u'´':
    case u'`': return "'";
    case u'–':
    case u'—':
    case u'‐':
    case u'‑': return "-";
    default: return nullptr;
    }
}

bool isCombiningMark(char16_t c) {
    return c >= 0x0300 && c <= 0x036F;
}

} // namespace

namespace SepaText {

bool inSet(QChar c) {
    return plainInSet(c.unicode());
}

Result clean(const QString& text, int maxLength) {
    Result result;
    // Most texts are in the set already: they are kept as they are, without a copy.
    if (text.size() <= maxLength && std::all_of(text.begin(), text.end(), inSet) &&
        !text.startsWith(QLatin1Char(' ')) && !text.endsWith(QLatin1Char(' '))) {
        result.text = text;
        return result;
    }
    QString& out = result.text;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t code = c.unicode();
        if (plainInSet(code)) {
            out.append(c);
            continue;
        }
        result.changed = true;
        if (const char* plain = plainForm(code)) {
            out.append(QLatin1String(plain));
            continue;
        }
        // Decomposed, a letter with accents is the letter followed by its marks.
        const QString parts = QString(c).normalized(QString::NormalizationForm_KD);
        QString letters;
        bool plainLetters = !parts.isEmpty();
        for (QChar p : parts) {
            if (isCombiningMark(p.unicode()))
                continue;
            if (!plainInSet(p.unicode()) || p == QLatin1Char(' ')) {
                plainLetters = false;
                break;
            }
            letters.append(p);
        }
        out.append(plainLetters && !letters.isEmpty() ? letters : QStringLiteral(" "));
    }
    const QString trimmed = out.trimmed();
    if (trimmed.size() != out.size())
        out = trimmed;
    if (out.size() > maxLength) {
        out.truncate(maxLength);
        // A cut may leave a space at the end.
        while (out.endsWith(QLatin1Char(' ')))
            out.chop(1);
        result.shortened = true;
    }
    return result;
}

Result clean(std::string_view bytes, int maxLength) {
    return clean(CodePage::toQString(bytes), maxLength);
}

} // namespace SepaText
