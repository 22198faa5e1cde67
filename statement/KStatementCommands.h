#pragma once

#include "view/KCommandHost.h"

#include <memory>

class CKorvelDoc;
class KStatementDialogs;

// "Financieel > &Bankafschrift inlezen...": reads a bank statement, shows every amount with
// the member found for it, and books what the treasurer leaves ticked as payments, in one
// step. It needs members to book for.
class KStatementCommands : public KAreaCommands {
public:
    KStatementCommands(KCommandHost& host, std::unique_ptr<KStatementDialogs> dialogs);
    ~KStatementCommands() override;

    void readStatement();

    inline static const char* const kNoEntries = "Het afschrift bevat geen bij- of afschrijvingen.";
    inline static const char* const kNothingBooked = "Er is niets geboekt.";
    inline static const char* const kBooked = "Er zijn %1 bedragen geboekt, samen %2.";
    inline static const char* const kBookedOne = "Er is 1 bedrag geboekt: %1.";

private:
    KCommandHost& m_host;
    // The one document, which outlives the main window and its commands.
    CKorvelDoc& m_doc;
    std::unique_ptr<KStatementDialogs> m_dialogs;
};
