#include "grid/CvsFlexGrid.h"

#include "grid/GridDelegate.h"
#include "grid/GridItemModel.h"
#include "grid/GridView.h"
#include "platform/CodePage.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// How many of the cells a column estimates widest are measured exactly.
constexpr int kMeasuredCells = 8;
constexpr int kCellPadding = 8;
constexpr int kTitlePadding = 12;
constexpr int kRowPadding = 4;

} // namespace

CvsFlexGrid::CvsFlexGrid(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new GridView(*this, this);
    layout->addWidget(m_view);
    m_model = new GridItemModel(this);
    m_table = &m_model->table();
    m_view->setModel(m_model);
    m_view->setItemDelegate(new GridDelegate(*this, m_view));

    m_view->setSelectionMode(QAbstractItemView::NoSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setWordWrap(false);
    m_view->setTabKeyNavigation(false);
    m_view->setCornerButtonEnabled(false);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setMinimumSectionSize(1);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_view->horizontalHeader()->setSectionsClickable(true);
    m_view->horizontalHeader()->setHighlightSections(false);
    fitRowHeight(0);

    connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CvsFlexGrid::titleClicked);
    connect(m_view->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int size) {
                if (size > 0 && col >= 0 && col < static_cast<int>(m_widths.size()))
                    m_widths[static_cast<std::size_t>(col)] = size;
            });
    connect(m_model, &QAbstractItemModel::modelReset, this, &CvsFlexGrid::syncColumns);
    connect(m_model, &QAbstractItemModel::columnsInserted, this, &CvsFlexGrid::syncColumns);
}

CvsFlexGrid::~CvsFlexGrid() = default;

QTableView* CvsFlexGrid::view() const {
    return m_view;
}

double CvsFlexGrid::gridFontSize() const {
    return font().pointSizeF();
}

void CvsFlexGrid::setGridFontSize(double points) {
    if (points <= 0)
        return;
    QFont grid = font();
    grid.setPointSizeF(points);
    setFont(grid);
    m_gridFontValid = false;
    m_charWidthsReady.assign(m_charWidthsReady.size(), 0);
    fitRowHeight(0);
}

void CvsFlexGrid::setRowCount(int rows) {
    m_model->setRowCount(rows);
    m_anchorRow = std::clamp(m_anchorRow, fixedRowCount(), std::max(fixedRowCount(), rows - 1));
}

void CvsFlexGrid::setColCount(int cols) {
    m_widths.resize(static_cast<std::size_t>(std::max(cols, 0)), 0);
    m_model->setColCount(cols);
}

void CvsFlexGrid::setFixedRowCount(int rows) {
    m_model->setFixedRowCount(std::clamp(rows, 0, 1));
    m_view->horizontalHeader()->setVisible(fixedRowCount() > 0);
}

int CvsFlexGrid::firstVisibleRow() const {
    return m_view->verticalScrollBar()->value() + fixedRowCount();
}

void CvsFlexGrid::setFirstVisibleRow(int row) {
    m_view->verticalScrollBar()->setValue(std::max(0, row - fixedRowCount()));
}

void CvsFlexGrid::selectRow(int row) {
    if (row < fixedRowCount() || row >= rowCount())
        return;
    const bool changed = m_table->selectOnly(row);
    goToRow(row);
    if (changed) {
        if (redrawEnabled())
            repaint();
        emit selectionChanged();
    }
}

void CvsFlexGrid::goToRow(int row) {
    if (row < fixedRowCount() || row >= rowCount())
        return;
    m_currentRow = row;
    m_anchorRow = row;
    if (!redrawEnabled() || colCount() == 0)
        return;
    // Only up or down: the columns in sight stay as they were.
    QScrollBar* across = m_view->horizontalScrollBar();
    const int left = across->value();
    m_view->scrollTo(m_model->index(m_model->modelRow(row),
                                    std::clamp(m_currentCol, 0, colCount() - 1)));
    across->setValue(left);
    repaint();
}

