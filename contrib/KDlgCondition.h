#pragma once

#include "core/contrib/KConditionEditor.h"

#include <QDialog>

#include <functional>

class KContrPart;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QVBoxLayout;

// "Voorwaarde": adds a condition to a part or changes one. The user picks a field and enters
// its value in a control that suits the field: the member types, "Ja" or "Nee", a date, or a
// line of text. A quantity or amount that is no number is refused with a message; the dialog
// stays open.
class KDlgCondition : public QDialog {
    Q_OBJECT

public:
    KDlgCondition(KContrPart& part, const KConditionEditor& editor, QWidget* parent = nullptr);

    QComboBox* fieldList() const { return m_fields; }
    // The control the value is entered in; it changes with the field chosen.
    QWidget* valueControl() const { return m_value; }

    // The message of a refused value; a message box unless set otherwise.
    void setMessenger(std::function<void(const QString&)> messenger) {
        m_messenger = std::move(messenger);
    }

    void accept() override;

private:
    void buildValueControl();
    KConditionEditor::Value readValue() const;

    KContrPart& m_part;
    const KConditionEditor& m_editor;
    QComboBox* m_fields = nullptr;
    QLabel* m_valueLabel = nullptr;
    QVBoxLayout* m_valueSlot = nullptr;
    QWidget* m_value = nullptr;
    KConditionEditor::Control m_control = KConditionEditor::Control::Edit;
    std::function<void(const QString&)> m_messenger;
};
