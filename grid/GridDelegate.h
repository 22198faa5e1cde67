#pragma once

#include <QStyledItemDelegate>

class CvsFlexGrid;

// Paints a cell as selected when its row carries the grid's selection flag, and marks the
// grid's current cell; Qt's own selection model plays no part.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(const CvsFlexGrid& grid, QObject* parent = nullptr);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const CvsFlexGrid& m_grid;
};