bool CvsFlexGrid::redrawEnabled() const {
    return m_model->redrawEnabled();
}

void CvsFlexGrid::setRedrawEnabled(bool enabled) {
    if (enabled == redrawEnabled())
        return;
    m_view->viewport()->setUpdatesEnabled(enabled);
    m_model->setRedrawEnabled(enabled);
    if (enabled)
        repaint();
}

void CvsFlexGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        m_gridFontValid = false;
    QWidget::changeEvent(event);
}

GridTable::CellFont CvsFlexGrid::gridCellFont() const {
    // Asked once for every cell while a grid is filled, so kept rather than made anew.
    if (m_gridFontValid)
        return m_gridFont;
    const QFont grid = m_view->font();
    GridTable::CellFont& cf = m_gridFont;
    cf.name = CodePage::fromQString(grid.family());
    cf.size = grid.pointSizeF();
    cf.bold = grid.bold();
    cf.italic = grid.italic();
    cf.underline = grid.underline();
    cf.strikethrough = grid.strikeOut();
    m_gridFontValid = true;
    return cf;
}

GridTable::CellFont CvsFlexGrid::currentCellFont() const {
    const auto style = m_table->cellStyle(m_currentRow, m_currentCol);
    return style == GridTable::kGridStyle ? gridCellFont() : m_table->styleFont(style);
}

void CvsFlexGrid::applyCellFont(const GridTable::CellFont& font) {
    if (m_currentRow < 0 || m_currentRow >= rowCount() || m_currentCol < 0 ||
        m_currentCol >= colCount())
        return;
    m_table->setCellStyle(m_currentRow, m_currentCol, m_table->styleOf(font));
    m_model->cellStyleChanged(m_currentRow, m_currentCol);
}

void CvsFlexGrid::setCellFontName(const std::string& name) {
    auto cf = currentCellFont();
    cf.name = name;
    applyCellFont(cf);
}

void CvsFlexGrid::setCellFontSize(double points) {
    auto cf = currentCellFont();
    cf.size = points;
    applyCellFont(cf);
}

void CvsFlexGrid::setCellFontBold(bool on) {
    auto cf = currentCellFont();
    cf.bold = on;
    applyCellFont(cf);
}

void CvsFlexGrid::setCellFontItalic(bool on) {
    auto cf = currentCellFont();
    cf.italic = on;
    applyCellFont(cf);
}

void CvsFlexGrid::setCellFontUnderline(bool on) {
    auto cf = currentCellFont();
    cf.underline = on;
    applyCellFont(cf);
}

void CvsFlexGrid::setCellFontStrikethrough(bool on) {
    auto cf = currentCellFont();
    cf.strikethrough = on;
    applyCellFont(cf);
}

void CvsFlexGrid::setCellFontRange(int row1, int col1, int row2, int col2,
                                   const GridTable::CellFont& font) {
    row1 = std::max(row1, 0);
    col1 = std::max(col1, 0);
    row2 = std::min(row2, rowCount() - 1);
    col2 = std::min(col2, colCount() - 1);
    if (row1 > row2 || col1 > col2)
        return;
    m_table->setCellStyleRange(row1, col1, row2, col2, m_table->styleOf(font));
    repaint();
}

void CvsFlexGrid::setColumnAlignment(int col, int alignment) {
    m_model->setColumnAlignment(col, alignment);
}

void CvsFlexGrid::setColumnHidden(int col, bool hidden) {
    m_table->setColumnHidden(col, hidden);
    if (redrawEnabled() && col >= 0 && col < m_model->columnCount())
        m_view->setColumnHidden(col, hidden);
}

int CvsFlexGrid::columnWidth(int col) const {
    if (col < 0 || col >= colCount())
        return 0;
    const int width = m_widths[static_cast<std::size_t>(col)];
    return width > 0 ? width : m_view->horizontalHeader()->defaultSectionSize();
}

