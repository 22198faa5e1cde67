#pragma once

#include "core/KOutcome.h"
#include "core/model/KTabDef.h"

#include <QString>

#include <string>
#include <vector>

// The tabs dialog edits only names; a tab is known by its name. These are its list's rules and
// how the names listed become the document's tab list.
namespace KTabNames {

// One name per position 0 .. count - 1: the first tab in list order at that position. Tabs at
// a position no name is listed for (-1, a place beyond the count, a second tab at a place)
// are not listed.
std::vector<std::string> byPosition(const KTabList& tabs);

// The tab list after OK: each listed name's tab (the first of that name) takes the name's
// place as its position, a name without a tab becomes a new tab without fields, and a tab
// whose name is not listed goes, with its fields' order. The fields themselves stay defined.
KTabList applied(const KTabList& tabs, const std::vector<std::string>& names);

// The list's buttons: Done; NothingToDo for an empty name, no selection, or a name that is
// listed already; Failed, with duplicateMessage(), for a changed name another item has.
// "<-- Toevoegen": appends the name unless it is empty or listed exactly so already.
KResult add(std::vector<std::string>& names, const std::string& name);
// "<--> Wijzigen": the selected item goes and the name is appended at the end. Two items of
// one name would become one tab on OK, so a name another item has is refused.
KResult change(std::vector<std::string>& names, int selected, const std::string& name);
// "--> Verwijderen": the selected item goes.
KResult remove(std::vector<std::string>& names, int selected);

// What the user reads when a change is refused.
QString duplicateMessage(const std::string& name);

} // namespace KTabNames
