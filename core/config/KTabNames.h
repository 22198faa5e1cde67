#pragma once

#include "core/model/KTabDef.h"

#include <QString>

#include <string>
#include <vector>

// The tabs dialog edits names and their order. Each item of its list remembers the tab it was
// made from, so renaming a tab keeps the tab, its fields and their order; these are its list's
// rules and how the items listed become the document's tab list.
namespace KTabNames {

// One item of the list: the name shown and the place in the tab list of the tab it stands
// for, -1 for a name added in the dialog.
struct Entry {
    std::string name;
    int tab = -1;
    bool operator==(const Entry&) const = default;
};
using Entries = std::vector<Entry>;

// Every tab, in the order the member dialog shows them (by position, ties in list order), so
// that a tab at -1, beyond the count or at a place another tab has is listed and kept too.
Entries listed(const KTabList& tabs);
// Whether OK on the list changes the tabs; an unchanged list changes nothing, not even
// positions that skip or repeat a number.
bool changes(const KTabList& tabs, const Entries& entries);

// The tab list after OK: each item's tab takes the item's name and its place as position, an
// item added in the dialog becomes a new tab without fields, and a tab no item stands for goes,
// with its fields' order. The fields themselves stay defined.
KTabList applied(const KTabList& tabs, const Entries& entries);

enum class Edit {
    Done,
    Nothing,   // an empty name, no selection, or a name that is listed already
    Duplicate, // the changed name is listed already under another item
};
// "<-- Toevoegen": appends the name unless it is empty or listed exactly so already.
Edit add(Entries& entries, const std::string& name);
// "<--> Wijzigen": the selected item takes the name in its place; it stays the same tab. Two
// items of one name could not be told apart, so a name another item has is refused.
Edit change(Entries& entries, int selected, const std::string& name);
// "--> Verwijderen": the selected item goes.
Edit remove(Entries& entries, int selected);

// What the user reads when a change is refused.
QString duplicateMessage(const std::string& name);

} // namespace KTabNames
