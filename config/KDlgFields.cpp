#include "config/KDlgFields.h"

#include "config/KDragList.h"
#include "core/KQuestions.h"
#include "platform/CodePage.h"
#include "view/KCodePageValidator.h"
#include "view/KDialogButtons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The manual knows the dialog by its template number.
constexpr unsigned kTemplate = 173;
// The tab box's item of the fields on no tab.
constexpr int kUnplaced = 1;

std::optional<std::string> selectedText(const QComboBox* box) {
    if (box->currentIndex() < 0)
        return std::nullopt;
    return CodePage::fromQString(box->currentText());
}

void selectData(QComboBox* box, int data) {
    const int index = box->findData(data);
    if (index >= 0)
        box->setCurrentIndex(index);
}

} // namespace

KDlgFields::KDlgFields(KFieldSetup& setup, KQuestions& questions, QWidget* parent)
    : QDialog(parent), m_setup(setup), m_questions(questions) {
    build();
    fill();
}

void KDlgFields::build() {
    setWindowTitle(QStringLiteral("Velden"));
    m_tabBox = new QComboBox(this);
    m_list = new KDragList(this);
    m_label = new QLineEdit(this);
    KCodePageValidator::attach(m_label);
    m_typeBox = new QComboBox(this);
    m_meaningBox = new QComboBox(this);
    m_add = new QPushButton(QStringLiteral("<-- Toevoegen"), this);
    m_change = new QPushButton(QStringLiteral("<--> Wijzigen"), this);
    m_delete = new QPushButton(QStringLiteral("--> Verwijderen"), this);
    m_move = new QPushButton(QStringLiteral("==> Verhuis naar rubriek"), this);
    m_targetBox = new QComboBox(this);
    for (QComboBox* box : {m_tabBox, m_targetBox, m_typeBox, m_meaningBox})
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    auto* tabLabel = new QLabel(QStringLiteral("Rubriek:"), this);
    tabLabel->setBuddy(m_tabBox);
    auto* left = new QGridLayout;
    left->addWidget(tabLabel, 0, 0);
    left->addWidget(m_tabBox, 0, 1);
    left->addWidget(m_list, 1, 0, 1, 2);
    left->setRowStretch(1, 1);
    left->setColumnStretch(1, 1);

    auto* right = new QGridLayout;
    auto addRow = [&](int row, const QString& text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        right->addWidget(label, row, 0);
        right->addWidget(field, row, 1);
    };
    addRow(0, QStringLiteral("Label:"), m_label);
    addRow(1, QStringLiteral("Type:"), m_typeBox);
    addRow(2, QStringLiteral("Betekenis:"), m_meaningBox);
    right->setRowMinimumHeight(3, fontMetrics().height() / 2);
    right->addWidget(m_add, 4, 0, 1, 2, Qt::AlignLeft);
    right->addWidget(m_change, 5, 0, 1, 2, Qt::AlignLeft);
    right->addWidget(m_delete, 6, 0, 1, 2, Qt::AlignLeft);
    right->setRowMinimumHeight(7, fontMetrics().height() / 2);
    auto* moveRow = new QHBoxLayout;
    moveRow->addWidget(m_move);
    moveRow->addWidget(m_targetBox, 1);
    right->addLayout(moveRow, 8, 0, 1, 2);
    right->setRowStretch(9, 1);
    right->setColumnStretch(1, 1);
    // The edit shows long labels whole.
    m_label->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 24);

    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addSpacing(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 2);
    body->addLayout(right);

    auto* buttons = new KDialogButtons(*this, KHelpContext::window(kTemplate));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);

    connect(m_tabBox, &QComboBox::currentIndexChanged, this, [this] { showTab(); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, &KDlgFields::fieldSelected);
    connect(m_add, &QPushButton::clicked, this, [this] { act(&KFieldSetup::add); });
    connect(m_change, &QPushButton::clicked, this, [this] { act(&KFieldSetup::change); });
    connect(m_delete, &QPushButton::clicked, this, [this] { act(&KFieldSetup::remove); });
    connect(m_move, &QPushButton::clicked, this, [this] { act(&KFieldSetup::move); });

    setTabOrder(m_tabBox, m_list);
    setTabOrder(m_list, m_label);
    setTabOrder(m_label, m_typeBox);
    setTabOrder(m_typeBox, m_meaningBox);
    setTabOrder(m_meaningBox, m_add);
    setTabOrder(m_add, m_change);
    setTabOrder(m_change, m_delete);
    setTabOrder(m_delete, m_move);
    setTabOrder(m_move, m_targetBox);
    setTabOrder(m_targetBox, buttons->ok());
}

