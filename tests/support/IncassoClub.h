#pragma once

#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/incasso/Iban.h"
#include "core/settings/IncassoSettings.h"

#include <QString>

#include <cstdint>
#include <string>

// A club that collects by direct debit, in a few lines: the member fields the incasso settings
// name by default, and debtors with their mandate data. For tests and benchmarks.

// The debtor's data of one member, as typed into the fields (code-page bytes).
struct Debtor {
    std::string iban;
    std::string bic;
    std::string mandate;
    std::int32_t mandateDate = 0; // for a Date field
    std::string mandateDateText;  // for a Text field
    bool first = false;
};

// Adds the fields IBAN, BIC, Machtigingskenmerk, Datum machtiging (a Date or a Text field) and
// Eerste incasso (Ja/Nee) on a tab "Incasso", in one step.
inline void addIncassoFields(CKorvelDoc& doc, FieldType mandateDateType = FieldType::Date) {
    KFieldList fields = doc.fields();
    KTabList tabs = doc.tabs();
    KTabDef tab("Incasso", static_cast<std::int32_t>(tabs.size()));
    const auto add = [&](const char* label, FieldType type) {
        const std::int32_t id = doc.handOutId();
        fields.insert(KField(id, type, FieldMeaning::Other, label));
        tab.addFieldId(id);
    };
    add("IBAN", FieldType::Text);
    add("BIC", FieldType::Text);
    add("Machtigingskenmerk", FieldType::Text);
    add("Datum machtiging", mandateDateType);
    add("Eerste incasso", FieldType::Boolean);
    tabs.insert(tab);
    KEdit::replaceFields(doc, fields, tabs);
}

inline KField* valueLabelled(KMember& member, const char* label) {
    for (KField& value : member.values())
        if (value.label() == label)
            return &value;
    return nullptr;
}

// Writes the debtor's data into the member's fields (a copy, not yet in the document).
inline void setDebtor(KMember& member, const Debtor& debtor) {
    if (KField* f = valueLabelled(member, "IBAN"))
        f->setText(debtor.iban);
    if (KField* f = valueLabelled(member, "BIC"))
        f->setText(debtor.bic);
    if (KField* f = valueLabelled(member, "Machtigingskenmerk"))
        f->setText(debtor.mandate);
    if (KField* f = valueLabelled(member, "Datum machtiging")) {
        f->setDate(KDateValue(debtor.mandateDate));
        f->setText(debtor.mandateDateText);
    }
    if (KField* f = valueLabelled(member, "Eerste incasso"))
        f->setNumber(debtor.first ? 1 : 0);
}

// A valid Dutch IBAN for a number.
inline std::string dutchIban(std::int64_t number, const char* bank = "RABO") {
    return Iban::make(QStringLiteral("NL"),
                      QString::fromLatin1(bank) + QStringLiteral("%1").arg(number % 10'000'000'000LL,
                                                                          10, 10, QLatin1Char('0')))
        .toStdString();
}

// A debtor who can be collected: a valid IBAN, a mandate signed on 1 January 2024.
inline Debtor readyDebtor(std::int32_t memberId, bool first = false) {
    Debtor d;
    d.iban = dutchIban(1000 + memberId);
    d.mandate = "MACHT-" + std::to_string(memberId);
    d.mandateDate = 20240101;
    d.first = first;
    return d;
}

// The club's settings as creditor, every field filled in and right.
inline IncassoSettings testCreditor(IncassoSettings::Format format =
                                        IncassoSettings::Format::Pain00800108) {
    IncassoSettings s;
    s.creditorName = QStringLiteral("TTV De Smash");
    s.creditorIban = QStringLiteral("NL91 ABNA 0417 1643 00");
    s.creditorBic = QStringLiteral("ABNANL2A");
    s.creditorId = QStringLiteral("NL79ZZZ999999990000");
    s.format = format;
    return s;
}
