#pragma once

#include "core/format/KDateValue.h"

#include <QWidget>

class QCalendarWidget;
class QDate;
class QLineEdit;
class QMenu;
class QToolButton;

// A date input that shows dates in the program's date format and reads them as people type them
// (TypedDate: "3-4-2010" as well as the format's own text), with a calendar to pick from. It may
// be empty ("geen datum"): a date 0 shows empty, and stays 0 unless the user picks or types a
// date; clearing the text makes it 0 again. A typed text that is no date stays as typed and is
// not taken: the dialog refuses OK while unreadable() says so. Keys: Up and Down step a day, F4
// or Alt+Down opens the calendar.
class KDatePicker : public QWidget {
    Q_OBJECT

public:
    explicit KDatePicker(QWidget* parent = nullptr);

    // Shows the date, untouched; 0 shows no date.
    void setDate(KDateValue date);
    // The date as set, or as the user picked, typed or cleared it; 0 for none. Text still being
    // typed is taken first.
    KDateValue date();
    // Whether the user changed the date since it was set.
    bool touched() const { return m_touched; }
    // Whether the text typed is no date; date() then still gives the date before it.
    bool unreadable();
    // The text as the user left it.
    QString text() const;

    // Without it, clearing the text brings the date back (a payment always has a date).
    void setEmptyAllowed(bool allowed);
    bool emptyAllowed() const { return m_emptyAllowed; }

    QLineEdit* lineEdit() const { return m_edit; }
    QToolButton* calendarButton() const { return m_button; }
    QCalendarWidget* calendar() const { return m_calendar; }
    void openCalendar();

    // The date the user picked, as the calendar would: the text follows.
    void pick(const QDate& date);

signals:
    void dateChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takeText();
    void display(KDateValue date);
    void change(KDateValue date);
    void fitWidth();

    QLineEdit* m_edit = nullptr;
    QToolButton* m_button = nullptr;
    QMenu* m_menu = nullptr;
    QCalendarWidget* m_calendar = nullptr;
    KDateValue m_value{0};
    QString m_shown;
    bool m_touched = false;
    bool m_unreadable = false;
    bool m_emptyAllowed = true;
};
