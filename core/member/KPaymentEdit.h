#pragma once

#include "core/model/KPayment.h"

#include <string>

// The payment dialog's work on a copy of one payment. The amount shows "%1.2f"; an amount left
// as shown keeps its exact value, so a payment of 12.345 opened and confirmed stays 12.345.
class KPaymentEdit {
public:
    explicit KPaymentEdit(const KPayment& start) : m_payment(start) {}

    const KPayment& payment() const { return m_payment; }
    std::string amountText() const;

    // The payment with the date, the amount read from the typed text (0 when there is none) and
    // the remarks.
    KPayment collect(KDateValue date, const std::string& typedAmount,
                     const std::string& remarks) const;

private:
    KPayment m_payment;
};
