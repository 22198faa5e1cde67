#include "contrib/KContrExec.h"

#include "core/format/Numbers.h"
#include "grid/CvsFlexGrid.h"
#include "view/KDialogButtons.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The manual knows the dialog by its template number.
constexpr unsigned kTemplate = 170;

} // namespace

KContrExec::KContrExec(const std::string& schemeDescription,
                       const std::vector<KExecution::Row>& rows, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Uitvoeren contributie"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    m_grid = new CvsFlexGrid(this);
    m_grid->setMinimumSize(360, 320);
    left->addWidget(m_grid, 1);
    m_count = new QLabel(this);
    left->addWidget(m_count);
    layout->addLayout(left, 1);

    auto* buttons = new QVBoxLayout;
    auto* withoutAmount = new QPushButton(QStringLiteral("Selecteer leden zonder bedrag"), this);
    auto* all = new QPushButton(QStringLiteral("Selecteer alle leden"), this);
    auto* invert = new QPushButton(QStringLiteral("&Keer selectie om"), this);
    // Enter on a focused selection button selects; only Enter elsewhere runs the scheme.
    for (QPushButton* button : {withoutAmount, all, invert})
        buttons->addWidget(button);
    buttons->addSpacing(12);
    KDialogButtons::Options options;
    options.acceptText = QStringLiteral("&Voer uit");
    options.rejectText = QStringLiteral("Annuleren");
    options.orientation = Qt::Vertical;
    buttons->addWidget(new KDialogButtons(*this, KHelpContext::window(kTemplate), options));
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(withoutAmount, &QPushButton::clicked, this, &KContrExec::selectWithoutAmount);
    connect(all, &QPushButton::clicked, this, &KContrExec::selectAll);
    connect(invert, &QPushButton::clicked, this, &KContrExec::invertSelection);

    m_grid->setRedrawEnabled(false);
    m_grid->setColCount(3);
    m_grid->setRowCount(static_cast<int>(rows.size()) + 1);
    m_grid->setCellText(0, 0, "Naam");
    m_grid->setCellText(0, 1, schemeDescription);
    m_grid->setCellText(0, 2, "ID");
    m_grid->setColumnHidden(2, true);
    m_grid->setColumnAlignment(1, 7);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        m_grid->setCellText(row, 0, rows[i].name);
        m_grid->setCellText(row, 1, rows[i].amount);
        m_grid->setCellText(row, 2, Numbers::decimal(rows[i].memberId));
    }
    selectWithoutAmount();
    m_grid->setRedrawEnabled(true);
    m_grid->autoSize();
    connect(m_grid, &CvsFlexGrid::selectionChanged, this, &KContrExec::showCount);
    showCount();
    fitRows();
}

void KContrExec::showCount() {
    const int members = m_grid->rowCount() - 1;
    m_count->setText(QStringLiteral("%1 van %2 %3 geselecteerd")
                         .arg(m_grid->selectedRowCount())
                         .arg(members)
                         .arg(members == 1 ? QStringLiteral("lid") : QStringLiteral("leden")));
}

QString KContrExec::countText() const {
    return m_count->text();
}

void KContrExec::fitRows() {
    // Room for about 30 members at once, as far as the screen allows.
    QTableView* view = m_grid->view();
    const int rowHeight = view->verticalHeader()->defaultSectionSize();
    int wanted = rowHeight * (kShownRows + 1) + 2 * view->frameWidth() +
                 view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        wanted = std::min(wanted, screen->availableGeometry().height() * 2 / 3);
    m_grid->setMinimumHeight(std::max(320, wanted));
}

void KContrExec::selectWithoutAmount() {
    for (int row = 1; row < m_grid->rowCount(); ++row)
        m_grid->setRowSelected(row, KExecution::withoutAmount(m_grid->cellText(row, 1)));
    if (m_count)
        showCount();
}

void KContrExec::selectAll() {
    for (int row = 1; row < m_grid->rowCount(); ++row)
        m_grid->setRowSelected(row, true);
    showCount();
}

void KContrExec::invertSelection() {
    for (int row = 1; row < m_grid->rowCount(); ++row)
        m_grid->setRowSelected(row, !m_grid->rowSelected(row));
    showCount();
}

std::vector<std::int32_t> KContrExec::chosenMembers() const {
    std::vector<std::int32_t> ids;
    ids.reserve(static_cast<std::size_t>(m_grid->selectedRowCount()));
    for (int row = 1; row < m_grid->rowCount(); ++row)
        if (m_grid->rowSelected(row))
            ids.push_back(Numbers::leadingLong(m_grid->cellText(row, 2)));
    return ids;
}
