#pragma once

#include "core/model/KField.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The member grid's columns as the user's column list names them (profile "Settings"/"Columns",
// items separated by "|"): the running number "Nr.", the balance "Schuld", or a field label.
// Column 0 of the grid, the member's hidden identifier, is not part of the list.
class MemberColumns {
public:
    // Codes a column keeps besides the id of its field.
    static constexpr std::int32_t kRunningNumber = 9999999;
    static constexpr std::int32_t kBalance = 9999998;
    static constexpr std::int32_t kNoField = -1;

    struct Column {
        std::string title; // the item as the list holds it
        std::int32_t code; // field id, kRunningNumber, kBalance or kNoField
        bool operator==(const Column&) const = default;
    };

    MemberColumns() = default;
    // Resolves every item of the list against the fields: the first field, in list order, whose
    // label equals the item exactly.
    MemberColumns(std::string_view columnList, const KFieldList& fields);

    // The items of a column list. A "|" at the end closes the list; "||" gives an empty item.
    static std::vector<std::string> split(std::string_view columnList);
    // The user's column list from the profile, as Windows-1252 bytes; empty when absent.
    static std::string profileValue();

    const std::vector<Column>& columns() const { return m_columns; }
    std::size_t size() const { return m_columns.size(); }
    const Column& at(std::size_t i) const { return m_columns[i]; }

private:
    std::vector<Column> m_columns;
};
