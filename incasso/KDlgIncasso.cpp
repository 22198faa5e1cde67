#include "incasso/KDlgIncasso.h"

#include "core/incasso/BusinessDays.h"
#include "grid/CvsFlexGrid.h"
#include "platform/CodePage.h"
#include "res/Commands.h"
#include "view/KDialogButtons.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

enum Column { Name, Amount, Iban, Mandate, Sequence, Status, Id, ColumnCount };

QDate toQDate(std::int32_t date) {
    return QDate(date / 10000, (date / 100) % 100, date % 100);
}

std::int32_t fromQDate(const QDate& date) {
    return date.year() * 10000 + date.month() * 100 + date.day();
}

// "1.234,50", as the treasurer reads amounts.
QString dutchAmount(std::int64_t cents) {
    return QLocale(QLocale::Dutch, QLocale::Netherlands)
        .toString(static_cast<double>(cents) / 100.0, 'f', 2);
}

} // namespace

KDlgIncasso::KDlgIncasso(const KIncassoSetup& setup, ListFor listFor, QWidget* parent)
    : QDialog(parent), m_setup(setup), m_listFor(std::move(listFor)) {
    setWindowTitle(QStringLiteral("Incassobestand maken"));
    build();
    refresh();
}

void KDlgIncasso::build() {
    m_balance = new QRadioButton(QStringLiteral("Het openstaande &saldo van elk lid"), this);
    m_scheme = new QRadioButton(QStringLiteral("Het openstaande bedrag van de &contributie:"), this);
    m_schemeBox = new QComboBox(this);
    m_schemeBox->setAccessibleName(QStringLiteral("Contributie"));
    m_schemeBox->addItems(m_setup.schemeNames);
    m_schemeBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* group = new QButtonGroup(this);
    group->addButton(m_balance);
    group->addButton(m_scheme);
    m_balance->setChecked(true);
    m_scheme->setEnabled(!m_setup.schemeNames.isEmpty());
    m_schemeBox->setEnabled(false);

    auto* what = new QGroupBox(QStringLiteral("Wat wordt geïncasseerd"), this);
    auto* whatLayout = new QVBoxLayout(what);
    whatLayout->addWidget(m_balance);
    auto* schemeRow = new QHBoxLayout;
    schemeRow->addWidget(m_scheme);
    schemeRow->addWidget(m_schemeBox);
    schemeRow->addStretch(1);
    whatLayout->addLayout(schemeRow);

    m_date = new QDateEdit(this);
    m_date->setLocale(QLocale(QLocale::Dutch, QLocale::Netherlands));
    m_date->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    m_date->setCalendarPopup(true);
    m_date->setMinimumDate(toQDate(BusinessDays::earliestCollectionDate(m_setup.today)));
    m_date->setDate(toQDate(m_setup.collectionDate));
    m_dateNote = new QLabel(this);
    m_dateNote->setTextFormat(Qt::PlainText);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_date);
    dateRow->addWidget(m_dateNote, 1);

    m_text = new QLineEdit(m_setup.textTemplate, this);
    m_text->setAccessibleName(QStringLiteral("Omschrijving"));
    m_text->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 50);
    auto* hint = new QLabel(
        QStringLiteral("In te vullen: %omschrijving% %naam% %lidnummer% %bondsnummer% %bedrag% "
                       "%datum%; hoogstens 140 tekens na het invullen."),
        this);
    hint->setTextFormat(Qt::PlainText);
    hint->setWordWrap(true);

    auto* form = new QFormLayout;
    auto* dateLabel = new QLabel(QStringLiteral("Incasso&datum:"), this);
    dateLabel->setBuddy(m_date);
    form->addRow(dateLabel, dateRow);
    form->addRow(QStringLiteral("&Omschrijving:"), m_text);
    form->addRow(QString(), hint);

    m_grid = new CvsFlexGrid(this);
    m_grid->setMinimumSize(640, 300);
    m_grid->setColCount(ColumnCount);
    m_grid->setRowCount(1);
    const char* const titles[] = {"Naam",       "Bedrag", "IBAN", "Machtiging",
                                  "Soort",      "Status", "ID"};
    for (int col = 0; col < ColumnCount; ++col)
        m_grid->setCellText(0, col, CodePage::fromQString(QString::fromUtf8(titles[col])));
    m_grid->setColumnHidden(Id, true);
    m_grid->setColumnAlignment(Amount, 7);

    m_totals = new QLabel(this);
    m_totals->setTextFormat(Qt::PlainText);
    auto* readyButton = new QPushButton(QStringLiteral("Selecteer &klare leden"), this);
    auto* noneButton = new QPushButton(QStringLiteral("Selecteer &geen"), this);
    auto* selectRow = new QHBoxLayout;
    selectRow->addWidget(m_totals, 1);
    selectRow->addWidget(readyButton);
    selectRow->addWidget(noneButton);

    for (QPushButton* b : {readyButton, noneButton})
        b->setAutoDefault(false);
    KDialogButtons::Options options;
    options.acceptText = QStringLiteral("&Maak bestand");
    auto* buttons = new KDialogButtons(*this, KHelpContext::command(Cmd::ContrSepa), options);
    m_make = buttons->ok();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addLayout(form);
    layout->addWidget(m_grid, 1);
    layout->addLayout(selectRow);
    layout->addWidget(buttons);

    // Typing and clicking through dates ask for the list once the user pauses.
    m_refresh = new QTimer(this);
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(300);
    connect(m_refresh, &QTimer::timeout, this, &KDlgIncasso::refresh);
    connect(m_scheme, &QRadioButton::toggled, m_schemeBox, &QComboBox::setEnabled);
    connect(m_scheme, &QRadioButton::toggled, this, &KDlgIncasso::later);
    connect(m_schemeBox, &QComboBox::currentIndexChanged, this, &KDlgIncasso::later);
    connect(m_date, &QDateEdit::dateChanged, this, &KDlgIncasso::later);
    connect(m_text, &QLineEdit::textChanged, this, &KDlgIncasso::later);
    connect(m_grid, &CvsFlexGrid::selectionChanged, this, [this] {
        if (!m_filling)
            updateState();
    });
    connect(readyButton, &QPushButton::clicked, this, &KDlgIncasso::selectReady);
    connect(noneButton, &QPushButton::clicked, this, &KDlgIncasso::selectNone);
}

