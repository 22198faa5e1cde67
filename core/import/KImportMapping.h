#pragma once

#include "core/format/SystemDate.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What becomes of every column of a table to import, and how its values are read.
struct KImportMapping {
    struct Target {
        enum class Kind { Skip, Field, NewTextField };
        Kind kind = Kind::Skip;
        std::int32_t fieldId = 0; // for Field

        static Target skip() { return {}; }
        static Target field(std::int32_t id) { return {Kind::Field, id}; }
        static Target newTextField() { return {Kind::NewTextField, 0}; }
        bool operator==(const Target&) const = default;
    };

    // The first row holds the columns' titles and no member.
    bool firstRowTitles = true;
    DateOrder dateOrder = DateOrder::DayMonthYear;
    // One per column of the table.
    std::vector<Target> columns;
    // The tab the new text fields go on (Windows-1252).
    std::string newFieldTab;
    // Fields whose columns join in an order of their own, not the table's.
    std::vector<std::pair<std::int32_t, std::vector<int>>> joinOrder;
};
