#include "member/KDlgCharge.h"

#include "view/KCodePageValidator.h"
#include "member/KFocusEdit.h"
#include "platform/CodePage.h"
#include "res/Commands.h"
#include "view/KDialogButtons.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// The manual knows the dialog by its template number.
constexpr unsigned kTemplate = 155;
constexpr int kPartsInSight = 20;

// Shows up to twenty part rows; more scroll.
class PartsArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        QSize hint(0, 0);
        if (QWidget* parts = widget()) {
            hint = parts->sizeHint();
            auto* form = qobject_cast<QFormLayout*>(parts->layout());
            const int rows = form ? form->rowCount() : 0;
            if (rows > kPartsInSight)
                hint.setHeight(hint.height() * kPartsInSight / rows);
            hint.rwidth() += verticalScrollBar()->sizeHint().width();
        }
        return hint + QSize(2 * frameWidth(), 2 * frameWidth());
    }
    QSize minimumSizeHint() const override { return QSize(sizeHint().width(), 0); }
};

std::vector<std::string> textsOf(const std::vector<QLineEdit*>& edits) {
    std::vector<std::string> texts;
    texts.reserve(edits.size());
    for (const QLineEdit* edit : edits)
        texts.push_back(CodePage::fromQString(edit->text()));
    return texts;
}

} // namespace

KDlgCharge::KDlgCharge(const KCharge& start, QWidget* parent)
    : KSpecCharDialog(parent), m_edit(start) {
    setWindowTitle(QStringLiteral("Te Betalen bedrag"));
    m_messenger = [this](const QString& message) {
        QMessageBox::warning(this, QString::fromLatin1(FrameText::appTitle), message);
    };
    auto* layout = new QVBoxLayout(this);

    auto* top = new QFormLayout;
    m_description = new QLabel(CodePage::toQString(m_edit.description()), this);
    top->addRow(QStringLiteral("Gebaseerd op:"), m_description);
    layout->addLayout(top);

    m_partsArea = new PartsArea(this);
    m_partsArea->setWidgetResizable(true);
    m_partsArea->setFrameShape(QFrame::NoFrame);
    m_partsArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(m_partsArea, 1);

    auto* bottom = new QFormLayout;
    bottom->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_total = new QLabel(this);
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bottom->addRow(QStringLiteral("Totaal:"), m_total);
    m_remarks = new KFocusEdit(this);
    m_remarks->setText(CodePage::toQString(m_edit.remarks()));
    m_remarks->setMinimumWidth(m_remarks->fontMetrics().averageCharWidth() * 40);
    bottom->addRow(QStringLiteral("O&pmerkingen:"), m_remarks);
    layout->addLayout(bottom);

    auto* group = new QGroupBox(QStringLiteral("Nieuw onderdeel"), this);
    auto* groupForm = new QFormLayout(group);
    groupForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_newName = new QLineEdit(group);
    KCodePageValidator::attach(m_newName);
    groupForm->addRow(QStringLiteral("&Naam:"), m_newName);
    m_newAmount = new QLineEdit(group);
    m_newAmount->setAlignment(Qt::AlignRight);
    KCodePageValidator::attach(m_newAmount);
    groupForm->addRow(QStringLiteral("&Bedrag:"), m_newAmount);
    offerSpecialChars(m_newName);
    offerSpecialChars(m_newAmount);
    m_addPart = new QPushButton(QStringLiteral("&Toevoegen"), group);
    m_addPart->setAutoDefault(false);
    groupForm->addRow(QString(), m_addPart);
    connect(m_addPart, &QPushButton::clicked, this, &KDlgCharge::addPart);
    // Enter in the new part's fields adds the part instead of closing the dialog.
    m_newName->installEventFilter(this);
    m_newAmount->installEventFilter(this);
    layout->addWidget(group);

    auto* buttons = new KDialogButtons(*this, KHelpContext::window(kTemplate));
    m_ok = buttons->ok();
    layout->addWidget(buttons);

    buildParts();
}

QString KDlgCharge::totalText() const {
    return m_total->text();
}

QString KDlgCharge::descriptionText() const {
    return m_description->text();
}

void KDlgCharge::buildParts() {
    if (QWidget* old = m_partsArea->takeWidget())
        old->deleteLater();
    m_partLabels.clear();
    m_partAmounts.clear();
    m_parts = new QWidget;
    auto* form = new QFormLayout(m_parts);
    form->setContentsMargins(0, 0, 0, 0);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (const KChargeEdit::PartRow& row : m_edit.partRows()) {
        QString name = CodePage::toQString(row.name);
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* label = new QLabel(name, m_parts);
        auto* amount = new QLineEdit(CodePage::toQString(row.amountText), m_parts);
        amount->setAlignment(Qt::AlignRight);
        amount->setAccessibleName(CodePage::toQString(row.name));
        KCodePageValidator::attach(amount);
        offerSpecialChars(amount);
        label->setBuddy(amount);
        connect(amount, &QLineEdit::textChanged, this, &KDlgCharge::showTotal);
        form->addRow(label, amount);
        m_partLabels.push_back(label);
        m_partAmounts.push_back(amount);
    }
    m_partsArea->setWidget(m_parts);
    m_partsArea->updateGeometry();
    m_partsArea->setVisible(!m_partAmounts.empty());
    showTotal();
    // The part fields come first when tabbing through the dialog.
    QWidget* previous = nullptr;
    for (QLineEdit* amount : m_partAmounts) {
        if (previous)
            setTabOrder(previous, amount);
        previous = amount;
    }
    if (previous)
        setTabOrder(previous, m_remarks);
    if (isVisible())
        resize(size().expandedTo(sizeHint()));
}

void KDlgCharge::showTotal() {
    m_total->setText(CodePage::toQString(KChargeEdit::totalOf(textsOf(m_partAmounts))));
}

bool KDlgCharge::collect() {
    const KChargeEdit::Collected collected =
        m_edit.collect(CodePage::fromQString(m_remarks->text()), textsOf(m_partAmounts));
    if (collected.result.isDone())
        return true;
    m_messenger(collected.result.reason());
    if (collected.row >= 0 && collected.row < partCount()) {
        QLineEdit* amount = partAmount(collected.row);
        m_partsArea->ensureWidgetVisible(amount);
        amount->setFocus(Qt::OtherFocusReason);
        amount->selectAll();
    }
    return false;
}

void KDlgCharge::addPart() {
    if (!collect())
        return;
    const std::string amountText = CodePage::fromQString(m_newAmount->text());
    const auto result = m_edit.addPart(CodePage::fromQString(m_newName->text()), amountText);
    // The rows show the charge as it stands now, with what was typed into them taken in.
    buildParts();
    if (result == KChargeEdit::AddResult::Added) {
        // A second Enter confirms the charge rather than adding the part again.
        m_ok->setFocus();
        return;
    }
    m_messenger(KChargeEdit::message(result, amountText));
    if (result == KChargeEdit::AddResult::NeedName)
        m_newName->setFocus();
    else
        m_newAmount->setFocus();
}

void KDlgCharge::accept() {
    if (collect())
        KSpecCharDialog::accept();
}

bool KDlgCharge::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_newName || watched == m_newAmount) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addPart();
            return true;
        }
    }
    return KSpecCharDialog::eventFilter(watched, event);
}
