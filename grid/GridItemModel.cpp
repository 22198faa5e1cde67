#include "grid/GridItemModel.h"

#include "platform/CodePage.h"

#include <algorithm>

GridItemModel::GridItemModel(QObject* parent)
    : QAbstractTableModel(parent), m_owned(std::make_unique<GridTable>()), m_table(*m_owned),
      m_rows(tableModelRows()), m_cols(m_table.colCount()) {}

GridItemModel::~GridItemModel() = default;

int GridItemModel::tableModelRows() const {
    return std::max(0, m_table.rowCount() - m_table.fixedRowCount());
}

int GridItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int GridItemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int row = gridRow(index.row());
    const int col = index.column();
    if (row >= m_table.rowCount() || col >= m_table.colCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return CodePage::toQString(m_table.cellView(row, col));
    case Qt::FontRole: {
        const auto style = m_table.cellStyle(row, col);
        if (style == GridTable::kGridStyle)
            return {};
        return styleFont(style);
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qtAlignment(m_table.columnAlignment(col)));
    default:
        return {};
    }
}

QVariant GridItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return gridRow(section);
        return {};
    }
    if (section < 0 || section >= m_table.colCount() || m_table.fixedRowCount() == 0)
        return {};
    if (role == Qt::DisplayRole)
        return CodePage::toQString(m_table.cellView(0, section));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(qtAlignment(m_table.columnAlignment(section)));
    return {};
}

Qt::ItemFlags GridItemModel::flags(const QModelIndex& index) const {
    // Not selectable for Qt: the grid keeps its own selection flags.
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void GridItemModel::setRedrawEnabled(bool enabled) {
    if (enabled == m_redraw)
        return;
    m_redraw = enabled;
    if (enabled)
        publish();
}

void GridItemModel::publish() {
    beginResetModel();
    m_rows = tableModelRows();
    m_cols = m_table.colCount();
    endResetModel();
}

void GridItemModel::setRowCount(int rows) {
    if (!m_redraw) {
        m_table.setRowCount(rows);
        return;
    }
    const int fixed = m_table.fixedRowCount();
    const int now = tableModelRows();
    const int next = std::max(0, std::max(rows, 0) - fixed);
    if (next > now) {
        beginInsertRows(QModelIndex(), now, next - 1);
        m_table.setRowCount(rows);
        m_rows = next;
        endInsertRows();
    } else if (next < now) {
        beginRemoveRows(QModelIndex(), next, now - 1);
        m_table.setRowCount(rows);
        m_rows = next;
        endRemoveRows();
    } else {
        const bool titleChanged = std::min(rows, fixed) != std::min(m_table.rowCount(), fixed);
        m_table.setRowCount(rows);
        if (titleChanged && m_cols > 0)
            emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
    }
}

void GridItemModel::setColCount(int cols) {
    cols = std::max(cols, 0);
    if (!m_redraw) {
        m_table.setColCount(cols);
        return;
    }
    const int now = m_table.colCount();
    if (cols > now) {
        beginInsertColumns(QModelIndex(), now, cols - 1);
        m_table.setColCount(cols);
        m_cols = cols;
        endInsertColumns();
    } else if (cols < now) {
        beginRemoveColumns(QModelIndex(), cols, now - 1);
        m_table.setColCount(cols);
        m_cols = cols;
        endRemoveColumns();
    }
}

void GridItemModel::setFixedRowCount(int rows) {
    if (rows == m_table.fixedRowCount())
        return;
    if (!m_redraw) {
        m_table.setFixedRowCount(rows);
        return;
    }
    beginResetModel();
    m_table.setFixedRowCount(rows);
    m_rows = tableModelRows();
    m_cols = m_table.colCount();
    endResetModel();
}

void GridItemModel::setCellText(int row, int col, std::string_view text) {
    m_table.setCellText(row, col, text);
    cellStyleChanged(row, col);
}

void GridItemModel::moveRow(int from, int to) {
    const int fixed = m_table.fixedRowCount();
    if (!m_redraw || from == to || from < fixed || to < fixed || from >= m_table.rowCount() ||
        to >= m_table.rowCount()) {
        m_table.moveRow(from, to);
        return;
    }
    const int source = modelRow(from);
    const int target = modelRow(to);
    beginMoveRows(QModelIndex(), source, source, QModelIndex(), target > source ? target + 1 : target);
    m_table.moveRow(from, to);
    endMoveRows();
}

void GridItemModel::removeRows(std::vector<int> rows) {
    if (!m_redraw) {
        m_table.removeRows(std::move(rows));
        return;
    }
    beginResetModel();
    m_table.removeRows(std::move(rows));
    m_rows = tableModelRows();
    m_cols = m_table.colCount();
    endResetModel();
}

void GridItemModel::cellStyleChanged(int row, int col) {
    if (!m_redraw || col < 0 || col >= m_cols || row < 0)
        return;
    if (row < m_table.fixedRowCount()) {
        if (row == 0)
            emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    if (modelRow(row) < m_rows) {
        const QModelIndex at = index(modelRow(row), col);
        emit dataChanged(at, at);
    }
}

void GridItemModel::setColumnAlignment(int col, int alignment) {
    m_table.setColumnAlignment(col, alignment);
    if (m_redraw && col >= 0 && col < m_cols && m_rows > 0) {
        emit dataChanged(index(0, col), index(m_rows - 1, col), {Qt::TextAlignmentRole});
        emit headerDataChanged(Qt::Horizontal, col, col);
    }
}

std::vector<int> GridItemModel::sort(int col, int order, const GridTable::RowComparator& compare) {
    if (!m_redraw)
        return m_table.sort(col, order, compare);
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> moved = m_table.sort(col, order, compare);
    if (!moved.empty()) {
        std::vector<int> newRowOf(moved.size());
        for (std::size_t to = 0; to < moved.size(); ++to)
            newRowOf[static_cast<std::size_t>(moved[to])] = static_cast<int>(to);
        const QModelIndexList before = persistentIndexList();
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& at : before) {
            const int oldGrid = gridRow(at.row());
            const int newGrid = oldGrid < static_cast<int>(newRowOf.size())
                                    ? newRowOf[static_cast<std::size_t>(oldGrid)]
                                    : oldGrid;
            after.append(index(modelRow(newGrid), at.column()));
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return moved;
}

QFont GridItemModel::styleFont(std::uint16_t style) const {
    if (m_fonts.size() != static_cast<std::size_t>(m_table.styleCount())) {
        for (auto s = m_fonts.size(); s < static_cast<std::size_t>(m_table.styleCount()); ++s) {
            const GridTable::CellFont& cf = m_table.styleFont(static_cast<std::uint16_t>(s));
            QFont font(CodePage::toQString(cf.name));
            if (cf.size > 0)
                font.setPointSizeF(cf.size);
            font.setBold(cf.bold);
            font.setItalic(cf.italic);
            font.setUnderline(cf.underline);
            font.setStrikeOut(cf.strikethrough);
            m_fonts.push_back(font);
        }
    }
    return style < m_fonts.size() ? m_fonts[style] : QFont();
}

Qt::Alignment GridItemModel::qtAlignment(int alignment) {
    // The grid's alignment codes: left, centre, right, each top, middle, bottom; 9 is general.
    static const Qt::Alignment horizontal[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment vertical[3] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    if (alignment < 0 || alignment > 8)
        return Qt::AlignLeft | Qt::AlignVCenter;
    return horizontal[alignment / 3] | vertical[alignment % 3];
}
