#include "contrib/KDlgContribution.h"

#include "contrib/KDateControl.h"
#include "contrib/KDlgCondition.h"
#include "core/KQuestions.h"
#include "core/contrib/KConditionEditor.h"
#include "core/contrib/KSchemeEditor.h"
#include "core/format/Numbers.h"
#include "core/KOutcome.h"
#include "grid/CvsFlexGrid.h"
#include "platform/CodePage.h"
#include "res/Commands.h"
#include "view/KCodePageValidator.h"
#include "view/KDialogButtons.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The manual knows the dialog by its template number.
constexpr unsigned kTemplate = 180;

QString text(const std::string& bytes) {
    return CodePage::toQString(bytes);
}

std::string bytes(const QString& text) {
    return CodePage::fromQString(text);
}

} // namespace

KDlgContribution::KDlgContribution(KSchemeEditor& editor, KQuestions& questions, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_questions(questions) {
    setWindowTitle(QStringLiteral("Contributie"));
    m_messenger = [this](const QString& message) {
        QMessageBox::warning(this, QString::fromLatin1(FrameText::appTitle), message);
    };
    build();
    fillParts();
    showCurrentPart();
}

void KDlgContribution::build() {
    auto* layout = new QVBoxLayout(this);

    auto* head = new QFormLayout;
    m_description = new QLineEdit(this);
    m_description->setMinimumWidth(260);
    head->addRow(QStringLiteral("O&mschrijving:"), m_description);
    m_date = makeDateControl(this);
    head->addRow(QStringLiteral("&Datum:"), m_date);
    layout->addLayout(head);

    auto* partsBox = new QGroupBox(QStringLiteral("Contributieonderdelen"), this);
    auto* partsLayout = new QVBoxLayout(partsBox);
    m_parts = new CvsFlexGrid(partsBox);
    m_parts->setColCount(4);
    m_parts->setRowCount(1);
    m_parts->setCellText(0, 0, "Naam");
    m_parts->setCellText(0, 1, "Bedrag");
    m_parts->setCellText(0, 2, "Condities");
    m_parts->setCellText(0, 3, "ID");
    m_parts->setColumnHidden(3, true);
    m_parts->setColumnAlignment(1, 7);
    m_parts->setMinimumHeight(180);
    partsLayout->addWidget(m_parts);
    layout->addWidget(partsBox, 3);

    auto* partBox = new QGroupBox(QStringLiteral("Contributieonderdeel"), this);
    auto* partLayout = new QHBoxLayout(partBox);
    auto* editing = new QVBoxLayout;
    auto* fields = new QFormLayout;
    m_name = new QLineEdit(partBox);
    fields->addRow(QStringLiteral("&Naam:"), m_name);
    m_amount = new QLineEdit(partBox);
    fields->addRow(QStringLiteral("&Bedrag:"), m_amount);
    for (QLineEdit* edit : {m_description, m_name, m_amount})
        KCodePageValidator::attach(edit);
    editing->addLayout(fields);
    auto* conditionsLabel = new QLabel(
        QStringLiteral("Aan de volgende voorwaarden moet voldaan zijn (klik met rechts):"), partBox);
    editing->addWidget(conditionsLabel);
    m_conditions = new CvsFlexGrid(partBox);
    m_conditions->setFixedRowCount(0);
    m_conditions->setColCount(2);
    m_conditions->setRowCount(0);
    m_conditions->setColumnHidden(0, true);
    m_conditions->setMinimumHeight(90);
    m_conditions->view()->horizontalHeader()->setStretchLastSection(true);
    conditionsLabel->setBuddy(m_conditions->view());
    editing->addWidget(m_conditions);
    partLayout->addLayout(editing, 1);

    auto* partButtons = new QVBoxLayout;
    auto* add = new QPushButton(QStringLiteral("&Toevoegen"), partBox);
    auto* change = new QPushButton(QStringLiteral("&Wijzigen"), partBox);
    auto* remove = new QPushButton(QStringLiteral("&Verwijderen"), partBox);
    for (QPushButton* button : {add, change, remove}) {
        button->setAutoDefault(false);
        partButtons->addWidget(button);
    }
    partButtons->addStretch();
    partLayout->addLayout(partButtons);
    layout->addWidget(partBox, 2);

    auto* buttons = new QHBoxLayout;
    auto* standardButton = new QPushButton(QStringLiteral("&Standaard"), this);
    standardButton->setAutoDefault(false);
    buttons->addWidget(standardButton);
    buttons->addStretch();
    auto* end = new KDialogButtons(*this, KHelpContext::window(kTemplate));
    buttons->addWidget(end);
    layout->addLayout(buttons);

    m_menu = new QMenu(this);
    QMenu* conditions = m_menu->addMenu(QStringLiteral("ContrPopup"));
    const auto addItem = [this, conditions](const char* label, const char* status,
                                             void (KDlgContribution::*handler)()) {
        QAction* action = conditions->addAction(QString::fromUtf8(label));
        action->setStatusTip(QString::fromUtf8(status));
        connect(action, &QAction::triggered, this, handler);
    };
    addItem("&Toevoegen", "Conditie toevoegen", &KDlgContribution::addCondition);
    addItem("&Wijzigen", "Conditie wijzigen", &KDlgContribution::changeCondition);
    addItem("&Verwijderen", "Conditie verwijderen", &KDlgContribution::deleteCondition);
    m_conditions->view()->viewport()->installEventFilter(this);
    m_conditions->view()->installEventFilter(this);
    // Enter in the part's name or amount adds the part instead of closing the dialog.
    m_name->installEventFilter(this);
    m_amount->installEventFilter(this);

    connect(m_parts, &CvsFlexGrid::selectionChanged, this, &KDlgContribution::partSelected);
    connect(add, &QPushButton::clicked, this, &KDlgContribution::addPart);
    connect(change, &QPushButton::clicked, this, &KDlgContribution::changePart);
    connect(remove, &QPushButton::clicked, this, &KDlgContribution::deletePart);
    connect(standardButton, &QPushButton::clicked, this, &KDlgContribution::standard);

    setTabOrder(m_description, m_date);
    setTabOrder(m_date, m_parts->view());
    setTabOrder(m_parts->view(), m_name);
    setTabOrder(m_name, m_amount);
    setTabOrder(m_amount, m_conditions->view());
    setTabOrder(m_conditions->view(), add);
    setTabOrder(add, change);
    setTabOrder(change, remove);
    setTabOrder(remove, standardButton);
    setTabOrder(standardButton, end->ok());
    setTabOrder(end->ok(), end->cancel());
    setTabOrder(end->cancel(), end->help());
}

void KDlgContribution::readControls() {
    m_editor.setDescription(bytes(m_description->text()));
    m_editor.setDate(dateOf(m_date));
}

void KDlgContribution::fillParts() {
    m_description->setText(text(m_editor.working().description()));
    setDateOf(m_date, m_editor.working().date());
    const auto rows = m_editor.partRows();
    m_parts->setRedrawEnabled(false);
    m_parts->setRowCount(1);
    m_parts->setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        m_parts->setCellText(row, 0, rows[i].name);
        m_parts->setCellText(row, 1, rows[i].amount);
        m_parts->setCellText(row, 2, rows[i].conditions);
        m_parts->setCellText(row, 3, Numbers::decimal(rows[i].id));
    }
    m_parts->setColumnHidden(3, true);
    m_parts->setRedrawEnabled(true);
    m_parts->autoSize();
    widenToParts();
}

