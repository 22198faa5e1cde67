#include "contrib/KContrOverview.h"

#include "core/contrib/KOverview.h"
#include "grid/CvsFlexGrid.h"
#include "grid/GridTable.h"
#include "view/KDialogHelp.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMargin = 5;
// The manual knows the overview by its template number.
constexpr unsigned kTemplate = 166;

} // namespace

KContrOverview::KContrOverview(const KOverview& overview,
                               std::function<void(int row, int col)> cellChosen, QWidget* parent)
    : QDialog(parent), m_cellChosen(std::move(cellChosen)) {
    setWindowTitle(QStringLiteral("Overzicht openstaande bedragen"));
    setSizeGripEnabled(true);
    KDialogHelp::attach(*this, KHelpContext::window(kTemplate));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    m_grid = new CvsFlexGrid(this);
    layout->addWidget(m_grid);

    m_grid->setRedrawEnabled(false);
    m_grid->setColCount(overview.colCount());
    m_grid->setRowCount(overview.rowCount());
    for (int row = 0; row < overview.rowCount(); ++row) {
        for (int col = 0; col < overview.colCount(); ++col) {
            m_grid->setCellText(row, col, overview.cell(row, col));
            if (overview.bold(row, col)) {
                m_grid->setCurrentRow(row);
                m_grid->setCurrentCol(col);
                m_grid->setCellFontBold(true);
            }
        }
    }
    m_grid->setCurrentRow(0);
    m_grid->setCurrentCol(0);
    for (int col = 1; col < overview.colCount(); ++col)
        m_grid->setColumnAlignment(col, 7);
    m_grid->setRedrawEnabled(true);
    m_grid->autoSize();

    // The totals stay below and to the right: the overview is not sorted by a click on a title.
    connect(m_grid, &CvsFlexGrid::sortStarting, this,
            [](int, int* order) { *order = GridTable::SortNone; });
    connect(m_grid, &CvsFlexGrid::doubleClick, this, &KContrOverview::cellChosen);
    m_grid->view()->installEventFilter(this);
}

void KContrOverview::cellChosen() {
    if (m_cellChosen)
        m_cellChosen(m_grid->currentRow(), m_grid->currentCol());
}

bool KContrOverview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid->view() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cellChosen();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QSize KContrOverview::fittedSize() const {
    const QTableView* view = m_grid->view();
    const int frame = 2 * view->frameWidth();
    int width = view->horizontalHeader()->length() + frame;
    int height = view->verticalHeader()->length() + frame;
    if (view->horizontalHeader()->isVisible())
        height += view->horizontalHeader()->sizeHint().height();
    const QMargins margins = layout()->contentsMargins();
    width += margins.left() + margins.right();
    height += margins.top() + margins.bottom();
    // Room for the size grip's corner and a hair, so that no scroll bar comes up for a pixel.
    width += 2;
    height += 2;
    QSize size(std::max(width, 320), std::max(height, 120));
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        // The window frame around the client area takes some of the screen too.
        const QRect free = screen->availableGeometry();
        const QSize room(free.width() - std::max(0, frameGeometry().width() - geometry().width()),
                         free.height() - std::max(0, frameGeometry().height() - geometry().height()));
        // Where one direction does not fit, its scroll bar takes room from the other.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        if (size.height() > room.height())
            size.rwidth() += bar;
        if (size.width() > room.width())
            size.rheight() += bar;
        size = size.boundedTo(room);
    }
    return size;
}

void KContrOverview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_fitted)
        return;
    m_fitted = true;
    resize(fittedSize());
}
