#pragma once

#include "core/edit/KEditCommand.h"

#include <memory>
#include <utility>

// Adds a member that already has its id; the member goes into the list in name order.
class KAddMemberCommand : public KEditCommand {
public:
    KAddMemberCommand(CKorvelDoc& doc, std::unique_ptr<KMember> member);
    void redo() override;
    void undo() override;

private:
    std::unique_ptr<KMember> m_member; // while not in the document
    std::int32_t m_id;
    std::size_t m_index = 0;
};

// Gives the member with an id new values, charges and payments. The member keeps its id and
// its place in the list, as an edit in place does.
class KReplaceMemberCommand : public KEditCommand {
public:
    KReplaceMemberCommand(CKorvelDoc& doc, std::int32_t id, const KMember& contents);
    void redo() override;
    void undo() override;

private:
    std::int32_t m_id;
    KMember m_other; // the contents not in the document
};

// Gives several members new contents in one step (a batch of payments booked, a field set for
// many members). Each keeps its id and its place; ids without a member are passed over.
class KReplaceMembersCommand : public KEditCommand {
public:
    KReplaceMembersCommand(CKorvelDoc& doc, const QString& text,
                           std::vector<std::pair<std::int32_t, KMember>> contents);
    void redo() override;
    void undo() override;

private:
    std::vector<std::pair<std::int32_t, KMember>> m_others; // the contents not in the document
};

// Removes the members with the given ids, the first member of each id; ids that find no member
// are passed over.
class KDeleteMembersCommand : public KEditCommand {
public:
    KDeleteMembersCommand(CKorvelDoc& doc, std::vector<std::int32_t> ids);
    void redo() override;
    void undo() override;
    // How many members the last redo removed.
    std::size_t removedCount() const { return m_removedCount; }

private:
    std::vector<std::int32_t> m_ids;
    std::size_t m_removedCount = 0;
    std::vector<std::pair<std::size_t, std::unique_ptr<KMember>>> m_removed; // with their places
};
