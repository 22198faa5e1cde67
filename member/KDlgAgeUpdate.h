#pragma once

#include "member/KMemberDialogs.h"

#include <QDialog>

class KDatePicker;
class QSpinBox;

// "Leeftijd bijwerken": asks the reference date and the age from which a member counts as a
// senior. The computing is the core's (KAgeUpdate).
class KDlgAgeUpdate : public QDialog {
    Q_OBJECT

public:
    explicit KDlgAgeUpdate(const KMemberDialogs::AgeChoice& start, QWidget* parent = nullptr);

    // Text still being typed in the date is taken first.
    KMemberDialogs::AgeChoice choice();
    KDatePicker* datePicker() const { return m_date; }
    QSpinBox* ageBox() const { return m_age; }

private:
    KDatePicker* m_date = nullptr;
    QSpinBox* m_age = nullptr;
};