void KDlgContribution::widenToParts() {
    // The parts grid grows with its columns, so that the conditions show whole, as far as the
    // screen allows; beyond that it scrolls.
    QTableView* view = m_parts->view();
    const int needed = view->horizontalHeader()->length() + 2 * view->frameWidth() +
                       view->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    int limit = 900;
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        limit = screen->availableGeometry().width() * 4 / 5;
    m_parts->setMinimumWidth(std::clamp(needed, 520, std::max(520, limit)));
}

void KDlgContribution::showCurrentPart() {
    m_conditions->setRowCount(0);
    const KContrPart* part = m_editor.currentPart();
    if (!part)
        return; // the edits keep what they show
    m_name->setText(text(part->name()));
    m_amount->setText(QString::fromStdString(Numbers::fixed2(part->amount())));
    const auto rows = m_editor.conditionRows();
    m_conditions->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        m_conditions->setCellText(static_cast<int>(i), 0, Numbers::decimal(rows[i].id));
        m_conditions->setCellText(static_cast<int>(i), 1, rows[i].text);
    }
    m_conditions->setColumnHidden(0, true);
    m_conditions->autoSize();
}

std::optional<int> KDlgContribution::selectedPartId() const {
    const int row = m_parts->selectedRowAt(0);
    if (row < 1)
        return std::nullopt;
    return Numbers::leadingLong(m_parts->cellText(row, 3));
}