void KDlgIncasso::accept() {
    // A change still waiting would make the file of another list than the one shown.
    if (m_refresh->isActive())
        refresh();
    if (m_make->isEnabled())
        QDialog::accept();
}

KCollectionRequest KDlgIncasso::request() const {
    KCollectionRequest r;
    const int scheme = m_schemeBox->currentIndex();
    if (m_scheme->isChecked() && scheme >= 0 &&
        scheme < static_cast<int>(m_setup.schemeIds.size()))
        r.schemeId = m_setup.schemeIds[static_cast<std::size_t>(scheme)];
    r.collectionDate = fromQDate(m_date->date());
    r.textTemplate = m_text->text();
    return r;
}

void KDlgIncasso::later() {
    m_refresh->start();
}

void KDlgIncasso::refresh() {
    m_refresh->stop();
    noteDeselected();
    m_list = m_listFor(request());
    m_index.clear();
    m_index.reserve(m_list.items.size());
    for (std::size_t i = 0; i < m_list.items.size(); ++i)
        m_index.emplace(m_list.items[i].memberId, i);
    fillGrid();
    updateState();
}

void KDlgIncasso::fillGrid() {
    m_filling = true;
    m_grid->setRedrawEnabled(false);
    m_grid->setRowCount(static_cast<int>(m_list.items.size()) + 1);
    int row = 1;
    for (const KCollectionItem& item : m_list.items) {
        m_grid->setCellText(row, Name, CodePage::fromQString(item.memberName));
        m_grid->setCellText(row, Amount, CodePage::fromQString(dutchAmount(item.cents)));
        m_grid->setCellText(row, Iban, CodePage::fromQString(item.iban));
        m_grid->setCellText(row, Mandate, CodePage::fromQString(item.mandateId));
        m_grid->setCellText(row, Sequence, item.first ? "Eerste (FRST)" : "Herhaald (RCUR)");
        m_grid->setCellText(row, Status,
                            CodePage::fromQString(KCollection::statusText(item)));
        m_grid->setCellText(row, Id, std::to_string(item.memberId));
        m_grid->setRowSelected(row, item.ready() && !m_deselected.count(item.memberId));
        ++row;
    }
    m_grid->setRedrawEnabled(true);
    m_grid->autoSize();
    m_filling = false;
}

std::int32_t KDlgIncasso::rowMember(int row) const {
    return static_cast<std::int32_t>(std::stol(m_grid->cellText(row, Id)));
}

const KCollectionItem* KDlgIncasso::rowItem(int row) const {
    const auto it = m_index.find(rowMember(row));
    return it == m_index.end() ? nullptr : &m_list.items[it->second];
}

void KDlgIncasso::noteDeselected() {
    // Rows may have been sorted: each row names its member.
    for (int row = 1; row < m_grid->rowCount(); ++row) {
        const KCollectionItem* item = rowItem(row);
        if (!item || !item->ready())
            continue;
        if (m_grid->rowSelected(row))
            m_deselected.erase(item->memberId);
        else
            m_deselected.insert(item->memberId);
    }
}

void KDlgIncasso::selectReady() {
    m_deselected.clear();
    for (int row = 1; row < m_grid->rowCount(); ++row) {
        const KCollectionItem* item = rowItem(row);
        m_grid->setRowSelected(row, item && item->ready());
    }
    updateState();
}

void KDlgIncasso::selectNone() {
    for (int row = 1; row < m_grid->rowCount(); ++row)
        m_grid->setRowSelected(row, false);
    updateState();
}

KIncassoChoice KDlgIncasso::choice() const {
    KIncassoChoice c;
    c.request = request();
    for (int row = 1; row < m_grid->rowCount(); ++row) {
        const KCollectionItem* item = rowItem(row);
        if (item && item->ready() && m_grid->rowSelected(row))
            c.memberIds.push_back(item->memberId);
    }
    return c;
}

QString KDlgIncasso::totalsText() const {
    std::int64_t count = 0;
    std::int64_t cents = 0;
    std::int64_t ready = 0;
    for (int row = 1; row < m_grid->rowCount(); ++row) {
        const KCollectionItem* item = rowItem(row);
        if (!item || !item->ready())
            continue;
        ++ready;
        if (!m_grid->rowSelected(row))
            continue;
        ++count;
        cents += item->cents;
    }
    return QStringLiteral("Geselecteerd: %1 van %2 leden die kunnen worden geïncasseerd, samen "
                          "€ %3. Niet te incasseren: %4.")
        .arg(count)
        .arg(ready)
        .arg(dutchAmount(cents))
        .arg(static_cast<std::int64_t>(m_list.items.size()) - ready);
}

void KDlgIncasso::updateState() {
    const QString problem =
        BusinessDays::collectionDateProblem(fromQDate(m_date->date()), m_setup.today);
    m_dateNote->setText(problem.isEmpty()
                            ? QStringLiteral("vroegst mogelijk: %1")
                                  .arg(m_date->minimumDate().toString(QStringLiteral("dd-MM-yyyy")))
                            : problem);
    m_totals->setText(totalsText());
    m_make->setEnabled(problem.isEmpty() && !choice().memberIds.empty());
}
