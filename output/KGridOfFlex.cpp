#include "output/KGridOfFlex.h"

#include "grid/CvsFlexGrid.h"

int KGridOfFlex::rowCount() const {
    return m_grid.rowCount();
}

int KGridOfFlex::colCount() const {
    return m_grid.colCount();
}

int KGridOfFlex::fixedRowCount() const {
    return m_grid.fixedRowCount();
}

std::string KGridOfFlex::cellText(int row, int col) const {
    return m_grid.cellText(row, col);
}

bool KGridOfFlex::columnHidden(int col) const {
    return m_grid.columnHidden(col);
}

int KGridOfFlex::columnAlignment(int col) const {
    return m_grid.columnAlignment(col);
}

KGridSource::Font KGridOfFlex::dataFont() const {
    // The member cells share one font; the first one tells it.
    const GridTable& table = m_grid.table();
    if (table.rowCount() <= table.fixedRowCount() || table.colCount() == 0)
        return {};
    const std::uint16_t style = table.cellStyle(table.fixedRowCount(), 0);
    if (style == GridTable::kGridStyle)
        return {};
    const GridTable::CellFont& font = table.styleFont(style);
    return {font.name, font.size, font.bold, font.italic, font.underline, font.strikethrough};
}
