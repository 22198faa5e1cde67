#pragma once

#include "core/model/KField.h"

#include <string>
#include <string_view>
#include <vector>

// What the columns dialog offers: the items of the user's column list ("Settings"/"Columns")
// as the grid shows them, and the field labels, "Nr." and "Schuld" it does not show.
struct KColumnChoice {
    std::vector<std::string> shown;    // in column order
    std::vector<std::string> notShown; // in the list's sorted order

    // The shown items are the list's items, empty ones included; an item that names no field
    // stays. A label, "Nr." or "Schuld" is offered as not shown when it occurs nowhere in the
    // stored text: a plain search, so the field Post is in neither list when Postcode is shown.
    static KColumnChoice fromColumnList(std::string_view columnList, const KFieldList& fields);

    // The column list of the shown items: each followed by "|"; empty for none.
    static std::string columnList(const std::vector<std::string>& shown);

    // The column list after the field definitions went from before to after: an item that
    // names a field by its label names it by its new label, and an item of a field that is
    // gone goes (unless a field still has that label). "Nr.", "Schuld" and items that named no
    // field stay. The list comes back as it was when nothing in it changed.
    static std::string afterFieldChanges(const std::string& columnList, const KFieldList& before,
                                         const KFieldList& after);

    // Where an item goes in the not-shown list: alphabetical, case aside, the way a sorted list
    // box orders (equal texts: after the ones there).
    static std::size_t sortedPlace(const std::vector<std::string>& list, const std::string& item);
};
