#pragma once

#include "grid/GridTable.h"

#include <QWidget>

#include <array>
#include <memory>
#include <string>
#include <vector>

class GridItemModel;
class GridView;
class QTableView;

// The grid through which every list of the program is shown: rows of texts under one title
// row, several rows selectable at once, sorted by a click on a column title or on request.
// Rows and columns count from 0 and row 0 is the title row, shown as the column header; texts
// are Windows-1252 bytes. Built to stay fluid with 100,000 rows.
class CvsFlexGrid : public QWidget {
    Q_OBJECT

public:
    using RowComparator = GridTable::RowComparator;

    explicit CvsFlexGrid(QWidget* parent = nullptr);
    ~CvsFlexGrid() override;

    double gridFontSize() const;
    void setGridFontSize(double points);

    int rowCount() const { return m_table->rowCount(); }
    void setRowCount(int rows);
    int colCount() const { return m_table->colCount(); }
    void setColCount(int cols);
    // 1 normally; 0 for a grid without title row.
    int fixedRowCount() const { return m_table->fixedRowCount(); }
    void setFixedRowCount(int rows);

    int firstVisibleRow() const;
    void setFirstVisibleRow(int row);

    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row) { m_currentRow = row; }
    int currentCol() const { return m_currentCol; }
    void setCurrentCol(int col) { m_currentCol = col; }
    // Makes a data row the current row and the Shift anchor, as a click on it would, and brings
    // it into view; the selection stays as it is.
    void goToRow(int row);
    // Selects that data row alone and makes it the current row, in view, as a click on it would.
    void selectRow(int row);

    bool redrawEnabled() const;
    void setRedrawEnabled(bool enabled);

    // The font of the current cell, one attribute at a time.
    void setCellFontName(const std::string& name);
    void setCellFontSize(double points);
    void setCellFontBold(bool on);
    void setCellFontItalic(bool on);
    void setCellFontUnderline(bool on);
    void setCellFontStrikethrough(bool on);
    // The font of every cell in rows row1..row2 and columns col1..col2 at once, as setting
    // each of them current in turn would.
    void setCellFontRange(int row1, int col1, int row2, int col2, const GridTable::CellFont& font);

    // Sorts the data rows now on the current column; 9 sorts through the row comparison.
    void setSortOrder(int order);

    // 0 fits column widths, 1 row heights.
    int fitMode() const { return m_fitMode; }
    void setFitMode(int mode) { m_fitMode = mode; }
    // Fits columns first..last (last below 0: first) to their contents; equal gives them all
    // the widest width, extra adds pixels.
    void fitColumns(int first, int last, bool equal = false, int extra = 0);
    // Row heights, then every column width.
    void autoSize();

    int columnAlignment(int col) const { return m_table->columnAlignment(col); }
    // 0..8 left, centre, right each top, middle, bottom (7 right-aligns); 9 general.
    void setColumnAlignment(int col, int alignment);
    int columnData(int col) const { return m_table->columnData(col); }
    void setColumnData(int col, int value) { m_table->setColumnData(col, value); }
    bool columnHidden(int col) const { return m_table->columnHidden(col); }
    void setColumnHidden(int col, bool hidden);
    int columnWidth(int col) const;

    std::string cellText(int row, int col) const { return m_table->cellText(row, col); }
    // The same text without a copy; valid until the next change of the grid's cells or size.
    std::string_view cellView(int row, int col) const { return m_table->cellView(row, col); }
    void setCellText(int row, int col, std::string_view text);
    // Writes the texts of one whole row, colCount() of them: for filling many rows at once
    // while redrawing is off.
    void setRowTexts(int row, const std::string* texts);
    // Room for this many characters of cell text in all, before a large fill.
    void reserveText(std::size_t characters);
    // Shows the data rows in the given order: order[i] is the data row, counted from the first
    // one, shown i-th.
    void arrangeRows(const std::vector<int>& order);
    // Moves a data row to another place; the rows between shift by one.
    void moveRow(int from, int to);
    // Removes the data rows given; the rows below move up.
    void removeRows(std::vector<int> rows);

    bool rowSelected(int row) const { return m_table->rowSelected(row); }
    void setRowSelected(int row, bool selected);
    // What a left click at a point of the view's viewport does: the row under it becomes the
    // selection and the current row. Context menus use it to act on the row clicked.
    void clickAt(const QPoint& viewportPos);
    int selectedRowCount() const { return m_table->selectedRowCount(); }
    // The i-th selected row from the top, from 0; -1 when there is none.
    int selectedRowAt(int i) const { return m_table->selectedRowAt(i); }

    // Answers the row comparison of a custom sort without going through a signal; when none
    // is set the compareRows signal is asked.
    void setRowComparator(RowComparator compare) { m_compare = std::move(compare); }

    QTableView* view() const;
    const GridTable& table() const { return *m_table; }

protected:
    void changeEvent(QEvent* event) override;

signals:
    void doubleClick();
    // The user changed the row selection.
    void selectionChanged();
    void compareRows(int row1, int row2, int* result);
    // A click on a column title is about to sort; a handler may change the order (9: custom).
    void sortStarting(int col, int* order);
    void sortFinished(int col, int order);

private:
    friend class GridView;

    void cellPressed(int modelRow, int col, Qt::KeyboardModifiers modifiers);
    void cellDragged(int modelRow, int col);
    void cellDoubleClicked();
    bool keyPressed(int key, Qt::KeyboardModifiers modifiers);
    void wheelTurned(QPoint angle, QPoint pixels, Qt::KeyboardModifiers modifiers);
    void scrollAcross(int angle, int pixels);
    void titleClicked(int col);

    void sortBy(int col, int order);
    void followMovedRows(const std::vector<int>& moved);
    void moveCurrent(int row, int col, Qt::KeyboardModifiers modifiers);
    void selectionTouched(bool changed);
    void applyCellFont(const GridTable::CellFont& font);
    GridTable::CellFont currentCellFont() const;
    GridTable::CellFont gridCellFont() const;
    QFont fontOf(int style) const;
    // The widths the cells of columns first to last need, in one pass over the rows.
    std::vector<int> measureColumns(int first, int last);
    const std::array<float, 256>& charWidths(int style);
    void fitRowHeight(int extra);
    void syncColumns();
    void repaint();

    // Children of this widget; the model owns the table, and the view, made first, goes first.
    GridView* m_view = nullptr;
    GridItemModel* m_model = nullptr;
    GridTable* m_table = nullptr;
    RowComparator m_compare;
    int m_currentRow = 0;
    int m_currentCol = 0;
    int m_anchorRow = 1;
    int m_fitMode = 0;
    int m_lastTitleCol = -1;
    int m_lastTitleOrder = 0;
    double m_acrossRest = 0;                // sideways wheel turns not yet a whole pixel
    mutable GridTable::CellFont m_gridFont; // the grid's font as a cell font, while valid
    mutable bool m_gridFontValid = false;
    std::vector<int> m_widths;                        // 0: the header's default
    std::vector<std::array<float, 256>> m_charWidths; // by style + 1; 0 is the title font
    std::vector<std::uint8_t> m_charWidthsReady;
};
