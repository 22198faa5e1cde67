#include "view/KMainView.h"

#include "core/document/CKorvelDoc.h"
#include "core/format/Numbers.h"
#include "core/table/MemberColumns.h"
#include "core/table/MemberTable.h"
#include "grid/CvsFlexGrid.h"
#include "res/Commands.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTableView>
#include <QVBoxLayout>

#include <numeric>

namespace {

constexpr int kRightAligned = 7;
const char* const kNumberTitle = "Nr.";

} // namespace

KMainView::KMainView(QWidget* parent) : QWidget(parent), m_font(MemberGridFont::read()) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_grid = new CvsFlexGrid(this);
    layout->addWidget(m_grid);
    m_grid->setRowComparator([this](int a, int b) {
        return m_order.compare(a, b, m_orderByName ? m_nameAscending : m_dateAscending);
    });
    connect(m_grid, &CvsFlexGrid::sortStarting, this, &KMainView::sortStarting);
    connect(m_grid, &CvsFlexGrid::sortFinished, this, [this] { renumber(); });
    connect(m_grid, &CvsFlexGrid::doubleClick, this, &KMainView::doubleClicked);
    m_grid->view()->viewport()->installEventFilter(this);
    m_popup = new QMenu(this);
}

KMainView::~KMainView() = default;

void KMainView::setCommands(const std::function<QAction*(int id)>& actionOf) {
    m_popup->clear();
    for (int id : memberPopupLayout()) {
        if (id == 0)
            m_popup->addSeparator();
        else if (QAction* action = actionOf(id))
            m_popup->addAction(action);
    }
    m_editAction = actionOf(Cmd::MemberEdit);
}

void KMainView::OnUpdate() {
    if (!m_doc || m_doc->fields().empty())
        return;
    const MemberColumns columns(MemberColumns::profileValue(), m_doc->fields());
    m_grid->setRedrawEnabled(false);
    setUpColumns(columns);
    fill(columns);
    m_grid->setRedrawEnabled(true);
}

void KMainView::setUpColumns(const MemberColumns& columns) {
    // Shrinking to one column first drops the properties of the columns of the last rebuild.
    m_grid->setRowCount(1);
    m_grid->setColCount(1);
    m_grid->setColCount(static_cast<int>(columns.size()) + 1);
    m_grid->setCellText(0, 0, "Identifier");
    m_grid->setColumnHidden(0, true);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int col = static_cast<int>(i) + 1;
        m_grid->setCellText(0, col, columns.at(i).title);
        m_grid->setColumnData(col, columns.at(i).code);
        if (columns.at(i).code == MemberColumns::kBalance)
            m_grid->setColumnAlignment(col, kRightAligned);
    }
}

void KMainView::fill(const MemberColumns& columns) {
    MemberTable table(m_doc->members(), columns);
    m_nameColumn = table.nameColumn();
    m_orderByName = true;
    // Every rebuild sorts by name, in the direction the name title last chose. The rows go
    // into the grid in that order, as the grid's own sort by the same order would leave them.
    std::vector<int> order;
    if (m_nameColumn >= 0) {
        order = MemberOrder::byName(table.column(m_nameColumn)).sortedRows(m_nameAscending);
    } else {
        order.resize(static_cast<std::size_t>(table.rowCount()));
        std::iota(order.begin(), order.end(), 0);
    }
    if (table.rowCount() > 0) {
        m_grid->setRowCount(table.rowCount() + 1);
        for (int row = 0; row < table.rowCount(); ++row)
            for (int col = 0; col < table.colCount(); ++col)
                m_grid->setCellText(row + 1, col,
                                    table.take(order[static_cast<std::size_t>(row)], col));
        GridTable::CellFont font;
        font.name = m_font.name;
        font.size = m_font.size;
        font.bold = m_font.bold;
        font.italic = m_font.italic;
        font.underline = m_font.underline;
        font.strikethrough = m_font.strikethrough;
        m_grid->setCellFontRange(1, 0, m_grid->rowCount() - 1, m_grid->colCount() - 1, font);
    }
    m_grid->autoSize();
    renumber();
}

