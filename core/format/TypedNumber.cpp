#include "core/format/TypedNumber.h"

#include "platform/CodePage.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr std::string_view kEuro = "\x80"; // the euro sign in the code page
constexpr double kLargest = 999'999'999'999.995;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\xA0';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

void skipBlanks(std::string_view& text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
}

// Takes a currency sign, "EUR" or "euro", at the front or the back of the text.
bool takeCurrency(std::string_view& text, bool front) {
    for (std::string_view sign : {kEuro, std::string_view("EUR"),
                                  std::string_view("euro"), std::string_view("eur")}) {
        if (text.size() < sign.size())
            continue;
        if (front && text.substr(0, sign.size()) == sign) {
            text.remove_prefix(sign.size());
            return true;
        }
        if (!front && text.substr(text.size() - sign.size()) == sign) {
            text.remove_suffix(sign.size());
            return true;
        }
    }
    return false;
}

// Whether the separators in whole split it into a first group of one to three digits and
// groups of three after it.
bool groupsOfThree(std::string_view whole, char separator) {
    std::size_t group = 0;
    bool first = true;
    for (char c : whole) {
        if (c == separator) {
            if (group == 0 || (first && group > 3) || (!first && group != 3))
                return false;
            first = false;
            group = 0;
        } else {
            ++group;
        }
    }
    return first || group == 3;
}

// The digits of whole without its grouping separator, a point, and the fraction.
std::optional<std::string> canonical(std::string_view body) {
    std::size_t points = 0, commas = 0, digits = 0;
    for (char c : body) {
        if (c == '.')
            ++points;
        else if (c == ',')
            ++commas;
        else if (isDigit(c))
            ++digits;
        else
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;

    char decimal = 0;
    char grouping = 0;
    if (points && commas) {
        decimal = body.find_last_of('.') > body.find_last_of(',') ? '.' : ',';
        grouping = decimal == '.' ? ',' : '.';
        if ((decimal == '.' ? points : commas) != 1)
            return std::nullopt;
    } else if (points || commas) {
        const char separator = points ? '.' : ',';
        const std::size_t count = points ? points : commas;
        if (count > 1) {
            grouping = separator; // "1.234.567" can only be grouped
        } else {
            const std::size_t at = body.find(separator);
            const std::string_view before = body.substr(0, at);
            const std::size_t after = body.size() - at - 1;
            // "1.250": a thousand and a quarter, or one and a quarter; the comma is the Dutch
            // decimal separator, so only the point is in doubt.
            if (separator == '.' && after == 3 && !before.empty() && before.size() <= 3 &&
                before.front() != '0')
                return std::nullopt;
            decimal = separator;
        }
    }

    const std::size_t at = decimal ? body.find(decimal) : body.size();
    const std::string_view whole = body.substr(0, at);
    const std::string_view fraction = decimal ? body.substr(at + 1) : std::string_view();
    if (grouping) {
        if (whole.find(grouping) != std::string_view::npos && !groupsOfThree(whole, grouping))
            return std::nullopt;
        if (fraction.find(grouping) != std::string_view::npos)
            return std::nullopt;
    }
    std::string number;
    for (char c : whole)
        if (isDigit(c))
            number += c;
    if (number.empty())
        number.push_back('0');
    if (!fraction.empty()) {
        number += '.';
        number += fraction;
    }
    return number;
}

} // namespace

namespace TypedNumber {

std::optional<double> read(std::string_view text) {
    skipBlanks(text);
    bool negative = false;
    bool signed_ = false;
    bool currency = false;
    // A sign and a currency sign may stand before the number in either order ("-€ 12,50",
    // "€ -12,50"), or the currency after it ("12,50 €").
    for (int round = 0; round < 2; ++round) {
        if (!signed_ && !text.empty() && (text.front() == '-' || text.front() == '+')) {
            negative = text.front() == '-';
            signed_ = true;
            text.remove_prefix(1);
        } else if (!currency && takeCurrency(text, true)) {
            currency = true;
        }
        skipBlanks(text);
    }
    if (!currency && takeCurrency(text, false))
        skipBlanks(text);
    if (text.empty())
        return std::nullopt;

    const std::optional<std::string> number = canonical(text);
    if (!number)
        return std::nullopt;
    double value = 0;
    const char* end = number->data() + number->size();
    const auto result = std::from_chars(number->data(), end, value);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value) || value >= kLargest)
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<double> read(const QString& text) {
    QString typed = text;
    typed.replace(QChar(0x2212), QLatin1Char('-')); // minus sign
    typed.replace(QChar(0x202F), QLatin1Char(' ')); // narrow no-break space
    typed.replace(QChar(0x2009), QLatin1Char(' ')); // thin space
    return read(std::string_view(CodePage::fromQString(typed)));
}

QString refusal(const QString& text, Kind kind) {
    const QString shown = text.trimmed();
    if (kind == Kind::Quantity) {
        if (shown.isEmpty())
            return QStringLiteral("Vul een aantal in, bijvoorbeeld 2 of 1,5.");
        return QStringLiteral("\"%1\" is geen aantal. Typ bijvoorbeeld 2 of 1,5.").arg(shown);
    }
    if (shown.isEmpty())
        return QStringLiteral("Vul een bedrag in, bijvoorbeeld 12,50.");
    return QStringLiteral("\"%1\" is geen bedrag. Typ bijvoorbeeld 12,50 of 1.234,50.").arg(shown);
}

} // namespace TypedNumber