void CvsFlexGrid::setCellText(int row, int col, std::string_view text) {
    m_model->setCellText(row, col, text);
}

void CvsFlexGrid::setRowTexts(int row, const std::string* texts) {
    if (!redrawEnabled()) {
        m_table->setRowTexts(row, texts);
        return;
    }
    for (int col = 0; col < colCount(); ++col)
        m_model->setCellText(row, col, texts[col]);
}

void CvsFlexGrid::reserveText(std::size_t characters) {
    m_table->reserveText(characters);
}

void CvsFlexGrid::arrangeRows(const std::vector<int>& order) {
    const bool redraw = redrawEnabled();
    m_model->setRedrawEnabled(false);
    m_table->arrangeRows(order);
    m_model->setRedrawEnabled(redraw);
}

void CvsFlexGrid::moveRow(int from, int to) {
    m_model->moveRow(from, to);
}

void CvsFlexGrid::removeRows(std::vector<int> rows) {
    m_model->removeRows(std::move(rows));
    const int last = std::max(fixedRowCount(), rowCount() - 1);
    m_anchorRow = std::clamp(m_anchorRow, fixedRowCount(), last);
    m_currentRow = std::clamp(m_currentRow, 0, last);
}

void CvsFlexGrid::setRowSelected(int row, bool selected) {
    if (m_table->setRowSelected(row, selected) && redrawEnabled())
        repaint();
}

void CvsFlexGrid::setSortOrder(int order) {
    sortBy(m_currentCol, order);
}

void CvsFlexGrid::sortBy(int col, int order) {
    RowComparator compare = m_compare;
    if (!compare)
        compare = [this](int a, int b) {
            int result = 0;
            emit compareRows(a, b, &result);
            return result;
        };
    const std::vector<int> moved = m_model->sort(col, order, compare);
    if (!moved.empty())
        followMovedRows(moved);
    if (redrawEnabled())
        repaint();
}

void CvsFlexGrid::followMovedRows(const std::vector<int>& moved) {
    // The current row and the anchor stand for the rows the user was at, so they go where
    // those rows went, and the view goes along to the current one.
    std::vector<int> newRowOf(moved.size());
    for (std::size_t to = 0; to < moved.size(); ++to)
        newRowOf[static_cast<std::size_t>(moved[to])] = static_cast<int>(to);
    auto follow = [&newRowOf](int& row) {
        if (row >= 0 && row < static_cast<int>(newRowOf.size()))
            row = newRowOf[static_cast<std::size_t>(row)];
    };
    follow(m_currentRow);
    follow(m_anchorRow);
    if (!redrawEnabled() || m_currentRow < fixedRowCount() || m_currentRow >= rowCount() ||
        colCount() == 0)
        return;
    // Only up or down: the columns in sight stay as they were.
    QScrollBar* across = m_view->horizontalScrollBar();
    const int left = across->value();
    m_view->scrollTo(m_model->index(m_model->modelRow(m_currentRow),
                                    std::clamp(m_currentCol, 0, colCount() - 1)));
    across->setValue(left);
}

void CvsFlexGrid::titleClicked(int col) {
    if (col < 0 || col >= colCount() || fixedRowCount() == 0)
        return;
    // A second click on the same title turns the order around.
    int order = GridTable::SortGenericAscending;
    if (col == m_lastTitleCol && m_lastTitleOrder == GridTable::SortGenericAscending)
        order = GridTable::SortGenericDescending;
    emit sortStarting(col, &order);
    m_lastTitleCol = col;
    m_lastTitleOrder = order;
    sortBy(col, order);
    emit sortFinished(col, order);
}

void CvsFlexGrid::selectionTouched(bool changed) {
    repaint();
    if (changed)
        emit selectionChanged();
}