void KMainView::prepareNameOrder(int col) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(m_grid->rowCount()));
    for (int row = 0; row < m_grid->rowCount(); ++row)
        names.push_back(row < m_grid->fixedRowCount() ? std::string() : m_grid->cellText(row, col));
    m_order = MemberOrder::byName(names);
    m_orderByName = true;
}

void KMainView::prepareDateOrder(FieldMeaning meaning) {
    std::vector<std::string> ids;
    ids.reserve(static_cast<std::size_t>(m_grid->rowCount()));
    for (int row = 0; row < m_grid->rowCount(); ++row)
        ids.push_back(m_grid->cellText(row, 0));
    m_order = MemberOrder::byDate(m_doc->members(), meaning, ids);
    m_orderByName = false;
}

void KMainView::sortStarting(int col, int* order) {
    // Only name and date columns sort by the view's own order; the rest is the grid's sort.
    if (!m_doc)
        return;
    const std::int32_t code = m_grid->columnData(col);
    if (code == MemberColumns::kBalance || code == MemberColumns::kRunningNumber)
        return;
    switch (MemberOrder::kindOfColumn(m_doc->members(), code)) {
    case MemberOrder::Kind::Name:
        m_nameAscending = !m_nameAscending;
        m_nameColumn = col;
        prepareNameOrder(col);
        break;
    case MemberOrder::Kind::BirthDate:
        m_dateAscending = !m_dateAscending;
        m_nameColumn = col;
        prepareDateOrder(FieldMeaning::BirthDate);
        break;
    case MemberOrder::Kind::RegistrationDate:
        m_dateAscending = !m_dateAscending;
        m_nameColumn = col;
        prepareDateOrder(FieldMeaning::RegistrationDate);
        break;
    case MemberOrder::Kind::Grid:
        return;
    }
    *order = GridTable::SortCustom;
}

void KMainView::renumber() {
    // The running number follows the display order, in every "Nr." column.
    const int current = m_grid->currentRow();
    for (int col = 0; col < m_grid->colCount(); ++col) {
        if (m_grid->cellText(0, col) != kNumberTitle)
            continue;
        for (int row = m_grid->fixedRowCount(); row < m_grid->rowCount(); ++row)
            m_grid->setCellText(row, col, Numbers::decimal(row - m_grid->fixedRowCount() + 1));
    }
    m_grid->setCurrentRow(current);
}

void KMainView::selectMemberRow(std::int32_t id) {
    if (m_grid->rowCount() < 2)
        return;
    for (int row = m_grid->fixedRowCount(); row < m_grid->rowCount(); ++row)
        m_grid->setRowSelected(row, Numbers::leadingLong(m_grid->cellText(row, 0)) == id);
}

std::vector<std::int32_t> KMainView::selectedMembers() const {
    std::vector<std::int32_t> ids;
    const int count = m_grid->selectedRowCount();
    ids.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        ids.push_back(Numbers::leadingLong(m_grid->cellText(m_grid->selectedRowAt(i), 0)));
    return ids;
}

void KMainView::doubleClicked() {
    if (m_editAction && m_editAction->isEnabled())
        m_editAction->trigger();
}

void KMainView::showContextMenu(const QPoint& viewportPos, const QPoint& globalPos) {
    if (m_grid->selectedRowCount() < 2) {
        // A left click at the point makes the row under it the selection.
        QWidget* viewport = m_grid->view()->viewport();
        QMouseEvent press(QEvent::MouseButtonPress, viewportPos, globalPos, Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, viewportPos, globalPos, Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &release);
    }
    if (!m_popup->isEmpty())
        m_popup->popup(globalPos);
}

bool KMainView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu && watched == m_grid->view()->viewport()) {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        showContextMenu(menu->pos(), menu->globalPos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
