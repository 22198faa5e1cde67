#pragma once

#include "core/member/KPaymentEdit.h"
#include "member/KSpecCharDialog.h"

#include <functional>

class KDatePicker;
class KFocusEdit;
class QLineEdit;

// "Ontvangen bedrag": the date, the amount and the remarks of one payment. A new payment starts
// with today's date and 0.00. OK is refused, with a message, while the date or the amount typed
// does not read; the field at fault gets the focus. The amount and date fields offer the special
// characters too.
class KDlgPayment : public KSpecCharDialog {
    Q_OBJECT

public:
    explicit KDlgPayment(const KPayment& start, QWidget* parent = nullptr);

    // The payment as the dialog holds it; after OK with what the user entered.
    const KPayment& payment() const { return m_result; }

    // The messages of a refused OK; a message box unless set otherwise.
    void setMessenger(std::function<void(const QString&)> messenger) {
        m_messenger = std::move(messenger);
    }

    KDatePicker* datePicker() const { return m_date; }
    QLineEdit* amountEdit() const { return m_amount; }
    KFocusEdit* remarksEdit() const { return m_remarks; }

    void accept() override;

private:
    KPaymentEdit m_edit;
    KPayment m_result;
    std::function<void(const QString&)> m_messenger;
    KDatePicker* m_date = nullptr;
    QLineEdit* m_amount = nullptr;
    KFocusEdit* m_remarks = nullptr;
};
