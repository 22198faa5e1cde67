#include "core/format/TypedDate.h"

#include "core/format/DateFormat.h"
#include "core/format/SystemDate.h"
#include "platform/CodePage.h"

#include <QDate>
#include <QLocale>

namespace {

constexpr std::int32_t kSampleDate = 20010922;

bool isCalendarDate(KDateValue date) {
    return date.value() != 0 && QDate::isValid(static_cast<int>(date.Year()), date.Month(),
                                               date.Day());
}

KDateValue valueOf(const QDate& date) {
    return KDateValue(date.year() * 10000 + date.month() * 100 + date.day());
}

// The order of day, month and year of a strftime format that writes all three as numbers.
std::optional<DateOrder> orderOfStrftime(const std::string& format) {
    std::string order; // d, m and y in the order the format has them
    for (std::size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        char c = format[++i];
        if (c == 'E' || c == 'O' || c == '-' || c == '_' || c == '0' || c == '^' || c == '#') {
            if (i + 1 >= format.size())
                break;
            c = format[++i];
        }
        if (c == 'd' || c == 'e')
            order += 'd';
        else if (c == 'm')
            order += 'm';
        else if (c == 'Y' || c == 'y' || c == 'G' || c == 'g')
            order += 'y';
        else if (c == 'F')
            order += "ymd";
        else if (c == 'D')
            order += "mdy";
    }
    if (order == "dmy")
        return DateOrder::DayMonthYear;
    if (order == "ymd")
        return DateOrder::YearMonthDay;
    if (order == "mdy")
        return DateOrder::MonthDayYear;
    return std::nullopt;
}

// Year, month and day in eight digits, as "Standard" writes them.
bool eightDigits(const QString& text) {
    if (text.size() != 8)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

namespace TypedDate {

std::optional<KDateValue> read(const QString& text) {
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return std::nullopt;
    const std::string& format = DateFormat::setting();
    const bool standard = format.empty() || format == "Standard";

    // The program's own format: the eight digits whole (a number followed by letters is not
    // taken for its digits), the locale's short date, or a custom format's exact text.
    if (!standard || eightDigits(typed)) {
        const KDateValue date(CodePage::fromQString(typed).c_str(), 0);
        if (isCalendarDate(date))
            return date;
    }

    // Three numbers in the order the format writes them, else as "System" reads them.
    QDate date;
    if (!standard && format != "System")
        if (const std::optional<DateOrder> order = orderOfStrftime(format))
            date = readDateInOrder(typed, *order);
    if (!date.isValid())
        date = readSystemDate(typed, QLocale());
    if (!date.isValid())
        return std::nullopt;
    return valueOf(date);
}

QString refusal(const QString& fieldLabel, const QString& text) {
    const QString example = CodePage::toQString(KDateValue(kSampleDate).Text());
    return QStringLiteral("%1: \"%2\" is geen datum. Typ bijvoorbeeld %3.")
        .arg(fieldLabel, text.trimmed(), example);
}

} // namespace TypedDate
