#include "exchange/KDlgImport.h"

#include "platform/CodePage.h"
#include "res/Commands.h"
#include "view/KDialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The data of a field box's items besides the fields' ids.
constexpr int kSkip = -1;
constexpr int kNewField = -2;

} // namespace

KDlgImport::KDlgImport(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Importeren"));
    build();
}

void KDlgImport::build() {
    auto* layout = new QVBoxLayout(this);
    m_source = new QLabel(this);
    layout->addWidget(m_source);

    auto* form = new QFormLayout;
    m_titles = new QCheckBox(QStringLiteral("&Eerste rij bevat de kolomtitels"), this);
    form->addRow(QString(), m_titles);
    m_dateOrder = new QComboBox(this);
    m_dateOrder->addItem(QStringLiteral("dag-maand-jaar (3-4-2010)"),
                         static_cast<int>(DateOrder::DayMonthYear));
    m_dateOrder->addItem(QStringLiteral("jaar-maand-dag (2010-4-3)"),
                         static_cast<int>(DateOrder::YearMonthDay));
    m_dateOrder->addItem(QStringLiteral("maand-dag-jaar (4/3/2010)"),
                         static_cast<int>(DateOrder::MonthDayYear));
    m_dateOrder->setToolTip(QStringLiteral("Een jaar in twee cijfers: 00-29 is 2000-2029, 30-99 "
                                           "is 1930-1999"));
    auto* dateLabel = new QLabel(QStringLiteral("&Volgorde in datums:"), this);
    dateLabel->setBuddy(m_dateOrder);
    form->addRow(dateLabel, m_dateOrder);
    m_tab = new QComboBox(this);
    auto* tabLabel = new QLabel(QStringLiteral("Nieuwe velden op &rubriek:"), this);
    tabLabel->setBuddy(m_tab);
    form->addRow(tabLabel, m_tab);
    layout->addLayout(form);

    auto* hint = new QLabel(
        QStringLiteral("Kies boven elke kolom het veld waar zij in komt. Kolommen met hetzelfde "
                       "veld komen met een spatie ertussen in dat veld, zoals Voornaam, "
                       "Tussenvoegsel en Achternaam in de naam."),
        this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    m_table = new QTableWidget(this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setMinimumSize(640, 300);
    layout->addWidget(m_table, 1);

    layout->addWidget(new KDialogButtons(*this, KHelpContext::command(Cmd::FileImport)));
    connect(m_titles, &QCheckBox::toggled, this, &KDlgImport::fill);
}

void KDlgImport::setSetup(const KImportSetup& setup) {
    m_setup = setup;
    m_tab->clear();
    m_tab->addItems(setup.tabs);
    const QSignalBlocker quiet(m_titles);
    m_titles->setChecked(setup.firstRowTitles);
    fill(setup.firstRowTitles);
}

void KDlgImport::fill(bool firstRowTitles) {
    const KImportMapping& proposal = firstRowTitles ? m_setup.withTitles : m_setup.withoutTitles;
    m_dateOrder->setCurrentIndex(m_dateOrder->findData(static_cast<int>(proposal.dateOrder)));
    const int tab = m_tab->findText(CodePage::toQString(proposal.newFieldTab));
    if (tab >= 0)
        m_tab->setCurrentIndex(tab);

    const int skip = firstRowTitles ? 1 : 0;
    const int members = std::max(0, m_setup.rowCount - skip);
    m_source->setText(QStringLiteral("%1: %2, %3 kolommen")
                          .arg(m_setup.source,
                               members == 1 ? QStringLiteral("1 rij") : QStringLiteral("%1 rijen").arg(members))
                          .arg(m_setup.columnCount));
    const int rows = std::max(0, static_cast<int>(m_setup.preview.size()) - skip);
    m_table->clear();
    m_table->setColumnCount(m_setup.columnCount);
    m_table->setRowCount(rows + 1);
    m_table->setHorizontalHeaderLabels(m_setup.titles(firstRowTitles));
    QStringList rowTitles{QStringLiteral("Veld")};
    for (int row = 0; row < rows; ++row)
        rowTitles.append(QString::number(m_setup.previewRows[static_cast<std::size_t>(row + skip)]));
    m_table->setVerticalHeaderLabels(rowTitles);

    for (int col = 0; col < m_setup.columnCount; ++col) {
        auto* box = new QComboBox(m_table);
        // As wide as the field it shows, not as its longest one: the list opens wider.
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->addItem(QStringLiteral("(niet importeren)"), kSkip);
        box->addItem(QStringLiteral("(nieuw tekstveld)"), kNewField);
        for (const KImportSetup::Field& field : m_setup.fields)
            box->addItem(field.label, field.id);
        const KImportMapping::Target& target = proposal.columns.at(static_cast<std::size_t>(col));
        if (target.kind == KImportMapping::Target::Kind::Field)
            box->setCurrentIndex(std::max(0, box->findData(target.fieldId)));
        else if (target.kind == KImportMapping::Target::Kind::NewTextField)
            box->setCurrentIndex(1);
        auto fit = [this, box, col] {
            box->setMinimumContentsLength(static_cast<int>(box->currentText().size()));
            m_table->resizeColumnToContents(col);
        };
        box->setMinimumContentsLength(static_cast<int>(box->currentText().size()));
        connect(box, &QComboBox::currentIndexChanged, this, fit);
        m_table->setCellWidget(0, col, box);
        for (int row = 0; row < rows; ++row) {
            const auto& cells = m_setup.preview[static_cast<std::size_t>(row + skip)];
            auto* item = new QTableWidgetItem(cells[static_cast<std::size_t>(col)]);
            m_table->setItem(row + 1, col, item);
        }
    }
    m_table->resizeColumnsToContents();
}

QComboBox* KDlgImport::fieldBox(int col) const {
    return qobject_cast<QComboBox*>(m_table->cellWidget(0, col));
}

KImportMapping KDlgImport::mapping() const {
    KImportMapping mapping;
    mapping.firstRowTitles = m_titles->isChecked();
    mapping.dateOrder = static_cast<DateOrder>(m_dateOrder->currentData().toInt());
    mapping.newFieldTab = CodePage::fromQString(m_tab->currentText());
    for (int col = 0; col < m_setup.columnCount; ++col) {
        const QComboBox* box = fieldBox(col);
        const int data = box ? box->currentData().toInt() : kSkip;
        if (data == kSkip)
            mapping.columns.push_back(KImportMapping::Target::skip());
        else if (data == kNewField)
            mapping.columns.push_back(KImportMapping::Target::newTextField());
        else
            mapping.columns.push_back(KImportMapping::Target::field(data));
    }
    return mapping;
}

void KDlgImport::accept() {
    const QString refusal = m_setup.refusal(mapping());
    if (!refusal.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), refusal);
        return;
    }
    QDialog::accept();
}
