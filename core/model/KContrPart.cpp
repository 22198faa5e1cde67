#include "core/model/KContrPart.h"

#include "core/document/FString.h"
#include "platform/Archive.h"

#include <array>
#include <cstring>

namespace {

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Equal in everything a field holds, the slots of other types included.
bool identical(const KField& a, const KField& b) {
    return a.id() == b.id() && a.type() == b.type() && a.meaning() == b.meaning() &&
           a.number() == b.number() && sameBits(a.real(), b.real()) && a.text() == b.text() &&
           a.label() == b.label();
}

bool identical(const KFieldList& a, const KFieldList& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!identical(a.at(i), b.at(i)))
            return false;
    return true;
}

// The condition list read last for a part with the same id: a file holds every scheme's parts
// once for the scheme and once for every charge of it, and the copies share one list.
std::shared_ptr<const KFieldList> sharedConditions(std::int32_t partId, KFieldList&& read) {
    static std::array<std::shared_ptr<const KFieldList>, 64> recent;
    auto& cached = recent[static_cast<std::uint32_t>(partId) % recent.size()];
    if (!cached || !identical(*cached, read))
        cached = std::make_shared<const KFieldList>(std::move(read));
    return cached;
}

} // namespace

const KFieldList& KContrPart::noConditions() {
    static const KFieldList none;
    return none;
}

template <class Change> void KContrPart::changeConditions(Change change) {
    auto changed = m_conditions ? std::make_shared<KFieldList>(*m_conditions)
                                : std::make_shared<KFieldList>();
    change(*changed);
    m_conditions = changed->empty() ? nullptr : Conditions(std::move(changed));
}

void KContrPart::AddCondition(const KField& condition) {
    m_hasConditions = true;
    changeConditions([&](KFieldList& list) { list.insert(condition); });
}

void KContrPart::RemoveCondition(const KField& condition) {
    const KField* byId =
        conditions().findFirst([&](const KField& c) { return c.id() == condition.id(); });
    if (!byId)
        return;
    const KField target = *byId;
    changeConditions([&](KFieldList& list) {
        list.removeFirst([&](const KField& c) { return c.isAlike(target); });
    });
}

void KContrPart::removeConditionById(std::int32_t fieldId) {
    if (!conditions().findFirst([&](const KField& c) { return c.id() == fieldId; }))
        return;
    changeConditions([&](KFieldList& list) {
        list.removeFirst([&](const KField& c) { return c.id() == fieldId; });
    });
}

void KContrPart::SetConditions(const KFieldList* conditions) {
    m_hasConditions = conditions != nullptr;
    m_conditions = conditions && !conditions->empty()
                       ? std::make_shared<const KFieldList>(*conditions)
                       : nullptr;
}

bool KContrPart::operator==(const KContrPart& other) const {
    if (m_amount != other.m_amount || !(m_name == other.m_name))
        return false;
    const KFieldList& mineList = conditions();
    const KFieldList& theirList = other.conditions();
    if (mineList.empty() || theirList.empty())
        return mineList.empty() && theirList.empty();
    for (const KField& mine : mineList) {
        const std::string text = mine.displayText();
        const KField* match = theirList.findFirst([&](const KField& theirs) {
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
        const KFieldList& list = conditions();
        ar.writeInt32(static_cast<std::int32_t>(list.size()));
        for (const KField& condition : list)
            const_cast<KField&>(condition).Serialize(ar, version);
        return;
    }
    std::string& scratch = readScratch();
    readFStringInto(ar, scratch);
    m_name = KSharedText::of(scratch);
    m_id = ar.readInt32();
    m_amount = ar.readDouble();
    const std::int32_t count = ar.readInt32();
    m_hasConditions = count != 0;
    m_conditions = nullptr;
    if (count == 0)
        return;
    KFieldList read;
    read.fill(count, [&] {
        KField condition;
        condition.Serialize(ar, version);
        return condition;
    });
    if (!read.empty())
        m_conditions = sharedConditions(m_id, std::move(read));
}
