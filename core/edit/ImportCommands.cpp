#include "core/edit/ImportCommands.h"

#include <algorithm>
#include <string>

namespace {

constexpr std::size_t kNoTab = static_cast<std::size_t>(-1);

} // namespace

KImportMembersCommand::KImportMembersCommand(CKorvelDoc& doc, KImportChanges changes)
    : KEditCommand(doc, QStringLiteral("leden importeren")), m_fields(std::move(changes.fields)),
      m_types(std::move(changes.memberTypes)), m_others(std::move(changes.updated)),
      m_new(std::move(changes.added)) {
    m_addedIds.reserve(m_new.size());
    for (const auto& member : m_new) {
        m_addedIds.push_back(member->id());
        m_added.insert(member.get());
    }
    for (const auto& [id, contents] : m_others)
        m_updatedIds.push_back(id);
}

void KImportMembersCommand::addFields() {
    if (m_fields.empty())
        return;
    m_tabOfField.assign(m_fields.size(), kNoTab);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const KField& def = m_fields[i].definition;
        fields().insert(def);
        std::size_t place = 0;
        for (KTabDef& tab : tabs()) {
            if (tab.name() == m_fields[i].tab) {
                tab.addFieldId(def.id());
                m_tabOfField[i] = place;
                break;
            }
            ++place;
        }
    }
    // Every member that holds values holds one per field; a member without values (only a
    // damaged file has one) stays without, as bringing the members in step leaves it.
    for (KMember& m : members()) {
        if (m.values().empty())
            continue;
        for (const auto& field : m_fields)
            m.values().insert(field.definition);
    }
}

void KImportMembersCommand::removeFields() {
    if (m_fields.empty())
        return;
    std::unordered_set<std::int32_t> ids;
    for (const auto& field : m_fields)
        ids.insert(field.definition.id());
    for (KMember& m : members())
        if (!m.values().empty())
            m.values().takeWhere([&ids](const KField& v) { return ids.count(v.id()) != 0; });
    for (std::size_t i = m_fields.size(); i-- > 0;) {
        const std::int32_t id = m_fields[i].definition.id();
        if (m_tabOfField[i] != kNoTab)
            tabs().at(m_tabOfField[i]).removeFieldId(id);
        fields().removeFirst([id](const KField& f) { return f.id() == id; });
    }
}

void KImportMembersCommand::swapUpdated() {
    for (auto& [id, other] : m_others)
        if (KMember* target = member(id))
            target->swapContents(other);
}

void KImportMembersCommand::placeNewMembers() {
    // A new member goes in front of the first member that does not come before it. In a list
    // whose names were changed after insertion that is not a binary search on the list itself,
    // but it is one on the list's records: the members that come after every member in front of
    // them. The first member not before a new one is always such a record, so each new member
    // joins the group in front of one record (or the group at the end), and within a group the
    // new members order among themselves as insertions into a sorted list do: a stable sort of
    // the reversed input.
    using Ptr = std::unique_ptr<KMember>;
    std::vector<std::pair<std::size_t, Ptr>> existing =
        members().takeWhere([](const KMember&) { return true; });
    std::vector<std::string> keys;
    keys.reserve(existing.size());
    for (const auto& entry : existing)
        keys.push_back(KListOrder<KMember>::key(*entry.second));
    std::vector<std::size_t> records;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (records.empty() || keys[records.back()] < keys[i])
            records.push_back(i);

    // Per group, the new members with their keys, in the order given.
    std::vector<std::vector<std::pair<std::string, Ptr>>> groups(existing.size() + 1);
    for (Ptr& item : m_new) {
        std::string key = KListOrder<KMember>::key(*item);
        const auto at = std::partition_point(records.begin(), records.end(),
                                             [&](std::size_t r) { return keys[r] < key; });
        const std::size_t group = at == records.end() ? existing.size() : *at;
        groups[group].emplace_back(std::move(key), std::move(item));
    }
    m_new.clear();

    std::vector<std::pair<std::size_t, Ptr>> merged;
    merged.reserve(existing.size() + m_addedIds.size());
    auto emitGroup = [&merged](std::vector<std::pair<std::string, Ptr>>& group) {
        std::reverse(group.begin(), group.end());
        std::stable_sort(group.begin(), group.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& entry : group)
            merged.emplace_back(merged.size(), std::move(entry.second));
        group.clear();
    };
    for (std::size_t i = 0; i < existing.size(); ++i) {
        emitGroup(groups[i]);
        merged.emplace_back(merged.size(), std::move(existing[i].second));
    }
    emitGroup(groups[existing.size()]);
    members().putBack(std::move(merged));
}

void KImportMembersCommand::redo() {
    addFields();
    if (!m_types.empty()) {
        m_typesBefore = memberTypes().size();
        memberTypes().insert(memberTypes().end(), m_types.begin(), m_types.end());
    }
    swapUpdated();
    if (!m_placed) {
        placeNewMembers();
        m_placed = true;
    } else {
        members().putBack(std::move(m_out));
        m_out.clear();
    }
    memberListChanged();
    if (!m_fields.empty() || !m_types.empty())
        tellConfiguration();
    tellMembers({m_addedIds, m_updatedIds, {}});
}

void KImportMembersCommand::undo() {
    m_out = members().takeWhere([this](const KMember& m) { return m_added.count(&m) != 0; });
    memberListChanged();
    swapUpdated();
    if (!m_types.empty())
        memberTypes().resize(m_typesBefore);
    removeFields();
    if (!m_fields.empty() || !m_types.empty())
        tellConfiguration();
    tellMembers({{}, m_updatedIds, m_addedIds});
}
