#include "core/edit/MemberCommands.h"

#include <unordered_map>
#include <unordered_set>

KAddMemberCommand::KAddMemberCommand(CKorvelDoc& doc, std::unique_ptr<KMember> member)
    : KEditCommand(doc, QStringLiteral("lid toevoegen")), m_member(std::move(member)),
      m_id(m_member->id()) {}

void KAddMemberCommand::redo() {
    m_index = members().insertIndex(*m_member);
    members().insertAt(m_index, std::move(m_member));
    memberListChanged();
    tellMembers({{m_id}, {}, {}});
}

void KAddMemberCommand::undo() {
    m_member = members().takeAt(m_index);
    memberListChanged();
    tellMembers({{}, {}, {m_id}});
}

KReplaceMemberCommand::KReplaceMemberCommand(CKorvelDoc& doc, std::int32_t id,
                                             const KMember& contents)
    : KEditCommand(doc, QStringLiteral("lid wijzigen")), m_id(id), m_other(contents) {}

void KReplaceMemberCommand::swap() {
    if (KMember* target = member(m_id)) {
        target->swapContents(m_other);
        tellMembers({{}, {m_id}, {}});
    }
}

void KReplaceMemberCommand::redo() {
    swap();
}

void KReplaceMemberCommand::undo() {
    swap();
}

KReplaceMembersCommand::KReplaceMembersCommand(
    CKorvelDoc& doc, const QString& text, std::vector<std::pair<std::int32_t, KMember>> contents)
    : KEditCommand(doc, text), m_others(std::move(contents)) {}

void KReplaceMembersCommand::swap() {
    KMemberChange change;
    for (auto& [id, other] : m_others)
        if (KMember* target = member(id)) {
            target->swapContents(other);
            change.changed.push_back(id);
        }
    tellMembers(change);
}

void KReplaceMembersCommand::redo() {
    swap();
}

void KReplaceMembersCommand::undo() {
    swap();
}

KDeleteMembersCommand::KDeleteMembersCommand(CKorvelDoc& doc, std::vector<std::int32_t> ids)
    : KEditCommand(doc, QStringLiteral("leden verwijderen")), m_ids(std::move(ids)) {}

void KDeleteMembersCommand::redo() {
    // Each id removes the first member with that id that is still there, so an id given twice
    // removes two members of that id, as removing them one after another would. The members of
    // every id are found in one pass over the list.
    std::unordered_map<std::int32_t, std::size_t> wanted;
    for (std::int32_t id : m_ids)
        ++wanted[id];
    std::unordered_set<const KMember*> targets;
    m_removedIds.clear();
    for (const KMember& m : members()) {
        const auto it = wanted.find(m.id());
        if (it != wanted.end() && it->second > 0) {
            --it->second;
            targets.insert(&m);
        }
    }
    std::unordered_map<std::int32_t, std::size_t> found;
    for (const KMember* m : targets)
        ++found[m->id()];
    for (std::int32_t id : m_ids) {
        auto it = found.find(id);
        if (it != found.end() && it->second > 0) {
            --it->second;
            m_removedIds.push_back(id);
        }
    }
    m_removed = members().takeWhere([&](const KMember& m) { return targets.count(&m) != 0; });
    memberListChanged();
    tellMembers({{}, {}, m_removedIds});
}

void KDeleteMembersCommand::undo() {
    members().putBack(std::move(m_removed));
    m_removed.clear();
    memberListChanged();
    tellMembers({m_removedIds, {}, {}});
}