void CvsFlexGrid::cellPressed(int modelRow, int col, Qt::KeyboardModifiers modifiers) {
    const int row = m_model->gridRow(modelRow);
    m_currentRow = row;
    m_currentCol = col;
    bool changed = false;
    if (modifiers & Qt::ShiftModifier) {
        changed = m_table->selectRange(m_anchorRow, row, (modifiers & Qt::ControlModifier) != 0);
    } else if (modifiers & Qt::ControlModifier) {
        changed = m_table->setRowSelected(row, !m_table->rowSelected(row));
        m_anchorRow = row;
    } else {
        changed = m_table->selectOnly(row);
        m_anchorRow = row;
    }
    selectionTouched(changed);
}

void CvsFlexGrid::cellDragged(int modelRow, int col) {
    const int row = m_model->gridRow(modelRow);
    if (row == m_currentRow && col == m_currentCol)
        return;
    m_currentRow = row;
    m_currentCol = col;
    selectionTouched(m_table->selectRange(m_anchorRow, row, false));
}

void CvsFlexGrid::cellDoubleClicked() {
    emit doubleClick();
}

void CvsFlexGrid::moveCurrent(int row, int col, Qt::KeyboardModifiers modifiers) {
    if (rowCount() <= fixedRowCount() || colCount() == 0)
        return;
    m_currentRow = std::clamp(row, fixedRowCount(), rowCount() - 1);
    m_currentCol = std::clamp(col, 0, colCount() - 1);
    bool changed = false;
    if (modifiers & Qt::ShiftModifier) {
        changed = m_table->selectRange(m_anchorRow, m_currentRow, false);
    } else if (!(modifiers & Qt::ControlModifier)) {
        changed = m_table->selectOnly(m_currentRow);
        m_anchorRow = m_currentRow;
    }
    if (redrawEnabled())
        m_view->scrollTo(m_model->index(m_model->modelRow(m_currentRow), m_currentCol));
    selectionTouched(changed);
}

bool CvsFlexGrid::keyPressed(int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    const int page = std::max(1, m_view->viewport()->height() /
                                     std::max(1, m_view->verticalHeader()->defaultSectionSize()));
    auto nextVisibleCol = [this](int from, int step) {
        for (int c = from + step; c >= 0 && c < colCount(); c += step)
            if (!columnHidden(c))
                return c;
        return from;
    };
    switch (key) {
    case Qt::Key_Up:
        moveCurrent(m_currentRow - 1, m_currentCol, modifiers);
        return true;
    case Qt::Key_Down:
        moveCurrent(m_currentRow + 1, m_currentCol, modifiers);
        return true;
    case Qt::Key_PageUp:
        moveCurrent(m_currentRow - page, m_currentCol, modifiers);
        return true;
    case Qt::Key_PageDown:
        moveCurrent(m_currentRow + page, m_currentCol, modifiers);
        return true;
    case Qt::Key_Home:
        moveCurrent(ctrl ? fixedRowCount() : m_currentRow,
                    ctrl ? m_currentCol : nextVisibleCol(-1, 1), modifiers & ~Qt::ControlModifier);
        return true;
    case Qt::Key_End:
        moveCurrent(ctrl ? rowCount() - 1 : m_currentRow,
                    ctrl ? m_currentCol : nextVisibleCol(colCount(), -1),
                    modifiers & ~Qt::ControlModifier);
        return true;
    case Qt::Key_Left:
        moveCurrent(m_currentRow, nextVisibleCol(m_currentCol, -1), Qt::ControlModifier);
        return true;
    case Qt::Key_Right:
        moveCurrent(m_currentRow, nextVisibleCol(m_currentCol, 1), Qt::ControlModifier);
        return true;
    case Qt::Key_Space:
        if (!ctrl)
            return false;
        selectionTouched(m_table->setRowSelected(m_currentRow, !rowSelected(m_currentRow)));
        m_anchorRow = m_currentRow;
        return true;
    case Qt::Key_A:
        if (!ctrl)
            return false;
        selectionTouched(m_table->selectAll());
        return true;
    default:
        return false;
    }
}

