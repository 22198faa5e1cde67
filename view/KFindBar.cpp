#include "view/KFindBar.h"

#include "grid/CvsFlexGrid.h"
#include "platform/GridSource.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTableView>
#include <QToolButton>

namespace {

// The grid as the search reads it.
class GridText : public KGridSource {
public:
    explicit GridText(const CvsFlexGrid& grid) : m_grid(grid) {}
    int rowCount() const override { return m_grid.rowCount(); }
    int colCount() const override { return m_grid.colCount(); }
    int fixedRowCount() const override { return m_grid.fixedRowCount(); }
    std::string cellText(int row, int col) const override { return m_grid.cellText(row, col); }
    bool columnHidden(int col) const override { return m_grid.columnHidden(col); }
    int columnAlignment(int) const override { return 0; }

private:
    const CvsFlexGrid& m_grid;
};

} // namespace

KFindBar::KFindBar(CvsFlexGrid& grid, std::function<int()> nameColumn, QWidget* parent)
    : QWidget(parent), m_grid(grid), m_nameColumn(std::move(nameColumn)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel(QStringLiteral("&Zoeken:"), this);
    m_edit = new QLineEdit(this);
    m_edit->setClearButtonEnabled(true);
    m_edit->setMinimumWidth(m_edit->fontMetrics().averageCharWidth() * 30);
    label->setBuddy(m_edit);
    auto* inLabel = new QLabel(QStringLiteral("&in:"), this);
    m_scope = new QComboBox(this);
    m_scope->addItem(QStringLiteral("naam"));
    m_scope->addItem(QStringLiteral("alle getoonde kolommen"));
    inLabel->setBuddy(m_scope);
    auto* previous = new QToolButton(this);
    previous->setText(QStringLiteral("V&orige"));
    previous->setToolTip(QStringLiteral("Vorige (Shift+F3)"));
    auto* next = new QToolButton(this);
    next->setText(QStringLiteral("Vo&lgende"));
    next->setToolTip(QStringLiteral("Volgende (F3)"));
    m_message = new QLabel(this);
    auto* shut = new QToolButton(this);
    shut->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    shut->setToolTip(QStringLiteral("Sluiten (Escape)"));
    shut->setAutoRaise(true);
    layout->addWidget(label);
    layout->addWidget(m_edit, 1);
    layout->addWidget(inLabel);
    layout->addWidget(m_scope);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(m_message);
    layout->addStretch(0);
    layout->addWidget(shut);

    connect(m_edit, &QLineEdit::textEdited, this,
            [this] { search(MemberFind::Direction::Forward, true); });
    connect(m_edit, &QLineEdit::returnPressed, this, &KFindBar::findNext);
    connect(m_scope, &QComboBox::currentIndexChanged, this,
            [this] { search(MemberFind::Direction::Forward, true); });
    connect(previous, &QToolButton::clicked, this, &KFindBar::findPrevious);
    connect(next, &QToolButton::clicked, this, &KFindBar::findNext);
    connect(shut, &QToolButton::clicked, this, &KFindBar::closeBar);
    m_edit->installEventFilter(this);
    m_scope->installEventFilter(this);
    hide();
}

MemberFind::Scope KFindBar::scope() const {
    return m_scope->currentIndex() == 1 ? MemberFind::Scope::AllColumns : MemberFind::Scope::Name;
}

QString KFindBar::message() const {
    return m_message->text();
}

void KFindBar::open() {
    show();
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
    // The rows are read now rather than at the first key.
    if (!m_find.hasRead(scope(), m_nameColumn()))
        m_find.read(GridText(m_grid), m_nameColumn(), scope());
}

void KFindBar::closeBar() {
    hide();
    m_message->clear();
    m_grid.view()->setFocus(Qt::OtherFocusReason);
}

void KFindBar::findNext() {
    if (!isVisible() || m_edit->text().isEmpty()) {
        open();
        if (m_edit->text().isEmpty())
            return;
    }
    search(MemberFind::Direction::Forward, false);
}

void KFindBar::findPrevious() {
    if (!isVisible() || m_edit->text().isEmpty()) {
        open();
        if (m_edit->text().isEmpty())
            return;
    }
    search(MemberFind::Direction::Backward, false);
}

void KFindBar::search(MemberFind::Direction direction, bool including) {
    const std::string needle = MemberFind::foldTyped(m_edit->text());
    if (needle.empty()) {
        m_message->clear();
        return;
    }
    const int nameColumn = m_nameColumn();
    if (!m_find.hasRead(scope(), nameColumn))
        m_find.read(GridText(m_grid), nameColumn, scope());
    const int from = m_grid.currentRow() >= m_grid.fixedRowCount() ? m_grid.currentRow()
                                                                   : m_grid.fixedRowCount();
    const int row = m_find.find(needle, from, direction, including);
    if (row < 0) {
        m_message->setText(QStringLiteral("Niet gevonden."));
        return;
    }
    m_message->clear();
    m_grid.selectRow(row);
}

bool KFindBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            closeBar();
            return true;
        }
        if (key->key() == Qt::Key_F3) {
            if (key->modifiers() & Qt::ShiftModifier)
                findPrevious();
            else
                findNext();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
