#include "core/format/AmountText.h"

#include "platform/CodePage.h"

#include <QLocale>
#include <QString>

#include <charconv>
#include <cmath>

namespace {

// The most decimals the platform's number formats accept.
constexpr int maxDigits = 9;

// The value printed with eight decimals and that text rounded half up to digits decimals: the
// amount the user sees is the one the printed number says, not its binary neighbour (1.005
// shows as 1,01). Returns false for values that cannot be printed.
bool roundAsPrinted(double value, int digits, double& rounded) {
    if (!std::isfinite(value))
        return false;
    char buffer[400];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::fixed, 8);
    if (printed.ec != std::errc())
        return false;
    std::string text(buffer, printed.ptr);
    const std::size_t point = text.find('.');
    const std::size_t keep = point + 1 + static_cast<std::size_t>(digits);
    if (keep < text.size()) {
        const bool up = text[keep] >= '5';
        text.resize(keep);
        if (up) {
            std::size_t i = text.size();
            while (i-- > 0) {
                if (text[i] == '.')
                    continue;
                if (text[i] != '9') {
                    ++text[i];
                    break;
                }
                text[i] = '0';
                if (i == 0)
                    text.insert(text.begin(), '1');
            }
        }
    }
    double magnitude = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), magnitude).ec != std::errc())
        return false;
    rounded = std::signbit(value) && magnitude != 0 ? -magnitude : magnitude;
    return true;
}

// Characters that locales put in numbers which the code page lacks, replaced by their nearest
// single-byte equivalents rather than by '?'.
std::string toCodePage(QString text) {
    text.replace(QChar(0x202F), QChar(0x00A0));    // narrow no-break space
    text.replace(QChar(0x2009), QChar(0x00A0));    // thin space
    text.replace(QChar(0x2007), QChar(0x00A0));    // figure space
    text.replace(QChar(0x2212), QLatin1Char('-')); // minus sign
    text.replace(QChar(0xFFE5), QChar(0x00A5));    // full-width yen sign
    return CodePage::fromQString(text);
}

} // namespace

std::string AmountText(double value, int digits) {
    if (digits > maxDigits)
        return {};
    double rounded = 0;
    if (!roundAsPrinted(value, digits < 0 ? 8 : digits, rounded))
        return {};
    const QLocale locale;
    const QString symbol = locale.currencySymbol();
    const int precision = digits < 0 ? -1 : digits;
    const QString positive = locale.toCurrencyString(std::fabs(rounded), symbol, precision);
    if (rounded >= 0 || positive.isEmpty())
        return toCodePage(positive);
    // Qt writes negative amounts of some locales in accounting style, "(€ 1.234,50)". Such
    // locales write a negative number with a sign, so the amount is the positive currency text
    // with the number in it signed as the locale signs numbers: "€ -1.234,50".
    const QString negative = locale.toCurrencyString(rounded, symbol, precision);
    if (!negative.contains(QLatin1Char('(')))
        return toCodePage(negative);
    const int places = digits < 0 ? 2 : digits;
    const QString number = locale.toString(std::fabs(rounded), 'f', places);
    const qsizetype at = positive.indexOf(number);
    if (at < 0)
        return toCodePage(negative);
    QString text = positive;
    text.replace(at, number.size(), locale.negativeSign() + number);
    return toCodePage(text);
}

std::string QuantityText(double value) {
    constexpr int places = 2; // the number of digits of the platform's number formats
    double rounded = 0;
    if (!roundAsPrinted(value, places, rounded))
        return {};
    return toCodePage(QLocale().toString(rounded, 'f', places));
}
