#pragma once

// A club for the bank statement tests: members with an IBAN field, a federation number and
// what they owe.

#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "tests/support/Charges.h"
#include "tests/support/DocBuilder.h"

#include <cstdint>
#include <string>

namespace samples {

// Gives the members a text field of that label.
inline void addIbanField(CKorvelDoc& doc, const std::string& label = "IBAN") {
    KFieldList fields = doc.fields();
    fields.insert(KField(doc.handOutId(), FieldType::Text, FieldMeaning::Other, label));
    KEdit::replaceFields(doc, fields, doc.tabs());
}

inline std::int32_t fieldId(const CKorvelDoc& doc, const std::string& label) {
    const KField* field = doc.fields().findFirst([&label](const KField& f) { return f.label() == label; });
    return field ? field->id() : 0;
}

// A member who owes that much (a charge of the amount), with that IBAN and federation number.
inline std::int32_t addClubMember(CKorvelDoc& doc, const std::string& name, const std::string& iban,
                                  std::int32_t number, double owes) {
    KMember m = makeMember(doc, name);
    if (KField* value = m.valueById(fieldId(doc, "IBAN")))
        value->setText(iban);
    m.valueByMeaning(FieldMeaning::FederationNumber)->setNumber(number);
    if (owes != 0)
        m.addCharge(chargeOf(1, 20270101, {{"Contributie", owes}}));
    return addMember(doc, m).id();
}

inline void addPayment(CKorvelDoc& doc, std::int32_t member, double amount, std::int32_t date,
                       const std::string& remark) {
    KMember m = *doc.findMember(member);
    m.addPayment(KPayment(amount, KDateValue(date), remark));
    KEdit::replaceMember(doc, member, m);
}

} // namespace samples