int KDlgContribution::selectedConditionId() const {
    const int row = m_conditions->selectedRowAt(0);
    return row < 0 ? 0 : Numbers::leadingLong(m_conditions->cellText(row, 0));
}

void KDlgContribution::partSelected() {
    readControls();
    m_editor.selectPart(selectedPartId());
    showCurrentPart();
}

bool KDlgContribution::taken(const KResult& result) {
    if (!result.isFailed())
        return true;
    m_messenger(result.reason());
    m_amount->setFocus(Qt::OtherFocusReason);
    m_amount->selectAll();
    return false;
}

void KDlgContribution::addPart() {
    readControls();
    if (!taken(m_editor.addPart(bytes(m_name->text()), bytes(m_amount->text()))))
        return;
    fillParts();
    showCurrentPart();
}

void KDlgContribution::changePart() {
    readControls();
    const KResult changed =
        m_editor.changePart(selectedPartId(), bytes(m_name->text()), bytes(m_amount->text()));
    if (!changed.isDone()) {
        taken(changed);
        return;
    }
    fillParts();
    showCurrentPart();
}

void KDlgContribution::deletePart() {
    readControls();
    if (m_editor.deletePart(selectedPartId()))
        fillParts();
}

void KDlgContribution::standard() {
    if (m_editor.standardReplacesParts() &&
        !m_questions.yesNo(QString::fromLatin1(kStandardQuestion)))
        return;
    m_editor.standard();
    fillParts();
}

void KDlgContribution::runConditionDialog(int conditionId) {
    KConditionEditor editor(m_editor.fields(), m_editor.memberTypes(), conditionId);
    const KSchemeEditor::PartResult part =
        conditionId < 0
            ? m_editor.partForNewCondition(bytes(m_name->text()), bytes(m_amount->text()))
            : m_editor.partForConditionChange(bytes(m_name->text()), bytes(m_amount->text()));
    if (!taken(part.result))
        return;
    if (part.part && editor.hasFields()) {
        KDlgCondition dialog(*part.part, editor, this);
        dialog.setMessenger(m_messenger);
        dialog.exec();
    }
    showCurrentPart();
}

void KDlgContribution::addCondition() {
    readControls();
    runConditionDialog(-1);
}

void KDlgContribution::changeCondition() {
    readControls();
    runConditionDialog(selectedConditionId());
}

void KDlgContribution::deleteCondition() {
    readControls();
    if (taken(m_editor.deleteCondition(selectedConditionId(), bytes(m_name->text()),
                                       bytes(m_amount->text()))))
        showCurrentPart();
}

void KDlgContribution::accept() {
    readControls();
    QDialog::accept();
}

void KDlgContribution::showConditionMenu(const QPoint& viewportPos, const QPoint& globalPos) {
    if (m_conditions->selectedRowCount() < 2) {
        // A left click at the point makes the row under it the selection.
        m_conditions->clickAt(viewportPos);
    }
    m_menu->actions().front()->menu()->popup(globalPos);
}

bool KDlgContribution::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == m_name || watched == m_amount)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            // With both empty there is nothing to add, and Enter closes the dialog as usual.
            if (m_name->text().isEmpty() && m_amount->text().isEmpty())
                return QDialog::eventFilter(watched, event);
            addPart();
            return true;
        }
    }
    if (event->type() == QEvent::ContextMenu) {
        QWidget* viewport = m_conditions->view()->viewport();
        auto* menu = static_cast<QContextMenuEvent*>(event);
        if (watched == viewport) {
            showConditionMenu(menu->pos(), menu->globalPos());
            return true;
        }
        if (watched == m_conditions->view()) {
            // From the keyboard: the menu opens at the top of the grid, the selection as it is.
            m_menu->actions().front()->menu()->popup(viewport->mapToGlobal(QPoint(4, 4)));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
