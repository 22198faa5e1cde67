#include "core/model/KContrPart.h"

#include "core/document/FString.h"
#include "platform/Archive.h"

void KContrPart::AddCondition(const KField& condition) {
    m_hasConditions = true;
    m_conditions.insert(condition);
}

void KContrPart::RemoveCondition(const KField& condition) {
    const KField* byId =
        m_conditions.findFirst([&](const KField& c) { return c.id() == condition.id(); });
    if (!byId)
        return;
    const KField target = *byId;
    m_conditions.removeFirst([&](const KField& c) { return c.isAlike(target); });
}

void KContrPart::removeConditionById(std::int32_t fieldId) {
    m_conditions.removeFirst([&](const KField& c) { return c.id() == fieldId; });
}

void KContrPart::SetConditions(const KFieldList* conditions) {
    m_conditions.clear();
    m_hasConditions = conditions != nullptr;
    if (conditions)
        m_conditions = *conditions;
}

bool KContrPart::operator==(const KContrPart& other) const {
    if (m_amount != other.m_amount || !(m_name == other.m_name))
        return false;
    if (m_conditions.empty() || other.m_conditions.empty())
        return m_conditions.empty() && other.m_conditions.empty();
    for (const KField& mine : m_conditions) {
        const std::string text = mine.displayText();
        const KField* match = other.m_conditions.findFirst([&](const KField& theirs) {
            return theirs.isAlike(mine) && theirs.displayTextEquals(text);
        });
        if (!match)
            return false;
    }
    return true;
}

void KContrPart::Serialize(Archive& ar, int version) {
    if (ar.IsStoring()) {
        writeFString(ar, m_name.str());
        ar.writeInt32(m_id);
        ar.writeDouble(m_amount);
        ar.writeInt32(static_cast<std::int32_t>(m_conditions.size()));
        for (KField& condition : m_conditions)
            condition.Serialize(ar, version);
        return;
    }
    std::string& scratch = readScratch();
    readFStringInto(ar, scratch);
    m_name = KSharedText::of(scratch);
    m_id = ar.readInt32();
    m_amount = ar.readDouble();
    const std::int32_t count = ar.readInt32();
    m_hasConditions = count != 0;
    m_conditions.fill(count, [&] {
        KField condition;
        condition.Serialize(ar, version);
        return condition;
    });
}
