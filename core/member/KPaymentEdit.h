#pragma once

#include "core/KOutcome.h"
#include "core/model/KPayment.h"

#include <string>

// The payment dialog's work on a copy of one payment. The amount shows "%1.2f"; an amount left
// as shown keeps its exact value, so a payment of 12.345 opened and confirmed stays 12.345. A
// typed amount is read as a person types it ("25,50", "€ 1.250,00", "25.50").
class KPaymentEdit {
public:
    explicit KPaymentEdit(const KPayment& start) : m_payment(start) {}

    const KPayment& payment() const { return m_payment; }
    std::string amountText() const;

    struct Collected {
        KResult result; // Failed, with the Dutch reason, when the amount is no number
        KPayment payment;
    };
    // The payment with the date, the amount typed and the remarks; a typed amount that is no
    // number is refused and the payment stays as it was.
    Collected collect(KDateValue date, const std::string& typedAmount,
                      const std::string& remarks) const;

private:
    KPayment m_payment;
};
