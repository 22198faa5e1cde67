#include "grid/GridTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A table with a title row and one column per entry of each row.
GridTable tableOf(const std::vector<std::vector<std::string>>& rows) {
    GridTable table;
    table.setColCount(static_cast<int>(rows.front().size()));
    table.setRowCount(static_cast<int>(rows.size()) + 1);
    for (int c = 0; c < table.colCount(); ++c)
        table.setCellText(0, c, "title" + std::to_string(c));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            table.setCellText(static_cast<int>(r) + 1, static_cast<int>(c), rows[r][c]);
    return table;
}

std::vector<std::string> column(const GridTable& table, int col) {
    std::vector<std::string> out;
    for (int r = table.fixedRowCount(); r < table.rowCount(); ++r)
        out.push_back(table.cellText(r, col));
    return out;
}

using Texts = std::vector<std::string>;

} // namespace

TEST(GridTable, CellsSurviveGrowingAndShrinkingTheShape) {
    GridTable table = tableOf({{"a", "b"}, {"c", "d"}});
    table.setColumnData(1, 42);
    table.setColumnHidden(0, true);
    table.setColCount(3);
    EXPECT_EQ(table.cellText(2, 1), "d");
    EXPECT_EQ(table.cellText(2, 2), "");
    EXPECT_EQ(table.columnData(1), 42);
    EXPECT_TRUE(table.columnHidden(0));
    table.setColCount(1);
    table.setColCount(2);
    EXPECT_EQ(table.cellText(1, 0), "a");
    EXPECT_EQ(table.cellText(1, 1), "") << "a column dropped and added again starts empty";
    EXPECT_EQ(table.columnData(1), 0);

    // Out of range reads give nothing, writes are ignored.
    table.setCellText(5, 0, "x");
    table.setCellText(-1, 0, "x");
    EXPECT_EQ(table.cellText(5, 0), "");
    EXPECT_EQ(table.cellText(0, -1), "");
    EXPECT_EQ(table.rowCount(), 3);
    table.setRowCount(-4);
    EXPECT_EQ(table.rowCount(), 0);
}

TEST(GridTable, SelectionFlagsCountAndOrder) {
    GridTable table = tableOf({{"a"}, {"b"}, {"c"}, {"d"}, {"e"}});
    EXPECT_EQ(table.selectedRowAt(0), -1);
    EXPECT_FALSE(table.setRowSelected(0, true)) << "the title row is never selected";
    EXPECT_TRUE(table.setRowSelected(4, true));
    EXPECT_TRUE(table.setRowSelected(2, true));
    EXPECT_FALSE(table.setRowSelected(2, true));
    EXPECT_EQ(table.selectedRowCount(), 2);
    EXPECT_EQ(table.selectedRowAt(0), 2);
    EXPECT_EQ(table.selectedRowAt(1), 4);
    EXPECT_EQ(table.selectedRowAt(2), -1);
    EXPECT_EQ(table.selectedRowAt(-1), -1);

    EXPECT_TRUE(table.selectRange(5, 3, true));
    EXPECT_EQ(table.selectedRowCount(), 4); // 2, 3, 4, 5
    EXPECT_TRUE(table.selectRange(1, 2, false));
    EXPECT_EQ(table.selectedRowCount(), 2);
    EXPECT_EQ(table.selectedRowAt(1), 2);
    EXPECT_TRUE(table.selectOnly(3));
    EXPECT_EQ(table.selectedRowCount(), 1);
    EXPECT_TRUE(table.selectAll());
    EXPECT_EQ(table.selectedRowCount(), 5);
    EXPECT_FALSE(table.rowSelected(0));

    // Rows cut off take their flags with them.
    table.setRowCount(3);
    EXPECT_EQ(table.selectedRowCount(), 2);
    EXPECT_EQ(table.selectedRowAt(1), 2);
    table.setRowCount(6);
    EXPECT_FALSE(table.rowSelected(5));
    EXPECT_TRUE(table.clearSelection());
    EXPECT_EQ(table.selectedRowCount(), 0);
}

TEST(GridTable, SortOrdersOnAColumn) {
    const std::vector<std::vector<std::string>> rows = {{"b"}, {"10"},   {"B"},    {"9"},
                                                        {"a"}, {"-1.5"}, {"\xE9"}, {"\xC9"}};
    struct Case {
        int order;
        Texts expected;
    };
    const Case cases[] = {
        // Numbers by value before texts; texts without regard to case, equal ones in place.
        {GridTable::SortGenericAscending, {"-1.5", "9", "10", "a", "b", "B", "\xE9", "\xC9"}},
        {GridTable::SortGenericDescending, {"\xE9", "\xC9", "b", "B", "a", "10", "9", "-1.5"}},
        // Texts count as 0.
        {GridTable::SortNumericAscending, {"-1.5", "b", "B", "a", "\xE9", "\xC9", "9", "10"}},
        {GridTable::SortStringNoCaseAscending, {"-1.5", "10", "9", "a", "b", "B", "\xE9", "\xC9"}},
        // Byte order, code page bytes above 127 last.
        {GridTable::SortStringAscending, {"-1.5", "10", "9", "B", "a", "b", "\xC9", "\xE9"}},
        {GridTable::SortStringDescending, {"\xE9", "\xC9", "b", "a", "B", "9", "10", "-1.5"}},
    };
    for (const Case& c : cases) {
        GridTable table = tableOf(rows);
        EXPECT_FALSE(table.sort(0, c.order, nullptr).empty());
        EXPECT_EQ(column(table, 0), c.expected) << "order " << c.order;
        EXPECT_EQ(table.cellText(0, 0), "title0");
    }
    GridTable table = tableOf(rows);
    EXPECT_TRUE(table.sort(0, GridTable::SortNone, nullptr).empty());
    EXPECT_TRUE(table.sort(3, GridTable::SortGenericAscending, nullptr).empty());
    EXPECT_TRUE(table.sort(0, GridTable::SortCustom, nullptr).empty());
    EXPECT_EQ(column(table, 0).front(), "b");
}

