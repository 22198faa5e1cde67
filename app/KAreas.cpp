#include "app/KAreas.h"

#include "contrib/KContribCommands.h"
#include "contrib/KContribDialogWindows.h"

std::vector<std::unique_ptr<KAreaCommands>> installAreaCommands(KCommandHost& host) {
    std::vector<std::unique_ptr<KAreaCommands>> areas;

    // Members: add, change, delete (menu "&Leden", the grid's context menu, double-click).

    // Contributions: new, change, delete, execute, overview (menu "&Financieel").
    areas.push_back(std::make_unique<KContribCommands>(
        host, std::make_unique<KContribDialogWindows>(host.window())));

    // Configuration: tabs, fields, member types, columns, settings.

    // Output: export, printing, font, messages to members.

    return areas;
}