void KDlgFields::fill() {
    for (int code = 1; code < kFieldTypeCount; ++code)
        m_typeBox->addItem(QString::fromUtf8(fieldTypeLabel(static_cast<FieldType>(code))), code);
    m_typeBox->setCurrentIndex(0);
    for (int code = 0; code < kFieldMeaningCount; ++code)
        m_meaningBox->addItem(
            QString::fromUtf8(fieldMeaningLabel(static_cast<FieldMeaning>(code))), code);
    m_meaningBox->setCurrentIndex(0);

    const QSignalBlocker block(m_tabBox);
    for (const std::string& name : m_setup.tabNames()) {
        m_tabBox->addItem(CodePage::toQString(name));
        m_targetBox->addItem(CodePage::toQString(name));
    }
    if (m_setup.hasUnplaced())
        m_tabBox->addItem(QString::fromLatin1(KFieldSetup::unplacedTitle), kUnplaced);
    const int first = m_setup.initialTab();
    m_tabBox->setCurrentIndex(first);
    m_targetBox->setCurrentIndex(first);
    showTab();
}

KFieldSetup::Controls KDlgFields::controls() const {
    KFieldSetup::Controls c;
    c.listIds = m_list->ids();
    std::int32_t id = 0;
    if (m_list->selectedId(&id))
        c.selected = id;
    c.unplaced = m_tabBox->currentData().toInt() == kUnplaced;
    if (!c.unplaced)
        c.tab = selectedText(m_tabBox);
    c.target = selectedText(m_targetBox);
    c.label = CodePage::fromQString(m_label->text());
    c.type = static_cast<FieldType>(m_typeBox->currentData().toInt());
    c.meaning = static_cast<FieldMeaning>(m_meaningBox->currentData().toInt());
    return c;
}

void KDlgFields::showItems(const std::vector<KFieldSetup::Item>& items) {
    const QSignalBlocker block(m_list);
    m_list->clear();
    for (const KFieldSetup::Item& item : items)
        m_list->appendItem(item.label, item.id);
}

void KDlgFields::showTab() {
    if (m_tabBox->currentData().toInt() == kUnplaced)
        showItems(m_setup.showUnplaced(m_list->ids()));
    else
        showItems(m_setup.showTab(m_list->ids(), selectedText(m_tabBox)));
}

void KDlgFields::fieldSelected() {
    std::int32_t id = 0;
    if (!m_list->selectedId(&id))
        return;
    const KField* field = m_setup.field(id);
    if (!field)
        return;
    m_label->setText(CodePage::toQString(field->label()));
    selectData(m_typeBox, static_cast<int>(field->type()));
    selectData(m_meaningBox, static_cast<int>(field->meaning()));
}

void KDlgFields::act(KFieldSetup::Outcome (KFieldSetup::*action)(const KFieldSetup::Controls&)) {
    const KFieldSetup::Outcome outcome = (m_setup.*action)(controls());
    if (outcome == KFieldSetup::Outcome::Done)
        showItems(m_setup.items());
    else if (const QString message = KFieldSetup::message(outcome); !message.isEmpty())
        m_questions.alert(message);
}

void KDlgFields::accept() {
    m_setup.keepOrder(m_list->ids());
    QDialog::accept();
}
