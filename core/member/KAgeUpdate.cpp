#include "core/member/KAgeUpdate.h"

#include "core/document/CKorvelDoc.h"

namespace KAgeUpdate {

namespace {

QString members(std::size_t count) {
    return count == 1 ? QStringLiteral("1 lid") : QStringLiteral("%1 leden").arg(count);
}

// The Senior value as it reads: Ja or Nee, by the field's type.
bool isSenior(const KField& value) {
    if (value.type() == FieldType::Boolean || value.type() == FieldType::Number)
        return value.number() == 1;
    return value.displayText() == "Ja";
}

void setSenior(KField& value, bool senior) {
    if (value.type() == FieldType::Boolean || value.type() == FieldType::Number)
        value.setNumber(senior ? 1 : 0);
    else
        value.setText(senior ? "Ja" : "Nee");
}

} // namespace

KDateValue defaultReferenceDate(KDateValue today) {
    return KDateValue((today.Year() + 1) * 10000 + 101);
}

int ageOn(KDateValue birth, KDateValue reference) {
    int age = reference.Year() - birth.Year();
    if (reference.Month() * 100 + reference.Day() < birth.Month() * 100 + birth.Day())
        --age;
    return age;
}

Plan plan(const CKorvelDoc& doc, KDateValue reference, int age) {
    Plan result;
    result.hasSeniorField =
        doc.fields().findFirst([](const KField& f) { return f.meaning() == FieldMeaning::Senior; });
    if (!result.hasSeniorField)
        return result;
    for (const KMember& member : doc.members()) {
        const KField* birth = member.valueByMeaning(FieldMeaning::BirthDate);
        const KField* senior = member.valueByMeaning(FieldMeaning::Senior);
        if (!senior)
            continue;
        if (!birth || birth->type() != FieldType::Date || birth->date().value() == 0) {
            ++result.withoutBirthDate;
            continue;
        }
        const bool now = ageOn(birth->date(), reference) >= age;
        if (now == isSenior(*senior))
            continue;
        KMember changed = member;
        setSenior(*changed.valueByMeaning(FieldMeaning::Senior), now);
        ++(now ? result.becomeSenior : result.becomeJunior);
        result.changes.emplace_back(member.id(), std::move(changed));
    }
    return result;
}

QString question(const Plan& plan) {
    QString text = QStringLiteral("Bij %1 wordt Senior \"Ja\", bij %2 \"Nee\".")
                       .arg(members(plan.becomeSenior), members(plan.becomeJunior));
    if (plan.withoutBirthDate > 0)
        text += plan.withoutBirthDate == 1
                    ? QStringLiteral(" 1 lid zonder geboortedatum blijft zoals het is.")
                    : QStringLiteral(" %1 leden zonder geboortedatum blijven zoals ze zijn.")
                          .arg(plan.withoutBirthDate);
    return text + QStringLiteral("\n\nWilt u doorgaan?");
}

} // namespace KAgeUpdate
