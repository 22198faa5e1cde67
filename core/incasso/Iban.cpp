#include "core/incasso/Iban.h"

#include <algorithm>
#include <cstring>

namespace {

struct CountryLength {
    char code[3];
    int length;
};

// The IBAN registry: every country that issues IBANs, with their length.
constexpr CountryLength kLengths[] = {
    {"AD", 24}, {"AE", 23}, {"AL", 28}, {"AT", 20}, {"AZ", 28}, {"BA", 20}, {"BE", 16},
    {"BG", 22}, {"BH", 22}, {"BI", 27}, {"BR", 29}, {"BY", 28}, {"CH", 21}, {"CR", 22},
    {"CY", 28}, {"CZ", 24}, {"DE", 22}, {"DJ", 27}, {"DK", 18}, {"DO", 28}, {"EE", 20},
    {"EG", 29}, {"ES", 24}, {"FI", 18}, {"FK", 18}, {"FO", 18}, {"FR", 27}, {"GB", 22},
    {"GE", 22}, {"GI", 23}, {"GL", 18}, {"GR", 27}, {"GT", 28}, {"HR", 21}, {"HU", 28},
    {"IE", 22}, {"IL", 23}, {"IQ", 23}, {"IS", 26}, {"IT", 27}, {"JO", 30}, {"KW", 30},
    {"KZ", 20}, {"LB", 28}, {"LC", 32}, {"LI", 21}, {"LT", 20}, {"LU", 20}, {"LV", 21},
    {"LY", 25}, {"MC", 27}, {"MD", 24}, {"ME", 22}, {"MK", 19}, {"MN", 20}, {"MR", 27},
    {"MT", 31}, {"MU", 30}, {"NI", 28}, {"NL", 18}, {"NO", 15}, {"OM", 23}, {"PK", 24},
    {"PL", 28}, {"PS", 29}, {"PT", 25}, {"QA", 29}, {"RO", 24}, {"RS", 22}, {"RU", 33},
    {"SA", 24}, {"SC", 31}, {"SD", 18}, {"SE", 24}, {"SI", 19}, {"SK", 24}, {"SM", 27},
    {"SO", 23}, {"ST", 25}, {"SV", 28}, {"TL", 23}, {"TN", 24}, {"TR", 26}, {"UA", 29},
    {"VA", 22}, {"VG", 24}, {"XK", 20},
};

bool isUpper(QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); }
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool isAlnum(QChar c) { return isUpper(c) || isDigit(c); }

// The remainder mod 97 of the number the characters stand for, letters counting 10 to 35.
int mod97(const QString& text) {
    int rest = 0;
    for (QChar c : text) {
        if (isDigit(c)) {
            rest = (rest * 10 + (c.unicode() - '0')) % 97;
        } else {
            const int value = c.unicode() - 'A' + 10;
            rest = (rest * 100 + value) % 97;
        }
    }
    return rest;
}

} // namespace

namespace Iban {

QString normalized(const QString& text) {
    if (std::none_of(text.begin(), text.end(),
                     [](QChar c) { return c.isSpace() || c.isLower(); }))
        return text;
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.isSpace())
            continue;
        out.append(c.toUpper());
    }
    return out;
}

int countryLength(const QString& country) {
    if (country.size() != 2)
        return 0;
    const QByteArray code = country.toLatin1();
    for (const CountryLength& entry : kLengths)
        if (std::memcmp(entry.code, code.constData(), 2) == 0)
            return entry.length;
    return 0;
}

Problem check(const QString& iban) {
    if (iban.isEmpty())
        return Problem::Empty;
    if (!std::all_of(iban.begin(), iban.end(), isAlnum))
        return Problem::Characters;
    if (iban.size() < 4 || !isUpper(iban[0]) || !isUpper(iban[1]) || !isDigit(iban[2]) ||
        !isDigit(iban[3]))
        return Problem::Country;
    const int length = countryLength(iban.left(2));
    if (length == 0)
        return Problem::Country;
    if (iban.size() != length)
        return Problem::Length;
    if (mod97(iban.mid(4) + iban.left(4)) != 1)
        return Problem::Checksum;
    return Problem::None;
}

