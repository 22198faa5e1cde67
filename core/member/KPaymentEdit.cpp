#include "core/member/KPaymentEdit.h"

#include "core/format/Numbers.h"
#include "core/format/TypedNumber.h"
#include "platform/CodePage.h"

std::string KPaymentEdit::amountText() const {
    return Numbers::fixed2(m_payment.amount());
}

KPaymentEdit::Collected KPaymentEdit::collect(KDateValue date, const std::string& typedAmount,
                                              const std::string& remarks) const {
    KPayment result = m_payment;
    if (typedAmount != amountText()) {
        const std::optional<double> amount = TypedNumber::read(std::string_view(typedAmount));
        if (!amount)
            return {KResult::failed(TypedNumber::refusal(CodePage::toQString(typedAmount))),
                    m_payment};
        result.setAmount(*amount);
    }
    result.setDate(date);
    result.setRemarks(remarks);
    return {KResult::done(), result};
}