void CvsFlexGrid::wheelTurned(QPoint angle, QPoint pixels, Qt::KeyboardModifiers modifiers) {
    // Shift turns the up-and-down wheel sideways.
    if ((modifiers & Qt::ShiftModifier) && angle.x() == 0 && pixels.x() == 0) {
        angle = QPoint(angle.y(), 0);
        pixels = QPoint(pixels.y(), 0);
    }
    if (angle.y() != 0) {
        // Three rows a notch, never above the first data row.
        const int row = firstVisibleRow() - 3 * (angle.y() / 120);
        setFirstVisibleRow(std::max(row, fixedRowCount()));
    }
    if (angle.x() != 0 || pixels.x() != 0)
        scrollAcross(angle.x(), pixels.x());
}

void CvsFlexGrid::scrollAcross(int angle, int pixels) {
    QScrollBar* across = m_view->horizontalScrollBar();
    if (pixels != 0) {
        // A touchpad says how far to go.
        m_acrossRest = 0;
        across->setValue(across->value() - pixels);
        return;
    }
    // A notch goes as far as in Qt's own views; the small turns of a touchpad without pixel
    // distances add up instead of each falling short of a pixel.
    const double perNotch = QApplication::wheelScrollLines() * across->singleStep();
    m_acrossRest -= angle / 120.0 * perNotch;
    // The hair added keeps turns that sum to whole pixels, such as five fifths of a notch, from
    // falling a rounding error short.
    const double whole = std::trunc(m_acrossRest + (m_acrossRest < 0 ? -1e-9 : 1e-9));
    m_acrossRest -= whole;
    across->setValue(across->value() + static_cast<int>(whole));
}

QFont CvsFlexGrid::fontOf(int style) const {
    if (style < 0)
        return m_view->horizontalHeader()->font();
    if (style == GridTable::kGridStyle)
        return m_view->font();
    return m_model->styleFont(static_cast<std::uint16_t>(style));
}

const std::array<float, 256>& CvsFlexGrid::charWidths(int style) {
    const auto slot = static_cast<std::size_t>(style + 1);
    if (slot >= m_charWidths.size()) {
        m_charWidths.resize(slot + 1);
        m_charWidthsReady.resize(slot + 1, 0);
    }
    if (!m_charWidthsReady[slot]) {
        const QFontMetricsF metrics(fontOf(style));
        for (int byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            m_charWidths[slot][static_cast<std::size_t>(byte)] = static_cast<float>(
                metrics.horizontalAdvance(CodePage::toQString(std::string_view(&c, 1))));
        }
        m_charWidthsReady[slot] = 1;
    }
    return m_charWidths[slot];
}

