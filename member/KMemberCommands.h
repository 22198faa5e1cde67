#pragma once

#include "view/KCommandHost.h"

#include <cstdint>
#include <memory>
#include <vector>

class KMemberDialogs;

// The member commands of the "&Leden" menu and the grid's context menu: "&Toevoegen" (32771),
// "&Wijzigen" (32776, also a double-click on a row), "&Verwijderen" (32775) and
// "&Leeftijd bijwerken..." (32816). Each confirmed
// change is one edit of the document, so one step to undo; afterwards the member's row is the
// selected and current row of the grid.
class KMemberCommands : public KAreaCommands {
public:
    KMemberCommands(KCommandHost& host, std::unique_ptr<KMemberDialogs> dialogs);
    ~KMemberCommands() override;

    void addMember();
    // The first selected row's member.
    void changeMember();
    void editMemberById(std::int32_t id);
    // The selected rows' members, after asking.
    void deleteMembers();
    void deleteMembersByIds(const std::vector<std::int32_t>& ids);
    // "&Leeftijd bijwerken...": Senior from each member's age on a reference date, one step.
    void updateAges();

private:
    KCommandHost& m_host;
    std::unique_ptr<KMemberDialogs> m_dialogs;
};
