#include "core/member/KPaymentEdit.h"

#include "core/format/Numbers.h"

std::string KPaymentEdit::amountText() const {
    return Numbers::fixed2(m_payment.amount());
}

KPayment KPaymentEdit::collect(KDateValue date, const std::string& typedAmount,
                               const std::string& remarks) const {
    KPayment result = m_payment;
    result.setDate(date);
    if (typedAmount != amountText())
        result.setAmount(Numbers::leadingReal(typedAmount));
    result.setRemarks(remarks);
    return result;
}
