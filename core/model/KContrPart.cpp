#include "core/model/KContrPart.h"

#include "core/model/FString.h"
#include "platform/Archive.h"

#include <array>
#include <vector>
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

// The condition lists read last, by part id: a file holds every scheme's parts once for the
// scheme and once for every charge of it, and the copies share one list.
std::shared_ptr<const KFieldList>& recentConditions(std::int32_t partId) {
    thread_local std::array<std::shared_ptr<const KFieldList>, 64> recent;
    return recent[static_cast<std::uint32_t>(partId) % recent.size()];
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
    // The conditions are read into records kept from one part to the next; a list identical
    // to the one last read for this part id costs no allocation.
    thread_local std::vector<KField> read;
    std::size_t used = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        if (used == read.size())
            read.emplace_back();
        read[used++].loadFresh(ar, version);
    }
    // Elements that each come before the next stay in the order read, so the list made from
    // them equals them one for one.
    bool inOrder = true;
    for (std::size_t i = 1; inOrder && i < used; ++i)
        inOrder = KListOrder<KField>::before(read[i - 1], read[i]);
    std::shared_ptr<const KFieldList>& cached = recentConditions(m_id);
    if (inOrder && cached && cached->size() == used) {
        bool same = true;
        for (std::size_t i = 0; same && i < used; ++i)
            same = identical(cached->at(i), read[i]);
        if (same) {
            m_conditions = cached;
            return;
        }
    }
    KFieldList list;
    std::size_t next = 0;
    list.fill(static_cast<std::int64_t>(used), [&] { return KField(read[next++]); });
    cached = std::make_shared<const KFieldList>(std::move(list));
    m_conditions = cached;
}
