#include "member/KDlgSpecChars.h"

#include "core/member/SpecialChars.h"
#include "grid/CvsFlexGrid.h"
#include "platform/CodePage.h"
#include "tolvex7/DialogGeometry.h"
#include "view/KDialogHelp.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The manual knows the picker by its template number.
constexpr unsigned kTemplate = 163;

} // namespace

KDlgSpecChars::KDlgSpecChars(QLineEdit* target, QWidget* parent)
    : QDialog(parent), m_target(target) {
    setWindowTitle(QStringLiteral("Speciale karakters"));
    KDialogHelp::attach(*this, KHelpContext::window(kTemplate));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_grid = new CvsFlexGrid(this);
    layout->addWidget(m_grid);

    m_grid->setFixedRowCount(0);
    m_grid->setGridFontSize(12.0);
    m_grid->setColCount(SpecialChars::kColumns);
    m_grid->setRowCount(SpecialChars::kRows);
    const auto codes = SpecialChars::codes();
    for (int i = 0; i < SpecialChars::kCount; ++i)
        m_grid->setCellText(i / SpecialChars::kColumns, i % SpecialChars::kColumns,
                            std::string(1, static_cast<char>(codes[static_cast<std::size_t>(i)])));
    m_grid->setFitMode(1);
    m_grid->fitColumns(0, SpecialChars::kColumns - 1);
    m_grid->setFitMode(0);
    m_grid->fitColumns(0, SpecialChars::kColumns - 1, true, 8);
    m_grid->setCurrentRow(0);
    m_grid->setCurrentCol(0);

    // Every cell in sight, without scroll bars.
    QTableView* view = m_grid->view();
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * view->frameWidth();
    const int width = SpecialChars::kColumns * m_grid->columnWidth(0) + frame;
    const int height = SpecialChars::kRows * view->verticalHeader()->defaultSectionSize() + frame;
    view->setFixedSize(width, height);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_grid, &CvsFlexGrid::doubleClick, this, &KDlgSpecChars::typeCurrent);
    view->installEventFilter(this);
    view->setFocus();
}

void KDlgSpecChars::typeCurrent() {
    const std::string& text = m_grid->cellText(m_grid->currentRow(), m_grid->currentCol());
    if (!text.empty() && m_target)
        m_target->insert(CodePage::toQString(std::string_view(text.data(), 1)));
    done(0);
}

QPoint KDlgSpecChars::besideField(const QRect& field, const QSize& picker, const QRect& screen) {
    const auto clamp = [](int at, int size, int from, int length) {
        return std::max(from, std::min(at, from + length - size));
    };
    const int top = clamp(field.top(), picker.height(), screen.top(), screen.height());
    const int left = clamp(field.left(), picker.width(), screen.left(), screen.width());
    if (field.right() + 1 + picker.width() <= screen.right() + 1)
        return {field.right() + 1, top};
    if (field.left() - picker.width() >= screen.left())
        return {field.left() - picker.width(), top};
    if (field.bottom() + 1 + picker.height() <= screen.bottom() + 1)
        return {left, field.bottom() + 1};
    if (field.top() - picker.height() >= screen.top())
        return {left, field.top() - picker.height()};
    return {clamp(field.right() + 1, picker.width(), screen.left(), screen.width()), top};
}

void KDlgSpecChars::place() {
    QScreen* screen = m_target ? m_target->screen() : this->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // The window's frame counts: the title bar stands above the grid.
    const QSize frame = frameGeometry().size().expandedTo(size());
    if (m_target) {
        const QRect field(m_target->mapToGlobal(QPoint(0, 0)), m_target->size());
        move(besideField(field, frame, area));
        return;
    }
    move(DialogGeometry::positionFor(area, size(), 0, 0));
}

void KDlgSpecChars::showEvent(QShowEvent* event) {
    place();
    QDialog::showEvent(event);
    // Once shown, the window manager's frame is known: placed again with it, the title bar and
    // borders stay off the field too.
    QTimer::singleShot(0, this, [this] {
        if (frameGeometry().size() != size())
            place();
    });
}

bool KDlgSpecChars::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid->view() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            typeCurrent();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
