#pragma once

#include "core/model/KMember.h"
#include "core/table/MemberColumns.h"

#include <cstdint>
#include <string>
#include <vector>

// The texts of the member grid below its title row: one row per member in list order, column 0
// the member's identifier, then one cell per column of the column list. Every cell is worked out
// once, so a club of 100,000 members fills its grid without delay.
class MemberTable {
public:
    // Shown where a member has no value for a column's field, or no field matches the column.
    static constexpr const char* kMissing = "???";

    MemberTable(const KMemberList& members, const MemberColumns& columns);

    int rowCount() const { return m_rows; }
    // Column 0 included.
    int colCount() const { return m_cols; }
    // Row 0 is the first member.
    const std::string& cell(int row, int col) const { return m_cells[index(row, col)]; }
    // The texts of one column, row by row.
    std::vector<std::string> column(int col) const;
    // Hands a cell's text over, leaving it empty.
    std::string take(int row, int col) { return std::move(m_cells[index(row, col)]); }
    // The last column whose cells show a value meaning Name, -1 when none does.
    int nameColumn() const { return m_nameColumn; }

    // The texts of one member's row; the running number is that of the member's row.
    static std::vector<std::string> rowTexts(const KMember& member, const MemberColumns& columns,
                                             std::int64_t runningNumber, int* nameColumn = nullptr);

    // Writes the cells of one member into out[0 .. columns.size() + 1); nameColumn becomes the
    // last column that shows a value meaning Name, and stays as it was when none does.
    static void fillRow(const KMember& member, const MemberColumns& columns,
                        std::int64_t runningNumber, std::string* out, int* nameColumn);

    // Fills rows as fillRow does, for many members of one document in a row. The members'
    // value lists are all made from the document's field list, so where each column's value
    // lies is worked out once, from the first member; a member whose list holds other ids, or
    // the same ids in another order, is looked up value by value instead.
    class RowFiller {
    public:
        RowFiller(const KMemberList& members, const MemberColumns& columns);
        // As fillRow.
        void fill(const KMember& member, std::int64_t runningNumber, std::string* out,
                  int* nameColumn) const;

    private:
        const MemberColumns& m_columns;
        std::vector<std::int32_t> m_ids; // the ids of the first member's values, in list order
        std::vector<int> m_position;     // per column: its value's index there, -1 when none
    };

private:
    std::size_t index(int row, int col) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_cols) +
               static_cast<std::size_t>(col);
    }
    int m_rows = 0;
    int m_cols = 1;
    int m_nameColumn = -1;
    std::vector<std::string> m_cells; // row by row
};
