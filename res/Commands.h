#pragma once

#include <QString>

#include <span>

// The program's command ids, with the texts the menus, the status bar and the tooltips show
// for them, and the layout of the menu bar and the toolbar.
namespace Cmd {
enum : int {
    SendMessage = 169,
    MemberAdd = 32771,
    ViewFont = 32774,
    MemberDelete = 32775,
    MemberEdit = 32776,
    MemberExport = 32777,
    Settings = 32778,
    ContrNew = 32779,
    ContrChange = 32786,
    ContrDelete = 32787,
    ContrExecute = 32788,
    SendMessages = 32789,
    SpecialChars = 32791,
    ContrOverview = 32792,
    ConfigTabs = 32794,
    ConfigFields = 32796,
    ConfigMemberTypes = 32798,
    ConfigColumns = 32803,
    FileImport = 32810,
    FileRestoreBackup = 32811,
    MemberExportExcel = 32812,
    ContrSepa = 32813,
    ContrStatement = 32814,
    EditFind = 32815,
    MemberAgeUpdate = 32816,
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePrintSetup = 57606,
    FilePrint = 57607,
    FileMru1 = 57616, // up to FileMru1 + RecentFileCount - 1
    EditCopy = 57634,
    EditCut = 57635,
    EditPaste = 57637,
    IndicatorMembers = 57638,
    EditSelectAll = 57642,
    EditUndo = 57643,
    EditRedo = 57644,
    AppAbout = 57664,
    AppExit = 57665,
    HelpFinder = 57667,
    ContextHelp = 57669,
    Help = 57670,
    DefaultHelp = 57671,
    NextPane = 57680,
    PrevPane = 57681,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
};
inline constexpr int RecentFileCount = 4;
} // namespace Cmd

struct KCommand {
    int id;
    const char* menuText;   // with the & of its access key
    const char* statusText; // shown in the status bar while the item is hovered
    const char* toolTip;    // empty when the command has none
    const char* shortcuts;  // key sequences separated by ';', empty for none
};

// Every command, in id order.
std::span<const KCommand> allCommands();
// nullptr for an unknown id.
const KCommand* findCommand(int id);

// One menu of the menu bar: its title and its items, 0 standing for a separator.
struct KMenuLayout {
    const char* title;
    std::span<const int> items;
};
std::span<const KMenuLayout> menuBarLayout();
// The toolbar's buttons in order, 0 standing for a separator.
std::span<const int> toolbarLayout();
// The member grid's context menu, 0 standing for a separator.
std::span<const int> memberPopupLayout();

// Texts of the main window that belong to no command.
namespace FrameText {
inline constexpr const char* appTitle = "Korvel";
// The name of a new administration until it is saved: the document's new-file name.
inline constexpr const char* untitled = "Korvel";
inline constexpr const char* fileFilter = "Korvel bestanden (*.kvl)";
inline constexpr const char* fileExtension = "kvl";
inline constexpr const char* idlePrompt = "Voor Hulp, druk op F1";
inline constexpr const char* memberCountWidth = "Aantal leden";
inline constexpr const char* noRecentFiles = "Recente bestanden";
// "1 lid", "0 leden", "240 leden".
QString memberCount(long count);
// What the status bar says when work was stopped ("Exporteren gestopt; er is niets veranderd.").
QString stoppedMessage(const QString& work);
} // namespace FrameText
