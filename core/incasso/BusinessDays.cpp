#include "core/incasso/BusinessDays.h"

#include <QDate>

namespace {

QDate toQDate(std::int32_t date) {
    return QDate(date / 10000, (date / 100) % 100, date % 100);
}

std::int32_t fromQDate(const QDate& date) {
    return date.year() * 10000 + date.month() * 100 + date.day();
}

} // namespace

namespace BusinessDays {

std::int32_t easterSunday(int year) {
    // The anonymous Gregorian algorithm (Meeus/Jones/Butcher).
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return year * 10000 + month * 100 + day;
}

bool isBusinessDay(std::int32_t date) {
    const QDate day = toQDate(date);
    if (!day.isValid())
        return false;
    if (day.dayOfWeek() >= 6)
        return false;
    const int monthDay = date % 10000;
    if (monthDay == 101 || monthDay == 501 || monthDay == 1225 || monthDay == 1226)
        return false;
    const QDate easter = toQDate(easterSunday(day.year()));
    return day != easter.addDays(-2) && day != easter.addDays(1);
}

std::int32_t after(std::int32_t date, int count) {
    QDate day = toQDate(date);
    if (!day.isValid())
        return 0;
    if (count == 0) {
        while (!isBusinessDay(fromQDate(day)))
            day = day.addDays(1);
        return fromQDate(day);
    }
    while (count > 0) {
        day = day.addDays(1);
        if (isBusinessDay(fromQDate(day)))
            --count;
    }
    return fromQDate(day);
}

std::int32_t defaultCollectionDate(std::int32_t today) {
    return after(today, 5);
}

std::int32_t earliestCollectionDate(std::int32_t today) {
    return after(today, 1);
}

QString collectionDateProblem(std::int32_t date, std::int32_t today) {
    const QDate day = toQDate(date);
    if (!day.isValid())
        return QStringLiteral("De incassodatum is geen geldige datum.");
    const std::int32_t earliest = earliestCollectionDate(today);
    if (date < earliest)
        return QStringLiteral("De incassodatum %1 ligt te vroeg: de bank incasseert op zijn "
                              "vroegst op de volgende werkdag, %2.")
            .arg(day.toString(QStringLiteral("dd-MM-yyyy")),
                 toQDate(earliest).toString(QStringLiteral("dd-MM-yyyy")));
    if (!isBusinessDay(date))
        return QStringLiteral("De incassodatum %1 is geen werkdag van het betalingsverkeer "
                              "(weekend, 1 januari, Goede Vrijdag, Tweede Paasdag, 1 mei, 25 of "
                              "26 december).")
            .arg(day.toString(QStringLiteral("dd-MM-yyyy")));
    return {};
}

} // namespace BusinessDays