// Words that the C library would also read as numbers ("nan", "inf", hexadecimal) are texts to
// the people who typed them.
TEST(GridTable, SortTakesOnlyDecimalNumbersForNumbers) {
    const std::vector<std::vector<std::string>> rows = {{"Nan"},  {"Anna"}, {"inf"},      {"10"},
                                                        {"0x10"}, {"-1"},   {"Infinity"}, {"2"}};
    GridTable generic = tableOf(rows);
    generic.sort(0, GridTable::SortGenericAscending, nullptr);
    EXPECT_EQ(column(generic, 0),
              (Texts{"-1", "2", "10", "0x10", "Anna", "inf", "Infinity", "Nan"}));
    // Texts count as 0, "0x10" included.
    GridTable numeric = tableOf(rows);
    numeric.sort(0, GridTable::SortNumericAscending, nullptr);
    EXPECT_EQ(column(numeric, 0),
              (Texts{"-1", "Nan", "Anna", "inf", "0x10", "Infinity", "2", "10"}));
}

TEST(GridTable, SortMovesWholeRowsWithFlagsAndStyles) {
    GridTable table = tableOf({{"c", "3"}, {"a", "1"}, {"b", "2"}});
    const auto bold = table.styleOf({"Arial", 10, true, false, false, false});
    table.setCellStyle(1, 1, bold);
    table.setRowSelected(3, true);
    const std::vector<int> moved = table.sort(0, GridTable::SortStringAscending, nullptr);
    EXPECT_EQ(moved, (std::vector<int>{0, 2, 3, 1}));
    EXPECT_EQ(column(table, 1), (Texts{"1", "2", "3"}));
    EXPECT_EQ(table.cellStyle(3, 1), bold);
    EXPECT_EQ(table.cellStyle(1, 1), GridTable::kGridStyle);
    EXPECT_TRUE(table.rowSelected(2));
    EXPECT_EQ(table.selectedRowAt(0), 2);
    EXPECT_EQ(table.styleOf({"Arial", 10, true, false, false, false}), bold);
}

TEST(GridTable, CustomSortAsksTheComparatorAboutRowsAsTheyStood) {
    GridTable table = tableOf({{"Jan de Vries", "1"},
                               {"Piet", "2"},
                               {"Anna Bakker", "3"},
                               {"Kees", "4"},
                               {"Ben Bakker", "5"}});
    int calls = 0;
    // By last word; rows without a space compare equal to each other and come first.
    auto compare = [&](int a, int b) {
        ++calls;
        EXPECT_GE(a, 1);
        EXPECT_GE(b, 1);
        const std::string& x = table.cellText(a, 0);
        const std::string& y = table.cellText(b, 0);
        const auto sx = x.rfind(' ');
        const auto sy = y.rfind(' ');
        if (sx == std::string::npos || sy == std::string::npos)
            return (sx != std::string::npos) - (sy != std::string::npos);
        return x.substr(sx).compare(y.substr(sy));
    };
    table.sort(0, GridTable::SortCustom, compare);
    EXPECT_GT(calls, 0);
    EXPECT_EQ(column(table, 1), (Texts{"2", "4", "3", "5", "1"}));
}

// Rows filled side by side and then arranged: the rows are shown in the order given with their
// selection, an order that does not name every row once changes nothing, and shrinking after
// an arrangement keeps the rows shown first, with their cells.
TEST(GridTable, FilledRowsArrangedAndShrunkKeepTheirCells) {
    GridTable table = tableOf({{"", ""}, {"", ""}, {"", ""}});
    const Texts names{"Visser", "Bakker", "Mulder"};
    for (int r = 1; r <= 4; ++r) {
        const std::string row[] = {std::to_string(r), r <= 3 ? names[std::size_t(r - 1)] : ""};
        table.setRowTexts(r, row); // row 4 is not there
    }
    EXPECT_EQ(table.rowCount(), 4);
    table.setRowSelected(1, true); // Visser

    table.arrangeRows({1, 2, 0});
    EXPECT_EQ(column(table, 1), (Texts{"Bakker", "Mulder", "Visser"}));
    EXPECT_TRUE(table.rowSelected(3));
    EXPECT_EQ(table.selectedRowCount(), 1);
    for (const std::vector<int>& bad :
         std::vector<std::vector<int>>{{0, 1}, {0, 0, 1}, {0, 1, 3}, {-1, 0, 1}}) {
        table.arrangeRows(bad);
        EXPECT_EQ(column(table, 1), (Texts{"Bakker", "Mulder", "Visser"}));
    }

    table.setRowCount(3);
    EXPECT_EQ(column(table, 1), (Texts{"Bakker", "Mulder"}));
    EXPECT_EQ(column(table, 0), (Texts{"2", "3"}));
    EXPECT_EQ(table.cellText(0, 1), "title1");
    table.setRowCount(1);
    table.setRowCount(2);
    EXPECT_EQ(table.cellText(0, 0), "title0");
    EXPECT_EQ(table.cellText(1, 1), "") << "a row dropped and added again starts empty";
}

