#include "grid/GridDelegate.h"

#include "grid/CvsFlexGrid.h"

#include <QTableView>

GridDelegate::GridDelegate(const CvsFlexGrid& grid, QObject* parent)
    : QStyledItemDelegate(parent), m_grid(grid) {}

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const int row = index.row() + m_grid.fixedRowCount();
    if (m_grid.rowSelected(row))
        option->state |= QStyle::State_Selected;
    else
        option->state &= ~QStyle::State_Selected;
    const bool current = row == m_grid.currentRow() && index.column() == m_grid.currentCol();
    if (current && m_grid.view()->hasFocus())
        option->state |= QStyle::State_HasFocus;
    else
        option->state &= ~QStyle::State_HasFocus;
}
