#include "contrib/KDlgCondition.h"

#include "contrib/KDateControl.h"
#include "platform/CodePage.h"
#include "res/Commands.h"
#include "view/KCodePageValidator.h"
#include "view/KDialogButtons.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

// The manual knows the dialog by its template number.
constexpr unsigned kTemplate = 183;

} // namespace

KDlgCondition::KDlgCondition(KContrPart& part, const KConditionEditor& editor, QWidget* parent)
    : QDialog(parent), m_part(part), m_editor(editor) {
    setWindowTitle(QStringLiteral("Voorwaarde"));
    m_messenger = [this](const QString& message) {
        QMessageBox::warning(this, QString::fromLatin1(FrameText::appTitle), message);
    };
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_fields = new QComboBox(this);
    m_fields->setMinimumWidth(220);
    m_fields->setMaxVisibleItems(20);
    for (const KConditionEditor::Entry& entry : editor.entries())
        m_fields->addItem(CodePage::toQString(entry.label), entry.fieldId);
    m_fields->setCurrentIndex(editor.initialEntry());
    form->addRow(QStringLiteral("&Veld:"), m_fields);
    m_valueLabel = new QLabel(QStringLiteral("&Waarde:"), this);
    m_valueSlot = new QVBoxLayout;
    m_valueSlot->setContentsMargins(0, 0, 0, 0);
    form->addRow(m_valueLabel, m_valueSlot);
    layout->addLayout(form);

    layout->addWidget(new KDialogButtons(*this, KHelpContext::window(kTemplate)));

    connect(m_fields, &QComboBox::currentIndexChanged, this, &KDlgCondition::buildValueControl);
    buildValueControl();
    setMinimumWidth(340);
}

void KDlgCondition::buildValueControl() {
    delete m_value;
    m_value = nullptr;
    const KConditionEditor::Value value = m_editor.valueFor(m_part, m_fields->currentIndex());
    m_control = value.control;
    switch (value.control) {
    case KConditionEditor::Control::MemberTypeList:
    case KConditionEditor::Control::YesNoList: {
        auto* list = new QComboBox(this);
        for (const std::string& choice : value.choices)
            list->addItem(CodePage::toQString(choice));
        list->setCurrentIndex(value.choice);
        m_value = list;
        break;
    }
    case KConditionEditor::Control::DatePicker: {
        QDateEdit* picker = makeDateControl(this);
        setDateOf(picker, value.date);
        m_value = picker;
        break;
    }
    case KConditionEditor::Control::Edit: {
        auto* edit = new QLineEdit(CodePage::toQString(value.text), this);
        KCodePageValidator::attach(edit);
        m_value = edit;
        break;
    }
    }
    m_valueSlot->addWidget(m_value);
    m_valueLabel->setBuddy(m_value);
    setTabOrder(m_fields, m_value);
}

KConditionEditor::Value KDlgCondition::readValue() const {
    KConditionEditor::Value value;
    value.control = m_control;
    if (auto* list = qobject_cast<QComboBox*>(m_value)) {
        for (int i = 0; i < list->count(); ++i)
            value.choices.push_back(CodePage::fromQString(list->itemText(i)));
        value.choice = list->currentIndex();
    } else if (auto* picker = qobject_cast<QDateEdit*>(m_value)) {
        value.date = dateOf(picker);
    } else if (auto* edit = qobject_cast<QLineEdit*>(m_value)) {
        value.text = CodePage::fromQString(edit->text());
    }
    return value;
}

void KDlgCondition::accept() {
    const KResult accepted = m_editor.accept(m_part, m_fields->currentIndex(), readValue());
    if (accepted.isFailed()) {
        m_messenger(accepted.reason());
        m_value->setFocus(Qt::OtherFocusReason);
        return;
    }
    QDialog::accept();
}
