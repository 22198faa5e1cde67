#include "app/KAreas.h"

#include "output/KOutputCommands.h"

std::vector<std::unique_ptr<KAreaCommands>> installAreaCommands(KCommandHost& host) {
    std::vector<std::unique_ptr<KAreaCommands>> areas;
    (void)host;

    // Members: add, change, delete (menu "&Leden", the grid's context menu, double-click).

    // Contributions: new, change, delete, execute, overview (menu "&Financieel").

    // Configuration: tabs, fields, member types, columns, settings.

    // Output: export, printing, font, messages to members.
    areas.push_back(makeOutputCommands(host));

    return areas;
}
