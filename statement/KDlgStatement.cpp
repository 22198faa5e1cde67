#include "statement/KDlgStatement.h"

#include "core/format/AmountText.h"
#include "platform/CodePage.h"
#include "res/Commands.h"
#include "statement/KDlgPickMember.h"
#include "statement/KStatementModel.h"
#include "view/KDialogButtons.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Fitting every column to its contents reads every cell; beyond this many rows the columns
// keep widths of their own.
constexpr int kFittedRows = 2000;

QString money(std::int64_t cents) {
    return CodePage::toQString(AmountText(static_cast<double>(cents) / 100.0, 2));
}

void tell(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Bankafschrift inlezen"), text,
                    QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace

KDlgStatement::KDlgStatement(KStatementReview& review, QWidget* parent)
    : QDialog(parent), m_review(review) {
    m_picker = [this](std::vector<KStatementReview::Choice> choices, const QString& about) {
        KDlgPickMember dialog(std::move(choices), about, this);
        return dialog.exec() == QDialog::Accepted ? dialog.chosen() : 0;
    };
    build();
    showTotals();
    currentChanged();
}

void KDlgStatement::build() {
    setWindowTitle(QStringLiteral("Bankafschrift inlezen"));
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);

    QStringList accounts;
    for (const KBankStatement& statement : m_review.statements())
        if (!accounts.contains(statement.account))
            accounts.push_back(statement.account);
    const std::size_t statements = m_review.statements().size();
    m_summary = new QLabel(QStringLiteral("%1 van rekening %2: %3 bedragen.")
                               .arg(statements == 1 ? QStringLiteral("1 afschrift")
                                                    : QStringLiteral("%1 afschriften").arg(statements),
                                    accounts.join(QStringLiteral(", ")))
                               .arg(m_review.size()),
                           this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    m_warnings = new QLabel(m_review.warnings().join(QLatin1Char('\n')), this);
    m_warnings->setWordWrap(true);
    m_warnings->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    m_warnings->setVisible(!m_review.warnings().isEmpty());
    layout->addWidget(m_warnings);

    m_model = new KStatementModel(m_review, this);
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setStretchLastSection(true);
    if (m_model->rowCount() <= kFittedRows)
        m_table->resizeColumnsToContents();
    // Wide enough for every column, as far as the screen allows; the rest scrolls.
    int width = 2 * m_table->frameWidth() + m_table->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_model->columnCount(); ++column)
        width += m_table->columnWidth(column);
    if (const QScreen* screen = this->screen())
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    m_table->setMinimumSize(std::max(width, 600), 360);
    layout->addWidget(m_table, 1);

    auto* row = new QHBoxLayout;
    m_choose = new QPushButton(QStringLiteral("Lid &kiezen..."), this);
    m_choose->setAutoDefault(false);
    row->addWidget(m_choose);
    row->addStretch();
    m_totals = new QLabel(this);
    row->addWidget(m_totals);
    layout->addLayout(row);

    KDialogButtons::Options options;
    options.acceptText = QStringLiteral("&Boeken");
    auto* buttons = new KDialogButtons(*this, KHelpContext::command(Cmd::ContrStatement), options);
    m_book = buttons->ok();
    layout->addWidget(buttons);

    connect(m_choose, &QPushButton::clicked, this, &KDlgStatement::chooseMember);
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() != KStatementModel::Check)
            chooseMember();
    });
    connect(m_model, &KStatementModel::checkedChanged, this, &KDlgStatement::showTotals);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &KDlgStatement::currentChanged);
    resize(sizeHint().expandedTo(QSize(600, 520)));
}

void KDlgStatement::showTotals() {
    const KStatementReview::Totals totals = m_review.checkedTotals();
    m_totals->setText(QStringLiteral("Aangevinkt: %1 van %2 bedragen, samen %3")
                          .arg(totals.rows)
                          .arg(m_review.size())
                          .arg(money(totals.cents)));
}

int KDlgStatement::currentRow() const {
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void KDlgStatement::currentChanged() {
    const int row = currentRow();
    bool choosable = false;
    if (row >= 0) {
        const KMatchState state = m_review.row(static_cast<std::size_t>(row)).match.state;
        choosable = state != KMatchState::Already && state != KMatchState::NotBookable;
    }
    m_choose->setEnabled(choosable);
}

void KDlgStatement::chooseMember() {
    const int row = currentRow();
    if (row < 0 || !m_choose->isEnabled())
        return;
    const std::size_t r = static_cast<std::size_t>(row);
    const KBankEntry& entry = m_review.entry(r);
    const QString about = QStringLiteral("Voor wie is %1 van %2 (%3)?")
                              .arg(money(entry.cents), entry.name.isEmpty() ? QStringLiteral("onbekend") : entry.name,
                                   entry.text);
    const std::int32_t member = m_picker(m_review.choices(r), about);
    if (member == 0)
        return;
    const KResult result = m_model->choose(row, member);
    if (result.isFailed())
        tell(this, result.reason());
}
