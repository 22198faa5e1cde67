#include "contrib/KDateControl.h"

#include "core/format/Clock.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QLocale>

namespace {

QDate calendarDay(KDateValue date) {
    return QDate(date.Year(), date.Month(), date.Day());
}

} // namespace

QDateEdit* makeDateControl(QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    picker->setCalendarPopup(true);
    // Dutch month and day names in the field and the calendar, Monday first, whatever the
    // system's language; the order of day, month and year stays the system's.
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    picker->setLocale(dutch);
    picker->calendarWidget()->setLocale(dutch);
    picker->calendarWidget()->setFirstDayOfWeek(Qt::Monday);
    // Four-digit years: a picker reads two digits as a year of the 1900s.
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    picker->setDisplayFormat(format);
    picker->setMinimumDate(QDate(1601, 1, 1));
    picker->setMaximumDate(QDate(9999, 12, 31));
    return picker;
}

KDateValue dateOf(const QDateEdit* picker) {
    const QDate day = picker->date();
    return KDateValue(day.year() * 10000 + day.month() * 100 + day.day());
}

void setDateOf(QDateEdit* picker, KDateValue date) {
    QDate day = calendarDay(date);
    if (!day.isValid() || day < picker->minimumDate() || day > picker->maximumDate())
        day = calendarDay(KDateValue(Clock::today()));
    picker->setDate(day);
}