TEST(GridTable, AStyleOverARangeFollowsTheShownRowsAndARefillStartsEmpty) {
    GridTable table = tableOf({{"c", "3"}, {"a", "1"}, {"b", "2"}});
    table.sort(0, GridTable::SortStringAscending, nullptr); // a, b, c: stored apart from shown
    const auto italic = table.styleOf({"Arial", 9, false, true, false, false});
    table.setCellStyleRange(2, 1, 9, 1, italic); // clipped to the table
    table.setCellStyleRange(3, -5, 1, 1, italic); // rows the wrong way round: nothing
    for (int row = 0; row < table.rowCount(); ++row) {
        EXPECT_EQ(table.cellStyle(row, 0), GridTable::kGridStyle) << row;
        EXPECT_EQ(table.cellStyle(row, 1), row >= 2 ? italic : GridTable::kGridStyle) << row;
    }
    table.sort(1, GridTable::SortStringDescending, nullptr); // c, b, a
    EXPECT_EQ(column(table, 0), (Texts{"c", "b", "a"}));
    EXPECT_EQ(table.cellStyle(1, 1), italic);
    EXPECT_EQ(table.cellStyle(2, 1), italic);
    EXPECT_EQ(table.cellStyle(3, 1), GridTable::kGridStyle);
    table.setRowCount(5);
    EXPECT_EQ(table.cellStyle(4, 1), GridTable::kGridStyle) << "a new row has the grid's font";

    // Shrunk to the title row and one column, then grown again, as a rebuild does: the title
    // stays and no old text or style comes back.
    table.setRowCount(1);
    table.setColCount(1);
    table.setColCount(3);
    table.setRowCount(4);
    EXPECT_EQ(table.cellText(0, 0), "title0");
    for (int row = 1; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            EXPECT_EQ(table.cellText(row, col), "") << row << ' ' << col;
            EXPECT_EQ(table.cellStyle(row, col), GridTable::kGridStyle) << row << ' ' << col;
        }
}

// Every cell's text lives in one buffer; texts replaced by longer, shorter or empty ones, rows
// and columns that go, and the packing of a buffer most of which is no longer used all leave
// every other cell's text as it was.
TEST(GridTable, CellTextsSurviveRewritesRemovalsAndPacking) {
    GridTable table;
    table.setColCount(3);
    table.setRowCount(2001);
    auto text = [](int row, int col, int round) {
        return std::string(static_cast<std::size_t>(20 + (row * 7 + col + round) % 40),
                           static_cast<char>('a' + (row + col + round) % 26)) +
               std::to_string(row);
    };
    for (int round = 0; round < 40; ++round) // far more text written than kept: packed
        for (int row = 1; row < table.rowCount(); ++row)
            for (int col = 0; col < 3; ++col)
                table.setCellText(row, col, text(row, col, round));
    table.setCellText(5, 1, "");
    table.setCellText(6, 1, "x");
    for (int row = 1; row < table.rowCount(); ++row)
        for (int col = 0; col < 3; ++col)
            if (!((row == 5 || row == 6) && col == 1))
                ASSERT_EQ(table.cellText(row, col), text(row, col, 39)) << row << "," << col;
    EXPECT_EQ(table.cellText(5, 1), "");
    EXPECT_EQ(table.cellText(6, 1), "x");

    table.removeRows({1, 3, 2000});
    EXPECT_EQ(table.cellText(1, 0), text(2, 0, 39));
    EXPECT_EQ(table.cellText(2, 2), text(4, 2, 39));
    table.setColCount(2);
    table.setRowCount(10);
    table.setRowCount(12); // rows that come back are empty
    EXPECT_EQ(table.cellText(9, 1), text(11, 1, 39));
    EXPECT_EQ(table.cellText(10, 0), "");
    EXPECT_EQ(table.cellText(9, 2), "");
    EXPECT_EQ(table.cellView(4, 1), "x");
    EXPECT_EQ(table.cellView(3, 1), "");

    // Emptied to the title row and filled again.
    table.setRowCount(1);
    table.setRowCount(3);
    const std::string row[] = {"7", "Zwolle"};
    table.setRowTexts(2, row);
    EXPECT_EQ(column(table, 1), (Texts{"", "Zwolle"}));
}