QString make(const QString& country, const QString& bban) {
    const QString body = normalized(bban);
    const int check = 98 - mod97(body + country + QStringLiteral("00"));
    return country + QStringLiteral("%1").arg(check, 2, 10, QLatin1Char('0')) + body;
}

QString problemText(Problem problem, const QString& iban) {
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::Empty:
        return QStringLiteral("Er is geen IBAN ingevuld.");
    case Problem::Characters:
        return QStringLiteral("Het IBAN %1 bevat andere tekens dan letters en cijfers.").arg(iban);
    case Problem::Country:
        return QStringLiteral("Het IBAN %1 begint niet met een landcode van twee letters en twee "
                              "controlecijfers van een land met IBAN's.")
            .arg(iban);
    case Problem::Length:
        return QStringLiteral("Het IBAN %1 heeft %2 tekens; een IBAN uit %3 heeft er %4.")
            .arg(iban)
            .arg(iban.size())
            .arg(iban.left(2))
            .arg(countryLength(iban.left(2)));
    case Problem::Checksum:
        return QStringLiteral("Het IBAN %1 klopt niet: de controlecijfers horen niet bij dit "
                              "nummer. Misschien is er een cijfer verkeerd getypt.")
            .arg(iban);
    }
    return {};
}

Problem checkCreditorId(const QString& id) {
    if (id.isEmpty())
        return Problem::Empty;
    if (!std::all_of(id.begin(), id.end(), isAlnum))
        return Problem::Characters;
    // Country, check digits, business code and at least one character of the national part;
    // at most 35 in all.
    if (id.size() < 8 || id.size() > 35)
        return Problem::Length;
    if (!isUpper(id[0]) || !isUpper(id[1]) || !isDigit(id[2]) || !isDigit(id[3]))
        return Problem::Country;
    if (mod97(id.mid(7) + id.left(4)) != 1)
        return Problem::Checksum;
    return Problem::None;
}

QString creditorIdProblemText(Problem problem, const QString& id) {
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::Empty:
        return QStringLiteral("Er is geen Incassant-ID ingevuld.");
    case Problem::Characters:
        return QStringLiteral("Het Incassant-ID %1 bevat andere tekens dan letters en cijfers.")
            .arg(id);
    case Problem::Length:
        return QStringLiteral("Het Incassant-ID %1 heeft %2 tekens; het moet er 8 tot 35 hebben "
                              "(bijvoorbeeld NL79ZZZ999999990000).")
            .arg(id)
            .arg(id.size());
    case Problem::Country:
        return QStringLiteral("Het Incassant-ID %1 begint niet met een landcode van twee letters "
                              "en twee controlecijfers (bijvoorbeeld NL79ZZZ999999990000).")
            .arg(id);
    case Problem::Checksum:
        return QStringLiteral("Het Incassant-ID %1 klopt niet: de controlecijfers horen niet bij "
                              "dit nummer. Neem het over zoals de bank het heeft gegeven.")
            .arg(id);
    }
    return {};
}

bool isValidBic(const QString& bic) {
    if (bic.size() != 8 && bic.size() != 11)
        return false;
    for (int i = 0; i < 6; ++i)
        if (!isUpper(bic[i]))
            return false;
    // The location: its first character no 0 or 1, its second no O (test BICs end in 0).
    if (!(isUpper(bic[6]) || (isDigit(bic[6]) && bic[6] >= QLatin1Char('2'))))
        return false;
    if (!isAlnum(bic[7]) || bic[7] == QLatin1Char('O'))
        return false;
    return std::all_of(bic.begin() + 8, bic.end(), isAlnum);
}

} // namespace Iban