std::vector<int> CvsFlexGrid::measureColumns(int first, int last) {
    // Estimating every cell from a table of character widths is cheap; only the few cells that
    // estimate widest are measured exactly. The rows are walked once for all columns: a
    // row's cells lie side by side.
    struct Candidate {
        float estimate;
        int row;
    };
    struct Column {
        std::vector<Candidate> widest;
        std::vector<Candidate>::iterator least;
    };
    auto leastOf = [](std::vector<Candidate>& list) {
        return std::min_element(
            list.begin(), list.end(),
            [](const Candidate& a, const Candidate& b) { return a.estimate < b.estimate; });
    };
    const int count = last - first + 1;
    std::vector<Column> columns(static_cast<std::size_t>(count));
    for (Column& column : columns)
        column.widest.reserve(kMeasuredCells);
    int lastStyle = -2;
    const std::array<float, 256>* widths = nullptr;
    for (int row = 0; row < rowCount(); ++row) {
        if (row >= 1 && row < fixedRowCount())
            continue;
        const std::uint16_t* styles = m_table->rowStyles(row);
        for (int i = 0; i < count; ++i) {
            const std::string_view text = m_table->cellView(row, first + i);
            if (text.empty())
                continue;
            const int style = row < fixedRowCount() ? -1
                              : styles             ? styles[first + i]
                                                   : GridTable::kGridStyle;
            if (style != lastStyle) {
                widths = &charWidths(style);
                lastStyle = style;
            }
            float estimate = 0;
            for (char c : text)
                estimate += (*widths)[static_cast<unsigned char>(c)];
            Column& column = columns[static_cast<std::size_t>(i)];
            if (static_cast<int>(column.widest.size()) < kMeasuredCells) {
                column.widest.push_back({estimate, row});
                if (static_cast<int>(column.widest.size()) == kMeasuredCells)
                    column.least = leastOf(column.widest);
            } else if (estimate > column.least->estimate) {
                *column.least = {estimate, row};
                column.least = leastOf(column.widest);
            }
        }
    }
    std::vector<int> result(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int col = first + i;
        int width = 0;
        for (const Candidate& candidate : columns[static_cast<std::size_t>(i)].widest) {
            const bool title = candidate.row < fixedRowCount();
            const QFontMetrics metrics(fontOf(title ? -1 : m_table->cellStyle(candidate.row, col)));
            const int exact =
                metrics.horizontalAdvance(CodePage::toQString(cellText(candidate.row, col))) +
                (title ? kTitlePadding : kCellPadding);
            width = std::max(width, exact);
        }
        result[static_cast<std::size_t>(i)] = std::max(width, kCellPadding);
    }
    return result;
}

void CvsFlexGrid::fitRowHeight(int extra) {
    int height = QFontMetrics(m_view->font()).height();
    for (int style = 1; style < m_table->styleCount(); ++style)
        height = std::max(height, QFontMetrics(fontOf(style)).height());
    m_view->verticalHeader()->setDefaultSectionSize(height + kRowPadding + std::max(extra, 0));
}

void CvsFlexGrid::fitColumns(int first, int last, bool equal, int extra) {
    if (m_fitMode == 1) {
        fitRowHeight(extra);
        return;
    }
    if (last < 0)
        last = first;
    first = std::max(first, 0);
    last = std::min(last, colCount() - 1);
    if (first > last)
        return;
    int widest = 0;
    const std::vector<int> measured = measureColumns(first, last);
    for (int col = first; col <= last; ++col) {
        m_widths[static_cast<std::size_t>(col)] = measured[static_cast<std::size_t>(col - first)] + extra;
        widest = std::max(widest, m_widths[static_cast<std::size_t>(col)]);
    }
    if (equal)
        std::fill(m_widths.begin() + first, m_widths.begin() + last + 1, widest);
    if (redrawEnabled())
        syncColumns();
}

void CvsFlexGrid::autoSize() {
    const int mode = m_fitMode;
    m_fitMode = 1;
    fitColumns(0, colCount() - 1);
    m_fitMode = 0;
    fitColumns(0, colCount() - 1);
    m_fitMode = mode;
}

void CvsFlexGrid::syncColumns() {
    QHeaderView* header = m_view->horizontalHeader();
    const int cols = std::min(m_model->columnCount(), colCount());
    for (int col = 0; col < cols; ++col) {
        const int width = m_widths[static_cast<std::size_t>(col)];
        const bool hidden = m_table->columnHidden(col);
        if (width > 0 && !hidden)
            header->resizeSection(col, width);
        m_view->setColumnHidden(col, hidden);
    }
}

void CvsFlexGrid::repaint() {
    if (redrawEnabled())
        m_view->viewport()->update();
}

void CvsFlexGrid::clickAt(const QPoint& viewportPos) {
    QWidget* viewport = view()->viewport();
    const QPoint global = viewport->mapToGlobal(viewportPos);
    QMouseEvent press(QEvent::MouseButtonPress, viewportPos, global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, viewportPos, global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &release);
}
