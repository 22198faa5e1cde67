#pragma once

#include "grid/GridTable.h"

#include <QAbstractTableModel>
#include <QFont>

#include <memory>
#include <vector>

// Owns a GridTable and shows it to a QTableView: the title row becomes the horizontal header and
// grid row r below it becomes model row r - fixedRowCount(). Every change to the table that alters
// what the view shows goes through here, so that the view hears of it. While redraw is off the view
// keeps seeing the shape it saw last and learns of everything at once when redraw comes back.
class GridItemModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GridItemModel(QObject* parent = nullptr);
    ~GridItemModel() override;

    GridTable& table() { return m_table; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    bool redrawEnabled() const { return m_redraw; }
    void setRedrawEnabled(bool enabled);

    void setRowCount(int rows);
    void setColCount(int cols);
    void setFixedRowCount(int rows);
    void setCellText(int row, int col, std::string_view text);
    void moveRow(int from, int to);
    void removeRows(std::vector<int> rows);
    void setColumnAlignment(int col, int alignment);
    void cellStyleChanged(int row, int col);
    std::vector<int> sort(int col, int order, const GridTable::RowComparator& compare);

    // The font of a cell style; style 0 has no font of its own.
    QFont styleFont(std::uint16_t style) const;
    // Model row of a grid row, and back.
    int modelRow(int gridRow) const { return gridRow - m_table.fixedRowCount(); }
    int gridRow(int modelRow) const { return modelRow + m_table.fixedRowCount(); }

    static Qt::Alignment qtAlignment(int alignment);

private:
    int tableModelRows() const;
    void publish();

    std::unique_ptr<GridTable> m_owned;
    GridTable& m_table;
    bool m_redraw = true;
    int m_rows = 0; // what the view has been told
    int m_cols = 0;
    mutable std::vector<QFont> m_fonts;
};
