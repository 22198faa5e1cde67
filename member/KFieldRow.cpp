#include "member/KFieldRow.h"

#include "core/format/TypedDate.h"
#include "core/model/KField.h"
#include "view/KCodePageValidator.h"
#include "member/KDatePicker.h"
#include "platform/CodePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

using Kind = KFieldInput::Kind;

KFieldRow::KFieldRow(QFormLayout& form, const std::string& label, KField* value,
                     const std::vector<std::string>& memberTypes, bool adding)
    : m_value(value), m_kind(KFieldInput::kindOf(value)), m_memberTypes(memberTypes),
      m_labelText(CodePage::toQString(label)) {
    QWidget* page = form.parentWidget();
    // A label is the user's own text: an ampersand in it is shown, not taken as a mnemonic.
    QString text = CodePage::toQString(label);
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    m_label = new QLabel(text, page);

    switch (m_kind) {
    case Kind::Missing:
    case Kind::Edit: {
        m_edit = new QLineEdit(page);
        m_edit->setValidator(new KCodePageValidator(m_edit));
        // Room for an e-mail address or a street with its number.
        m_edit->setMinimumWidth(m_edit->fontMetrics().averageCharWidth() * 40);
        if (m_value) {
            m_shownText = KFieldInput::editText(*m_value);
            m_edit->setText(CodePage::toQString(m_shownText));
            m_edit->setCursorPosition(0);
        } else {
            m_edit->setEnabled(false);
        }
        m_input = m_edit;
        break;
    }
    case Kind::Date:
        m_date = new KDatePicker(page);
        m_date->setDate(m_value->date());
        m_input = m_date;
        break;
    case Kind::Check:
        m_check = new QCheckBox(page);
        m_shownChecked = KFieldInput::checked(*m_value);
        m_check->setChecked(m_shownChecked);
        m_check->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        m_input = m_check;
        break;
    case Kind::MemberType:
        m_types = new QComboBox(page);
        for (const std::string& type : memberTypes)
            m_types->addItem(CodePage::toQString(type));
        m_shownType = KFieldInput::memberTypeIndex(memberTypes, m_value->displayText(), adding);
        m_types->setCurrentIndex(m_shownType);
        m_input = m_types;
        break;
    case Kind::LabelOnly:
        break;
    }
    if (m_input) {
        m_input->setAccessibleName(CodePage::toQString(label));
        m_label->setBuddy(m_input);
        form.addRow(m_label, m_input);
    } else {
        form.addRow(m_label);
    }
}

KResult KFieldRow::collect() {
    if (!m_value)
        return KResult::done();
    switch (m_kind) {
    case Kind::Edit: {
        const KResult result = KFieldInput::collectEdit(*m_value, m_shownText,
                                                        CodePage::fromQString(m_edit->text()));
        if (result.isFailed())
            return KResult::failed(m_labelText + QStringLiteral(": ") + result.reason());
        break;
    }
    case Kind::Date: {
        if (m_date->unreadable())
            return KResult::failed(TypedDate::refusal(m_labelText, m_date->text()));
        const KDateValue date = m_date->date();
        KFieldInput::collectDate(*m_value, m_date->touched(), date);
        break;
    }
    case Kind::Check:
        KFieldInput::collectCheck(*m_value, m_shownChecked, m_check->isChecked());
        break;
    case Kind::MemberType:
        KFieldInput::collectMemberType(*m_value, m_memberTypes, m_shownType,
                                       m_types->currentIndex());
        break;
    case Kind::Missing:
    case Kind::LabelOnly:
        break;
    }
    return KResult::done();
}
