#include "res/Commands.h"

#include <algorithm>
#include <array>

namespace {

constexpr KCommand kCommands[] = {
    {Cmd::SendMessage, "Verstuur &bericht", "Verstuur bericht met extra informatie", "", ""},
    {Cmd::MemberAdd, "&Toevoegen", "Toevoegen nieuw lid", "Nieuw lid", ""},
    {Cmd::ViewFont, "&Lettertype...", "Kies het lettertype van de ledenlijst", "Lettertype", ""},
    {Cmd::MemberDelete, "&Verwijderen", "Verwijderen van een lid", "Verwijderen", ""},
    {Cmd::MemberEdit, "&Wijzigen", "Wijzigen van gegevens", "Wijzigen", ""},
    {Cmd::MemberExport, "E&xporteren", "Exporteren in CSV-formaat", "Naar CSV", ""},
    {Cmd::Settings, "&Instellingen", "Wijzig instellingen", "Instellingen", ""},
    {Cmd::ContrNew, "&Nieuwe contributie", "Nieuwe jaargang contributie toevoegen",
     "Nieuwe contributie", ""},
    {Cmd::ContrChange, "&Wijzig contributie", "Wijzig contributiebedragen", "Wijzig contributie",
     ""},
    {Cmd::ContrDelete, "&Verwijder contributie", "Verwijder contributieschema",
     "Verwijder contributie", ""},
    {Cmd::ContrExecute, "Voer contributie &uit", "Voer contributie uit bij alle leden",
     "Voer contributie uit", ""},
    {Cmd::SendMessages, "Verstuur &berichten", "Verstuur berichten naar 1 of meer leden",
     "Verstuur berichten", ""},
    {Cmd::SpecialChars, "&Speciale karakters", "Toon speciale karakters", "Speciale karakters", ""},
    {Cmd::ContrOverview, "&Overzicht", "Overzicht van de openstaande bedragen", "Overzicht", ""},
    {Cmd::ConfigTabs, "&Rubrieken", "Wijzig rubrieken", "", ""},
    {Cmd::ConfigFields, "&Velden", "Wijzig velden", "", ""},
    {Cmd::ConfigMemberTypes, "&Leden", "Soorten leden", "", ""},
    {Cmd::ConfigColumns, "&Kolommen", "Welke informatie wordt getoond", "", ""},
    {Cmd::FileImport, "&Importeren...",
     "Lees leden in uit een spreadsheet (.xlsx, .ods) of een CSV-bestand", "Importeren", ""},
    {Cmd::FileRestoreBackup, "&Reservekopie terugzetten...",
     "Open een eerdere versie van het ledenbestand als nieuwe, niet bewaarde administratie",
     "Reservekopie terugzetten", ""},
    {Cmd::MemberExportExcel, "Exporteren naar &Excel...",
     "Exporteer de ledenlijst naar een Excel-werkmap (.xlsx)", "Naar Excel", ""},
    {Cmd::ContrSepa, "&Incassobestand maken...",
     "Maak een SEPA-incassobestand voor de bank van wat de leden verschuldigd zijn",
     "Incassobestand maken", ""},
    {Cmd::ContrStatement, "&Bankafschrift inlezen...",
     "Lees een bankafschrift in en boek de ontvangen bedragen bij de leden", "Bankafschrift inlezen",
     ""},
    {Cmd::EditFind, "&Zoeken...", "Zoek een lid in de ledenlijst", "Zoeken", "Ctrl+F"},
    {Cmd::MemberAgeUpdate, "&Leeftijd bijwerken...",
     "Zet bij elk lid met een geboortedatum of het op een peildatum senior is", "Leeftijd bijwerken",
     ""},
    {Cmd::FileNew, "&Nieuw", "Begin een nieuwe ledenadministratie", "Nieuw", "Ctrl+N"},
    {Cmd::FileOpen, "&Open...", "Open een bestaand ledenbestand", "Openen", "Ctrl+O"},
    {Cmd::FileSave, "&Bewaar", "Bewaar het ledenbestand", "Bewaren", "Ctrl+B"},
    {Cmd::FileSaveAs, "Bewaar A&ls...", "Bewaar het ledenbestand onder een nieuwe naam",
     "Bewaar als", ""},
    {Cmd::FilePrintSetup, "Printer&instellingen...", "Kies een printer en de printeropties",
     "Printerinstellingen", ""},
    {Cmd::FilePrint, "&Afdrukken...", "Druk het ledenoverzicht af", "Afdrukken", "Ctrl+A"},
    {Cmd::FileMru1, "", "Open dit ledenbestand", "", ""},
    {Cmd::FileMru1 + 1, "", "Open dit ledenbestand", "", ""},
    {Cmd::FileMru1 + 2, "", "Open dit ledenbestand", "", ""},
    {Cmd::FileMru1 + 3, "", "Open dit ledenbestand", "", ""},
    {Cmd::EditCopy, "&Kopiëren", "Kopieer de selectie naar het klembord", "Kopiëren",
     "Ctrl+C;Ctrl+Ins"},
    {Cmd::EditCut, "K&nippen", "Knip de selectie en zet haar op het klembord", "Knippen",
     "Ctrl+X;Shift+Del"},
    {Cmd::EditPaste, "&Plakken", "Plak de inhoud van het klembord", "Plakken", "Ctrl+V;Shift+Ins"},
    {Cmd::EditSelectAll, "&Alles selecteren", "Selecteer alle leden in de lijst",
     "Alles selecteren", ""},
    {Cmd::EditUndo, "&Ongedaan maken", "Maak de laatste handeling ongedaan", "Ongedaan maken",
     "Ctrl+Z;Alt+Backspace"},
    {Cmd::EditRedo, "Opn&ieuw", "Voer de ongedaan gemaakte handeling opnieuw uit", "Opnieuw",
     "Ctrl+Y;Ctrl+Shift+Z"},
    {Cmd::AppAbout, "&Over Korvel...", "Toon naam en versie van het programma", "Over Korvel", ""},
    {Cmd::AppExit, "&Einde", "Sluit het programma; vraagt of wijzigingen bewaard moeten worden",
     "Einde", ""},
    {Cmd::HelpFinder, "&Help Onderwerpen", "Toon de onderwerpen van de Help", "Help Onderwerpen",
     ""},
    {Cmd::ContextHelp, "Help bij &onderdeel",
     "Toon Help over een aangeklikte knop, menu of venster", "Help", "Shift+F1"},
    {Cmd::Help, "&Help", "Toon de Help bij het huidige venster", "Help", "F1"},
    {Cmd::DefaultHelp, "&Help", "Toon de Help", "Help", ""},
    {Cmd::NextPane, "&Volgend deelvenster", "Ga naar het volgende deelvenster",
     "Volgend deelvenster", "F6"},
    {Cmd::PrevPane, "V&orig deelvenster", "Ga naar het vorige deelvenster", "Vorig deelvenster",
     "Shift+F6"},
    {Cmd::ViewToolbar, "&Werkbalk", "Toon of verberg de werkbalk", "Werkbalk", ""},
    {Cmd::ViewStatusBar, "&Statusbalk", "Toon of verberg de statusbalk", "Statusbalk", ""},
};

constexpr bool inIdOrder() {
    for (std::size_t i = 1; i < std::size(kCommands); ++i)
        if (kCommands[i - 1].id >= kCommands[i].id)
            return false;
    return true;
}
static_assert(inIdOrder(), "findCommand searches the table by id");

constexpr int kFileMenu[] = {Cmd::FileNew,
                             Cmd::FileOpen,
                             Cmd::FileSave,
                             Cmd::FileSaveAs,
                             0,
                             Cmd::FileImport,
                             Cmd::FileRestoreBackup,
                             0,
                             Cmd::FilePrint,
                             0,
                             Cmd::FileMru1,
                             0,
                             Cmd::AppExit};
constexpr int kEditMenu[] = {Cmd::EditUndo,  Cmd::EditRedo, 0, Cmd::EditCut, Cmd::EditCopy,
                             Cmd::EditPaste, 0,             Cmd::EditFind};
constexpr int kMembersMenu[] = {Cmd::MemberAdd,    Cmd::MemberDelete, Cmd::MemberEdit, 0,
                                Cmd::MemberExport, Cmd::MemberExportExcel, Cmd::SendMessages, 0,
                                Cmd::MemberAgeUpdate};
constexpr int kFinanceMenu[] = {Cmd::ContrNew,     Cmd::ContrChange,  Cmd::ContrDelete, 0,
                                Cmd::ContrExecute, Cmd::ContrOverview,
                                0,                 Cmd::ContrSepa, Cmd::ContrStatement};
constexpr int kConfigMenu[] = {Cmd::ConfigTabs, Cmd::ConfigFields, Cmd::ConfigMemberTypes,
                               Cmd::ConfigColumns};
constexpr int kViewMenu[] = {Cmd::ViewToolbar, Cmd::ViewStatusBar, 0, Cmd::ViewFont, Cmd::Settings};
constexpr int kHelpMenu[] = {Cmd::HelpFinder, 0, Cmd::AppAbout};

constexpr KMenuLayout kMenuBar[] = {
    {"&Bestand", kFileMenu},     {"Be&werken", kEditMenu},      {"&Leden", kMembersMenu},
    {"&Financieel", kFinanceMenu}, {"&Configuratie", kConfigMenu}, {"&Toon", kViewMenu},
    {"&Help", kHelpMenu},
};

// The member grid's context menu.
constexpr int kMemberPopup[] = {Cmd::MemberAdd,    Cmd::MemberDelete, Cmd::MemberEdit, 0,
                                Cmd::SendMessage,  0, Cmd::MemberExport, 0,
                                Cmd::EditSelectAll};

constexpr int kToolbar[] = {Cmd::FileNew,   Cmd::FileOpen,
                            Cmd::FileSave,  0,
                            Cmd::EditCut,   Cmd::EditCopy,
                            Cmd::EditPaste, 0,
                            Cmd::FilePrint, 0,
                            Cmd::AppAbout,  Cmd::ContextHelp};

} // namespace

std::span<const KCommand> allCommands() {
    return kCommands;
}

const KCommand* findCommand(int id) {
    const auto it = std::lower_bound(std::begin(kCommands), std::end(kCommands), id,
                                     [](const KCommand& c, int wanted) { return c.id < wanted; });
    return it != std::end(kCommands) && it->id == id ? &*it : nullptr;
}

std::span<const KMenuLayout> menuBarLayout() {
    return kMenuBar;
}
std::span<const int> toolbarLayout() {
    return kToolbar;
}
std::span<const int> memberPopupLayout() {
    return kMemberPopup;
}

namespace FrameText {

QString memberCount(long count) {
    return count == 1 ? QStringLiteral("1 lid") : QStringLiteral("%1 leden").arg(count);
}

QString stoppedMessage(const QString& work) {
    return QStringLiteral("%1 gestopt; er is niets veranderd.").arg(work);
}

} // namespace FrameText
