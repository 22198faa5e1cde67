#include "member/KDlgFinancial.h"

#include "core/KQuestions.h"
#include "grid/CvsFlexGrid.h"
#include "member/KMemberDialogs.h"
#include "platform/CodePage.h"
#include "view/KDialogHelp.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kRightAligned = 7;
constexpr int kPlace = KFinancialLists::kPlaceColumn;
const char* const kChargeTitles[3] = {"Contributie", "Bedrag", "Opmerkingen"};
const char* const kPaymentTitles[3] = {"Datum", "Bedrag", "Opmerkingen"};
// The manual knows the page by its template number: F1 on the page shows the page's help rather
// than the member dialog's.
constexpr unsigned kTemplate = 177;

} // namespace

KDlgFinancial::KDlgFinancial(const KMember& member, KMemberDialogs& dialogs, KQuestions& questions,
                             QWidget* parent)
    : QWidget(parent), m_lists(member), m_dialogs(dialogs), m_questions(questions) {
    KDialogHelp::attach(*this, KHelpContext::window(kTemplate));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto addSection = [&](const char* title, CvsFlexGrid*& grid, QLabel*& total, QPushButton*& add,
                          const QString& addText, const char* const titles[3]) {
        layout->addWidget(new QLabel(QString::fromLatin1(title), this));
        grid = makeGrid(titles);
        layout->addWidget(grid, 1);
        auto* line = new QHBoxLayout;
        line->addWidget(new QLabel(QStringLiteral("Totaal:"), this));
        total = new QLabel(this);
        total->setTextInteractionFlags(Qt::TextSelectableByMouse);
        line->addWidget(total);
        line->addStretch(1);
        add = new QPushButton(addText, this);
        add->setAutoDefault(false);
        line->addWidget(add);
        layout->addLayout(line);
    };
    addSection("Te betalen bedragen:", m_charges, m_chargesTotal, m_addCharge,
               QStringLiteral("&Voeg toe"), kChargeTitles);
    layout->addSpacing(fontMetrics().height() / 2);
    addSection("Ontvangen bedragen:", m_payments, m_paymentsTotal, m_addPayment,
               QStringLiteral("Voeg &toe"), kPaymentTitles);

    connect(m_addCharge, &QPushButton::clicked, this, &KDlgFinancial::addCharge);
    connect(m_addPayment, &QPushButton::clicked, this, &KDlgFinancial::addPayment);
    connect(m_charges, &CvsFlexGrid::doubleClick, this, [this] { change(Charges); });
    connect(m_payments, &CvsFlexGrid::doubleClick, this, [this] { change(Payments); });

    m_popup = new QMenu(this);
    m_addAction = m_popup->addAction(QStringLiteral("&Toevoegen"));
    m_changeAction = m_popup->addAction(QStringLiteral("&Wijzigen"));
    m_deleteAction = m_popup->addAction(QStringLiteral("&Verwijderen"));
    connect(m_addAction, &QAction::triggered, this,
            [this] { m_menuGrid == Charges ? addCharge() : addPayment(); });
    connect(m_changeAction, &QAction::triggered, this, [this] { change(m_menuGrid); });
    connect(m_deleteAction, &QAction::triggered, this, [this] { remove(m_menuGrid, m_menuRow); });

    fill(Charges);
    fill(Payments);
    setFocusProxy(m_charges->view());
}

CvsFlexGrid* KDlgFinancial::makeGrid(const char* const titles[3]) {
    auto* grid = new CvsFlexGrid(this);
    grid->setColCount(4);
    grid->setRowCount(1);
    for (int col = 0; col < 3; ++col)
        grid->setCellText(0, col, titles[col]);
    grid->setCellText(0, kPlace, "Plaats");
    grid->setColumnHidden(kPlace, true);
    grid->setColumnAlignment(1, kRightAligned);
    // The remarks take the room the other columns leave.
    grid->view()->horizontalHeader()->setStretchLastSection(true);
    const int line = grid->view()->verticalHeader()->defaultSectionSize();
    grid->setMinimumSize(fontMetrics().averageCharWidth() * 60, line * 6);
    grid->view()->viewport()->installEventFilter(this);
    grid->view()->installEventFilter(this);
    return grid;
}

void KDlgFinancial::fill(Which which) {
    CvsFlexGrid& g = grid(which);
    const std::vector<KFinancialLists::Row> rows =
        which == Charges ? m_lists.chargeRows() : m_lists.paymentRows();
    g.setRedrawEnabled(false);
    g.setRowCount(1);
    g.setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (int col = 0; col < 4; ++col)
            g.setCellText(static_cast<int>(i) + 1, col, rows[i][static_cast<std::size_t>(col)]);
    g.fitColumns(0, 2);
    g.setRedrawEnabled(true);
    (which == Charges ? m_chargesTotal : m_paymentsTotal)
        ->setText(CodePage::toQString(KFinancialLists::total(rows)));
}

