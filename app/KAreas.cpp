#include "app/KAreas.h"

#include "app/HelpCommands.h"
#include "config/KConfigCommands.h"
#include "contrib/KContribCommands.h"
#include "contrib/KContribDialogWindows.h"
#include "member/KMemberCommands.h"
#include "member/KMemberDialogBoxes.h"
#include "member/KMemberHelp.h"
#include "output/KOutputCommands.h"

#include <QString>

std::vector<std::unique_ptr<KAreaCommands>> installAreaCommands(KCommandHost& host) {
    std::vector<std::unique_ptr<KAreaCommands>> areas;

    // Members: add, change, delete (menu "&Leden", the grid's context menu, double-click).
    KMemberHelp::setPageShower(
        [](const QString& page) { showHelpPage(page + QStringLiteral(".md")); });
    areas.push_back(std::make_unique<KMemberCommands>(
        host, std::make_unique<KMemberDialogBoxes>(host.window(), host.questions())));

    // Contributions: new, change, delete, execute, overview (menu "&Financieel").
    areas.push_back(std::make_unique<KContribCommands>(
        host, std::make_unique<KContribDialogWindows>(host.window(), host.questions())));

    // Configuration: tabs, fields, member types, columns, settings.
    areas.push_back(std::make_unique<KConfigCommands>(host));

    // Output: export, printing, font, messages to members.
    areas.push_back(makeOutputCommands(host));

    return areas;
}
