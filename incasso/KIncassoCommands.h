#pragma once

#include "incasso/KIncassoDialogs.h"
#include "view/KCommandHost.h"

#include <memory>

class CKorvelDoc;

// The command "Financieel > Incassobestand maken": choose what to collect and from whom, write
// the SEPA direct-debit file, and on request book the collected amounts as payments in one
// undoable step. Always enabled: without members or creditor data it says what is missing.
class KIncassoCommands : public KAreaCommands {
public:
    KIncassoCommands(KCommandHost& host, std::unique_ptr<KIncassoDialogs> dialogs);
    ~KIncassoCommands() override;

    void makeFile();

    inline static const char* const kNoCreditor =
        "Vul eerst de gegevens van de vereniging als incassant in (Toon > Instellingen, pagina "
        "Incasso).\n\n%1";
    inline static const char* const kNoMembers = "Er zijn geen leden";
    inline static const char* const kNobodyChosen =
        "Er is geen lid gekozen dat kan worden geïncasseerd; er is geen bestand gemaakt.";
    inline static const char* const kStopped = "Gestopt: er is geen incassobestand gemaakt.";
    inline static const char* const kBookNow =
        "Wilt u de geïncasseerde bedragen nu boeken als betalingen op %1 met de opmerking "
        "\"%2\"?";

private:
    KCommandHost& m_host;
    CKorvelDoc& m_doc;
    std::unique_ptr<KIncassoDialogs> m_dialogs;
};
