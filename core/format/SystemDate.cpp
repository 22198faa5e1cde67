#include "core/format/SystemDate.h"

#include <QDate>
#include <QLocale>
#include <QString>

#include <array>
#include <optional>

namespace {

enum Part { Day, Month, Year };

struct Number {
    int value = 0;
    int digits = 0;
};

// The order of day, month and year in a date format, quoted literal text skipped; none when the
// format lacks one of them.
std::optional<std::array<Part, 3>> orderOf(const QString& format) {
    std::array<Part, 3> order{};
    bool seen[3] = {false, false, false};
    int found = 0;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        Part part;
        if (c == QLatin1Char('d'))
            part = Day;
        else if (c == QLatin1Char('M'))
            part = Month;
        else if (c == QLatin1Char('y'))
            part = Year;
        else
            continue;
        if (!seen[part] && found < 3) {
            seen[part] = true;
            order[static_cast<std::size_t>(found++)] = part;
        }
    }
    if (found < 3)
        return std::nullopt;
    return order;
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isMark(QChar c) {
    return c == QLatin1Char('-') || c == QLatin1Char('/') || c == QLatin1Char('.');
}

// Three numbers, each pair separated by one of the marks with optional blanks around it or by
// blanks alone; a final "." is allowed, as some locales end their dates with one.
std::optional<std::array<Number, 3>> splitNumbers(const QString& text) {
    std::array<Number, 3> numbers;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && text[i].isSpace())
            ++i;
    };
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        if (k > 0) {
            const qsizetype start = i;
            skipBlanks();
            if (i < n && isMark(text[i])) {
                ++i;
                skipBlanks();
            }
            if (i == start)
                return std::nullopt;
        }
        Number& number = numbers[k];
        for (; i < n && isDigit(text[i]); ++i) {
            // More than four digits is never a part of a date; the value only has to say so.
            if (number.digits < 5)
                number.value = number.value * 10 + (text[i].unicode() - '0');
            ++number.digits;
        }
        if (number.digits == 0)
            return std::nullopt;
    }
    skipBlanks();
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        skipBlanks();
    }
    if (i != n)
        return std::nullopt;
    return numbers;
}

// Two-digit years fall in 1930..2029.
std::optional<int> fullYear(const Number& year) {
    if (year.digits <= 2)
        return year.value < 30 ? 2000 + year.value : 1900 + year.value;
    if (year.digits == 4)
        return year.value;
    return std::nullopt;
}

QDate dateOf(const std::array<Number, 3>& numbers, const std::array<Part, 3>& localeOrder) {
    // A first number of four digits is a year: the ISO order, whatever the locale's.
    const std::array<Part, 3> order =
        numbers[0].digits == 4 ? std::array<Part, 3>{Year, Month, Day} : localeOrder;
    Number parts[3];
    for (std::size_t k = 0; k < 3; ++k)
        parts[order[k]] = numbers[k];
    if (parts[Day].digits > 2 || parts[Month].digits > 2)
        return {};
    const std::optional<int> year = fullYear(parts[Year]);
    if (!year || !QDate::isValid(*year, parts[Month].value, parts[Day].value))
        return {};
    return QDate(*year, parts[Month].value, parts[Day].value);
}

QDate readInLocaleFormats(const QString& text, const QLocale& locale) {
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    QDate date = locale.toDate(text, shortFormat);
    if (date.isValid()) {
        // Qt reads a two-digit year as 19xx; the user means the window 1930..2029.
        if (!shortFormat.contains(QLatin1String("yyyy")) && date.year() < 1930)
            date = date.addYears(100);
        return date;
    }
    if (shortFormat.contains(QLatin1String("yy")) && !shortFormat.contains(QLatin1String("yyyy"))) {
        QString longYear = shortFormat;
        longYear.replace(QLatin1String("yy"), QLatin1String("yyyy"));
        date = locale.toDate(text, longYear);
        if (date.isValid())
            return date;
    }
    return locale.toDate(text, QLocale::LongFormat);
}

} // namespace

QDate readDateInOrder(const QString& text, DateOrder order) {
    std::array<Part, 3> parts{Day, Month, Year};
    if (order == DateOrder::YearMonthDay)
        parts = {Year, Month, Day};
    else if (order == DateOrder::MonthDayYear)
        parts = {Month, Day, Year};
    const auto numbers = splitNumbers(text.trimmed());
    return numbers ? dateOf(*numbers, parts) : QDate();
}

QDate readSystemDate(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (const auto order = orderOf(locale.dateFormat(QLocale::ShortFormat))) {
        if (const auto numbers = splitNumbers(trimmed))
            return dateOf(*numbers, *order);
    }
    return readInLocaleFormats(trimmed, locale);
}
