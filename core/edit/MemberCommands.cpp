#include "core/edit/MemberCommands.h"

#include <unordered_map>
#include <unordered_set>

KAddMemberCommand::KAddMemberCommand(CKorvelDoc& doc, std::unique_ptr<KMember> member)
    : KEditCommand(doc, QStringLiteral("lid toevoegen")), m_member(std::move(member)),
      m_id(m_member->id()) {}

void KAddMemberCommand::redo() {
    m_index = doc().members().insertIndex(*m_member);
    insertMember(m_index, std::move(m_member));
}

void KAddMemberCommand::undo() {
    m_member = takeMember(m_index);
}

KReplaceMemberCommand::KReplaceMemberCommand(CKorvelDoc& doc, std::int32_t id,
                                             const KMember& contents)
    : KEditCommand(doc, QStringLiteral("lid wijzigen")), m_id(id), m_other(contents) {}

void KReplaceMemberCommand::redo() {
    swapMember(m_id, m_other);
}

void KReplaceMemberCommand::undo() {
    swapMember(m_id, m_other);
}

KReplaceMembersCommand::KReplaceMembersCommand(
    CKorvelDoc& doc, const QString& text, std::vector<std::pair<std::int32_t, KMember>> contents)
    : KEditCommand(doc, text), m_others(std::move(contents)) {}

void KReplaceMembersCommand::redo() {
    swapMembers(m_others);
}

void KReplaceMembersCommand::undo() {
    swapMembers(m_others);
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
    for (const KMember& m : doc().members()) {
        const auto it = wanted.find(m.id());
        if (it != wanted.end() && it->second > 0) {
            --it->second;
            targets.insert(&m);
        }
    }
    m_removed = takeMembers([&](const KMember& m) { return targets.count(&m) != 0; });
    m_removedCount = m_removed.size();
}

void KDeleteMembersCommand::undo() {
    putBackMembers(std::move(m_removed));
    m_removed.clear();
}
