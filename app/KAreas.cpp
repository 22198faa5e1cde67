#include "app/KAreas.h"

#include "app/KHelpCommands.h"
#include "config/KConfigCommands.h"
#include "contrib/KContribCommands.h"
#include "contrib/KContribDialogWindows.h"
#include "exchange/KExchangeCommands.h"
#include "incasso/KIncassoCommands.h"
#include "incasso/KIncassoDialogWindows.h"
#include "member/KMemberCommands.h"
#include "member/KMemberDialogBoxes.h"
#include "output/KOutputCommands.h"
#include "statement/KStatementCommands.h"
#include "statement/KStatementWindows.h"

std::vector<std::unique_ptr<KAreaCommands>> installAreaCommands(KCommandHost& host) {
    std::vector<std::unique_ptr<KAreaCommands>> areas;

    // Members: add, change, delete (menu "&Leden", the grid's context menu, double-click).
    areas.push_back(std::make_unique<KMemberCommands>(
        host, std::make_unique<KMemberDialogBoxes>(host.window(), host.questions())));

    // Contributions: new, change, delete, execute, overview (menu "&Financieel").
    areas.push_back(std::make_unique<KContribCommands>(
        host, std::make_unique<KContribDialogWindows>(host.window(), host.questions())));

    // Direct debits: the SEPA direct-debit file (menu "&Financieel").
    areas.push_back(std::make_unique<KIncassoCommands>(
        host, std::make_unique<KIncassoDialogWindows>(host.window())));
    // The bank statement: read it, review it, book it (menu "&Financieel").
    areas.push_back(std::make_unique<KStatementCommands>(
        host, std::make_unique<KStatementWindows>(host.window())));

    // Configuration: tabs, fields, member types, columns, settings.
    areas.push_back(std::make_unique<KConfigCommands>(host));

    // Output: export, printing, font, messages to members.
    areas.push_back(makeOutputCommands(host));

    // Exchange: member lists from spreadsheets, CSV files and the clipboard, and to Excel.
    areas.push_back(makeExchangeCommands(host));

    // Help: the manual, and help on what the user points at (menu "&Help").
    areas.push_back(std::make_unique<KHelpCommands>(host));

    return areas;
}
