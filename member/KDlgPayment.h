#pragma once

#include "core/member/KPaymentEdit.h"
#include "member/KSpecCharDialog.h"

class KDatePicker;
class KFocusEdit;
class QLineEdit;

// "Ontvangen bedrag": the date, the amount and the remarks of one payment. A new payment starts
// with today's date and 0.00.
class KDlgPayment : public KSpecCharDialog {
    Q_OBJECT

public:
    explicit KDlgPayment(const KPayment& start, QWidget* parent = nullptr);

    // The payment as the dialog holds it; after OK with what the user entered.
    const KPayment& payment() const { return m_result; }

    KDatePicker* datePicker() const { return m_date; }
    QLineEdit* amountEdit() const { return m_amount; }
    KFocusEdit* remarksEdit() const { return m_remarks; }

    void accept() override;

private:
    KPaymentEdit m_edit;
    KPayment m_result;
    KDatePicker* m_date = nullptr;
    QLineEdit* m_amount = nullptr;
    KFocusEdit* m_remarks = nullptr;
};
