#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The cells, row selection flags, cell styles and column properties behind a CvsFlexGrid,
// without a window. Rows and columns count from 0; the rows below fixedRowCount() are title
// rows, which never sort and are never selected. Everything is kept in flat arrays so that a
// grid of 100,000 rows fills, selects and sorts without delay.
class GridTable {
public:
    // The font of a cell that does not use the grid's own font.
    struct CellFont {
        std::string name;
        double size = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikethrough = false;
        bool operator==(const CellFont&) const = default;
    };

    // Negative when grid row a comes before grid row b, 0 when they are equal, positive after.
    using RowComparator = std::function<int(int a, int b)>;

    enum SortOrder {
        SortNone = 0,
        SortGenericAscending = 1,
        SortGenericDescending = 2,
        SortNumericAscending = 3,
        SortNumericDescending = 4,
        SortStringNoCaseAscending = 5,
        SortStringNoCaseDescending = 6,
        SortStringAscending = 7,
        SortStringDescending = 8,
        SortCustom = 9
    };

    // Style 0 is the grid's own font.
    static constexpr std::uint16_t kGridStyle = 0;

    GridTable();

    int rowCount() const { return m_rows; }
    void setRowCount(int rows);
    int colCount() const { return m_cols; }
    void setColCount(int cols);
    int fixedRowCount() const { return m_fixed; }
    void setFixedRowCount(int rows);

    // Out of range: an empty text, and writing is ignored.
    std::string cellText(int row, int col) const { return std::string(cellView(row, col)); }
    // The same text without a copy; valid until the next change of any cell or of the table's
    // size.
    std::string_view cellView(int row, int col) const;
    void setCellText(int row, int col, std::string_view text);

    std::uint16_t cellStyle(int row, int col) const;
    void setCellStyle(int row, int col, std::uint16_t style);
    // Every cell in rows row1..row2 and columns col1..col2, clipped to the table.
    void setCellStyleRange(int row1, int col1, int row2, int col2, std::uint16_t style);
    // The style number of a font, added to the style table when it is new.
    std::uint16_t styleOf(const CellFont& font);
    const CellFont& styleFont(std::uint16_t style) const;
    int styleCount() const { return static_cast<int>(m_fonts.size()); }

    int columnData(int col) const;
    void setColumnData(int col, int value);
    bool columnHidden(int col) const;
    void setColumnHidden(int col, bool hidden);
    int columnAlignment(int col) const;
    void setColumnAlignment(int col, int alignment);

    bool rowSelected(int row) const;
    // Each returns whether any flag changed.
    bool setRowSelected(int row, bool selected);
    bool selectOnly(int row);
    bool selectRange(int from, int to, bool keepOthers);
    bool selectAll();
    bool clearSelection();
    int selectedRowCount() const { return m_selectedCount; }
    // The i-th selected row from the top, -1 when there is none.
    int selectedRowAt(int i) const;

    // Sorts the data rows by column col in the given order; SortCustom asks compare and
    // ignores col. Equal rows keep their order. Returns the old row of every row after the
    // sort, or an empty list when the order sorts nothing.
    std::vector<int> sort(int col, int order, const RowComparator& compare);

    // Writes the texts of one whole row, colCount() of them, for filling many rows in one go.
    // Ignored for a row that is not there.
    void setRowTexts(int row, const std::string* texts);
    // Makes room for this many characters of cell text in all, so that filling a large grid
    // does not grow the buffer step by step (and hold the old one beside the new one).
    void reserveText(std::size_t characters) { m_text.reserve(characters); }
    // The styles of one row side by side; nullptr while every cell has the grid's font, or for
    // a row that is not there.
    const std::uint16_t* rowStyles(int row) const {
        return row >= 0 && row < m_rows && m_cols > 0 && !m_styles.empty()
                   ? &m_styles[index(row, 0)]
                   : nullptr;
    }
    // Shows the data rows in the given order: order[i] is the data row, counted from the first
    // one, shown i-th. Ignored unless it names every data row once.
    void arrangeRows(const std::vector<int>& order);

    // Moves data row from to place to; the rows between shift by one. Title rows stay.
    void moveRow(int from, int to);
    // Removes the data rows given, in any order; the rows below move up.
    void removeRows(std::vector<int> rows);

    static bool isSortOrder(int order) {
        return order >= SortGenericAscending && order <= SortCustom;
    }

private:
    std::size_t index(int row, int col) const {
        return static_cast<std::size_t>(m_stored[static_cast<std::size_t>(row)]) *
                   static_cast<std::size_t>(m_cols) +
               static_cast<std::size_t>(col);
    }
    // Lays the cells out in the order the rows are shown.
    void storeInShownOrder();
    bool inRange(int row, int col) const {
        return row >= 0 && row < m_rows && col >= 0 && col < m_cols;
    }
    bool isDataRow(int row) const { return row >= m_fixed && row < m_rows; }
    void applyOrder(const std::vector<int>& order);
    // Writes a cell's text into the text buffer; the cell's old text becomes unused space.
    void store(std::size_t cell, std::string_view text);
    // Drops the texts of cells that go, and packs the buffer when most of it is unused.
    void forget(std::size_t first, std::size_t last);
    void packTextsIfSparse();

    // A cell is a place in one text buffer: every text is written once, side by side, and a
    // cell costs 8 bytes besides its characters.
    struct Cell {
        std::uint32_t offset = 0;
        std::uint32_t size = 0;
    };

    int m_rows = 0;
    int m_cols = 0;
    int m_fixed = 1;
    std::vector<Cell> m_cells;           // row by row, in storage order
    std::string m_text;                  // the cells' characters
    std::size_t m_usedText = 0;          // how much of m_text the cells still use
    std::vector<int> m_stored;           // the storage row of each shown row
    std::vector<std::uint16_t> m_styles; // per cell; empty while every cell has the grid font
    std::vector<CellFont> m_fonts;
    std::vector<std::uint8_t> m_selected;
    int m_selectedCount = 0;
    mutable std::vector<int> m_selectedRows;
    mutable bool m_selectedRowsValid = false;
    std::vector<int> m_columnData;
    std::vector<std::uint8_t> m_columnHidden;
    std::vector<int> m_columnAlignment;
};
