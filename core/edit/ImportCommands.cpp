#include "core/edit/ImportCommands.h"

#include <algorithm>
#include <string>

KImportMembersCommand::KImportMembersCommand(CKorvelDoc& doc, KImportChanges changes)
    : KEditCommand(doc, QStringLiteral("leden importeren")), m_fields(std::move(changes.fields)),
      m_types(std::move(changes.memberTypes)), m_others(std::move(changes.updated)),
      m_new(std::move(changes.added)) {
    for (const auto& member : m_new)
        m_added.insert(member.get());
}

void KImportMembersCommand::makeLists() {
    m_fieldList = doc().fields();
    m_tabList = doc().tabs();
    for (const KImportChanges::NewField& field : m_fields) {
        const KField& def = field.definition;
        m_fieldList.insert(def);
        for (KTabDef& tab : m_tabList) {
            if (tab.name() == field.tab) {
                tab.addFieldId(def.id());
                break;
            }
        }
    }
    m_typeList = doc().memberTypes();
    m_typeList.insert(m_typeList.end(), m_types.begin(), m_types.end());
}

void KImportMembersCommand::addValues(KMemberAccess& members) const {
    // Every member that holds values holds one per field; a member without values (only a
    // damaged file has one) stays without, as bringing the members in step leaves it.
    for (KMember& m : members) {
        if (m.values().empty())
            continue;
        for (const auto& field : m_fields)
            m.values().insert(field.definition);
    }
}

void KImportMembersCommand::removeValues(KMemberAccess& members) const {
    std::unordered_set<std::int32_t> ids;
    for (const auto& field : m_fields)
        ids.insert(field.definition.id());
    for (KMember& m : members)
        if (!m.values().empty())
            m.values().takeWhere([&ids](const KField& v) { return ids.count(v.id()) != 0; });
}

std::vector<std::pair<std::size_t, std::unique_ptr<KMember>>>
KImportMembersCommand::placeNewMembers() {
    // A new member goes in front of the first member that does not come before it. In a list
    // whose names were changed after insertion that is not a binary search on the list itself,
    // but it is one on the list's records: the members that come after every member in front of
    // them. The first member not before a new one is always such a record, so each new member
    // joins the group in front of one record (or the group at the end), and within a group the
    // new members order among themselves as insertions into a sorted list do: a stable sort of
    // the reversed input.
    using Ptr = std::unique_ptr<KMember>;
    const KMemberList& existing = doc().members();
    std::vector<std::string> keys;
    keys.reserve(existing.size());
    for (const KMember& m : existing)
        keys.push_back(KListOrder<KMember>::key(m));
    std::vector<std::size_t> records;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (records.empty() || keys[records.back()] < keys[i])
            records.push_back(i);

    // Per group, the new members with their keys, in the order given.
    std::vector<std::vector<std::pair<std::string, Ptr>>> groups(keys.size() + 1);
    for (Ptr& item : m_new) {
        std::string key = KListOrder<KMember>::key(*item);
        const auto at = std::partition_point(records.begin(), records.end(),
                                             [&](std::size_t r) { return keys[r] < key; });
        const std::size_t group = at == records.end() ? keys.size() : *at;
        groups[group].emplace_back(std::move(key), std::move(item));
    }
    const std::size_t count = m_new.size();
    m_new.clear();

    // Each new member with its place in the list once all are in.
    std::vector<std::pair<std::size_t, Ptr>> placed;
    placed.reserve(count);
    std::size_t place = 0;
    auto emitGroup = [&placed, &place](std::vector<std::pair<std::string, Ptr>>& group) {
        std::reverse(group.begin(), group.end());
        std::stable_sort(group.begin(), group.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& entry : group)
            placed.emplace_back(place++, std::move(entry.second));
        group.clear();
    };
    for (std::size_t i = 0; i < keys.size(); ++i) {
        emitGroup(groups[i]);
        ++place; // the existing member
    }
    emitGroup(groups[keys.size()]);
    return placed;
}

void KImportMembersCommand::redo() {
    if (!m_placed)
        makeLists();
    if (!m_fields.empty())
        swapFields(m_fieldList, m_tabList,
                   [this](KMemberAccess& members) { addValues(members); });
    if (!m_types.empty())
        swapMemberTypes(m_typeList);
    swapMembers(m_others);
    if (!m_placed) {
        putBackMembers(placeNewMembers());
        m_placed = true;
    } else {
        putBackMembers(std::move(m_out));
        m_out.clear();
    }
}

void KImportMembersCommand::undo() {
    m_out = takeMembers([this](const KMember& m) { return m_added.count(&m) != 0; });
    swapMembers(m_others);
    if (!m_types.empty())
        swapMemberTypes(m_typeList);
    if (!m_fields.empty())
        swapFields(m_fieldList, m_tabList,
                   [this](KMemberAccess& members) { removeValues(members); });
}
