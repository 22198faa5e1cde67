#include "core/edit/KChargeChanges.h"

#include "core/model/ContributionRules.h"

namespace {

std::int32_t firstChargeOf(const KMember& member, std::int32_t schemeId) {
    std::int32_t index = 0;
    for (const KCharge& charge : member.charges()) {
        if (charge.scheme() && charge.scheme()->id() == schemeId)
            return index;
        ++index;
    }
    return -1;
}

std::size_t chargeBytes(const KCharge& charge) {
    std::size_t bytes = sizeof(KCharge) + charge.text().capacity();
    if (const KContribution* scheme = charge.scheme()) {
        bytes += sizeof(KContribution) + scheme->description().capacity();
        for (const KContrPart& part : scheme->parts())
            bytes += sizeof(KContrPart) + sizeof(void*) + part.name().capacity() +
                     part.conditionCount() * (sizeof(KField) + sizeof(void*));
    }
    return bytes;
}

} // namespace

void KChargeChanges::apply(KMember& member, const KContribution& scheme) {
    apply(member, scheme.id(), ChargeFor(member, scheme));
}

void KChargeChanges::apply(KMember& member, std::int32_t schemeId, std::unique_ptr<KCharge> charge) {
    Entry entry;
    entry.member = member.id();
    entry.removedAt = firstChargeOf(member, schemeId);
    if (entry.removedAt >= 0)
        entry.removed = member.charges().takeAt(static_cast<std::size_t>(entry.removedAt));
    if (charge) {
        const std::size_t at = member.charges().insertIndex(*charge);
        member.charges().insertAt(at, std::move(charge));
        entry.insertedAt = static_cast<std::int32_t>(at);
    }
    if (entry.removedAt >= 0 || entry.insertedAt >= 0)
        m_entries.push_back(std::move(entry));
}

void KChargeChanges::remove(KMember& member, std::int32_t schemeId) {
    Entry entry;
    entry.member = member.id();
    entry.removedAt = firstChargeOf(member, schemeId);
    if (entry.removedAt < 0)
        return;
    entry.removed = member.charges().takeAt(static_cast<std::size_t>(entry.removedAt));
    m_entries.push_back(std::move(entry));
}

void KChargeChanges::undo(const std::function<KMember*(std::int32_t)>& memberOf) {
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        KMember* member = memberOf(it->member);
        if (!member)
            continue;
        if (it->insertedAt >= 0)
            it->inserted = member->charges().takeAt(static_cast<std::size_t>(it->insertedAt));
        if (it->removedAt >= 0)
            member->charges().insertAt(static_cast<std::size_t>(it->removedAt),
                                       std::move(it->removed));
    }
    m_undone = true;
}

bool KChargeChanges::redo(const std::function<KMember*(std::int32_t)>& memberOf) {
    if (!m_undone)
        return false;
    for (Entry& entry : m_entries) {
        KMember* member = memberOf(entry.member);
        if (!member)
            continue;
        if (entry.removedAt >= 0)
            entry.removed = member->charges().takeAt(static_cast<std::size_t>(entry.removedAt));
        if (entry.insertedAt >= 0)
            member->charges().insertAt(static_cast<std::size_t>(entry.insertedAt),
                                       std::move(entry.inserted));
    }
    m_undone = false;
    return true;
}

std::vector<std::int32_t> KChargeChanges::memberIds() const {
    std::vector<std::int32_t> ids;
    ids.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        ids.push_back(entry.member);
    return ids;
}

std::size_t KChargeChanges::memoryBytes() const {
    std::size_t bytes = sizeof(*this) + m_entries.capacity() * sizeof(Entry);
    for (const Entry& entry : m_entries) {
        if (entry.removed)
            bytes += chargeBytes(*entry.removed);
        if (entry.inserted)
            bytes += chargeBytes(*entry.inserted);
    }
    return bytes;
}
