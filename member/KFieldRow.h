#pragma once

#include "core/KOutcome.h"
#include "core/member/KFieldInput.h"

#include <QString>

#include <string>
#include <vector>

class KDatePicker;
class KField;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QWidget;

// One row of a member page: the field's label and the input that suits the field, an edit, a
// date picker, a check box or the member-type list. The row writes the input back into the
// member's working copy when asked; its widgets belong to the page.
class KFieldRow {
public:
    // value is the working copy's value for the field, nullptr when the member holds none: then
    // the label shows beside a disabled empty input and nothing is ever collected.
    KFieldRow(QFormLayout& form, const std::string& label, KField* value,
              const std::vector<std::string>& memberTypes, bool adding);
    KFieldRow(const KFieldRow&) = delete;
    KFieldRow& operator=(const KFieldRow&) = delete;

    // Writes what the user entered into the value. An amount or a date typed so that it does
    // not read is refused with the Dutch reason, naming the field; the value keeps what it had.
    KResult collect();

    KFieldInput::Kind kind() const { return m_kind; }
    const KField* value() const { return m_value; }
    QLabel* label() const { return m_label; }
    QWidget* input() const { return m_input; }
    QLineEdit* edit() const { return m_edit; }
    KDatePicker* datePicker() const { return m_date; }
    QCheckBox* checkBox() const { return m_check; }
    QComboBox* memberTypeList() const { return m_types; }

private:
    KField* m_value;
    KFieldInput::Kind m_kind;
    const std::vector<std::string>& m_memberTypes;
    QLabel* m_label = nullptr;
    QWidget* m_input = nullptr;
    QLineEdit* m_edit = nullptr;
    KDatePicker* m_date = nullptr;
    QCheckBox* m_check = nullptr;
    QComboBox* m_types = nullptr;
    QString m_labelText;
    std::string m_shownText;
    bool m_shownChecked = false;
    int m_shownType = -1;
};
