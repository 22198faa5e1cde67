#pragma once

#include "core/KOutcome.h"
#include "core/document/KDocListener.h"
#include "view/KCommandHost.h"

#include <memory>

class CKorvelDoc;
class KContribDialogs;
class KOverview;

// The commands of the menu "&Financieel": new, change and delete a scheme, execute a scheme
// over chosen members, and the overview of outstanding amounts. Each asks through its dialogs
// and the host's questions, then makes one edit. The commands that need a scheme, or members,
// follow the document's schemes and members.
class KContribCommands : public KAreaCommands, private KDocListener {
public:
    KContribCommands(KCommandHost& host, std::unique_ptr<KContribDialogs> dialogs);
    ~KContribCommands() override;

    void newScheme();
    void changeScheme();
    void deleteScheme();
    void execute();
    void overview();

    // The questions of the two commands that touch members' charges.
    inline static const char* const kCarryThrough =
        "Wilt u deze wijziging ook bij de leden doorvoeren?";
    inline static const char* const kConfirmDelete = "Weet u zeker dat u\n\n%1\n\nwilt verwijderen?";
    inline static const char* const kRemoveCharges =
        "Deze contributie is al bij de leden verwerkt.\nWilt u de contributie ook bij de leden "
        "verwijderen?";

private:
    void schemesChanged() override;
    void documentReset() override;
    bool anyMemberCharged(std::int32_t schemeId) const;
    void listMembersOf(const KOverview& overview, int row, int col);
    // Executing, up to the total: done, stopped (nothing changed), or nothing to do.
    KResult runExecution();

    KCommandHost& m_host;
    // The one document, which outlives the main window and its commands.
    CKorvelDoc& m_doc;
    std::unique_ptr<KContribDialogs> m_dialogs;
};