void KDlgFinancial::collect(KMember& member) const {
    m_lists.collectInto(member);
}

QString KDlgFinancial::totalText(Which which) const {
    return (which == Charges ? m_chargesTotal : m_paymentsTotal)->text();
}

QPushButton* KDlgFinancial::addButton(Which which) const {
    return which == Charges ? m_addCharge : m_addPayment;
}

QAction* KDlgFinancial::menuAction(Command command) const {
    switch (command) {
    case Add:
        return m_addAction;
    case Change:
        return m_changeAction;
    case Delete:
        return m_deleteAction;
    }
    return nullptr;
}

int KDlgFinancial::placeOfRow(Which which, int row) const {
    const CvsFlexGrid& g = grid(which);
    if (row < g.fixedRowCount() || row >= g.rowCount())
        return -1;
    const std::size_t count =
        which == Charges ? m_lists.charges().size() : m_lists.payments().size();
    return KFinancialLists::placeOf(g.cellText(row, kPlace), count);
}

void KDlgFinancial::addCharge() {
    if (const auto charge = m_dialogs.editCharge(KCharge(), window())) {
        m_lists.addCharge(*charge);
        fill(Charges);
    }
}

void KDlgFinancial::addPayment() {
    if (const auto payment = m_dialogs.editPayment(KPayment(), window())) {
        m_lists.addPayment(*payment);
        fill(Payments);
    }
}

void KDlgFinancial::change(Which which) {
    const int place = placeOfRow(which, grid(which).currentRow());
    if (place < 0)
        return;
    if (which == Charges) {
        if (const auto charge = m_dialogs.editCharge(*m_lists.chargeAt(place), window())) {
            m_lists.replaceCharge(place, *charge);
            fill(Charges);
        }
    } else if (const auto payment = m_dialogs.editPayment(*m_lists.paymentAt(place), window())) {
        m_lists.replacePayment(place, *payment);
        fill(Payments);
    }
}

void KDlgFinancial::remove(Which which, int row) {
    const int place = placeOfRow(which, row);
    if (place < 0)
        return;
    const CvsFlexGrid& g = grid(which);
    const KFinancialLists::Row texts = {g.cellText(row, 0), g.cellText(row, 1), g.cellText(row, 2),
                                        g.cellText(row, kPlace)};
    if (!m_questions.yesNo(KFinancialLists::deleteQuestion(texts)))
        return;
    if (which == Charges ? m_lists.removeCharge(place) : m_lists.removePayment(place))
        fill(which);
}

void KDlgFinancial::prepareMenu(Which which, const QPoint& viewportPos) {
    m_menuGrid = which;
    CvsFlexGrid& g = grid(which);
    if (g.view()->indexAt(viewportPos).isValid()) {
        // A left click at the point makes the row under it the selection and the current row.
        g.clickAt(viewportPos);
    } else {
        for (int row = g.fixedRowCount(); row < g.rowCount(); ++row)
            g.setRowSelected(row, false);
        g.setCurrentRow(0);
    }
    m_menuRow = g.selectedRowCount() > 0 ? g.selectedRowAt(0) : 0;
    m_changeAction->setEnabled(m_menuRow > 0);
    m_deleteAction->setEnabled(m_menuRow > 0);
}

bool KDlgFinancial::eventFilter(QObject* watched, QEvent* event) {
    for (Which which : {Charges, Payments}) {
        CvsFlexGrid& g = grid(which);
        if ((watched == g.view()->viewport() || watched == g.view()) &&
            event->type() == QEvent::ContextMenu) {
            auto* menu = static_cast<QContextMenuEvent*>(event);
            if (menu->reason() == QContextMenuEvent::Mouse) {
                prepareMenu(which, menu->pos());
            } else {
                // From the keyboard: the rows already selected.
                m_menuGrid = which;
                m_menuRow = g.selectedRowCount() > 0 ? g.selectedRowAt(0) : 0;
                m_changeAction->setEnabled(m_menuRow > 0);
                m_deleteAction->setEnabled(m_menuRow > 0);
                if (m_menuRow > 0)
                    g.setCurrentRow(m_menuRow);
            }
            m_popup->popup(menu->globalPos());
            return true;
        }
        if (watched == g.view() && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                change(which);
                return true;
            }
            if (key == Qt::Key_Delete) {
                remove(which, g.selectedRowCount() > 0 ? g.selectedRowAt(0) : 0);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
