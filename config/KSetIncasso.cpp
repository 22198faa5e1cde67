#include "config/KSetIncasso.h"

#include "core/incasso/KCreditorCheck.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// Marks a label that no field of the administration has.
const QString kMissing = QStringLiteral(" (veld ontbreekt)");

} // namespace

KSetIncasso::KSetIncasso(QWidget* parent) : QWidget(parent) {
    build();
}

void KSetIncasso::build() {
    const int chars = fontMetrics().horizontalAdvance(QLatin1Char('x'));
    const auto edit = [this, chars](const QString& name, int width) {
        auto* e = new QLineEdit(this);
        e->setAccessibleName(name);
        e->setMinimumWidth(chars * width);
        return e;
    };
    m_name = edit(QStringLiteral("Naam"), 40);
    m_iban = edit(QStringLiteral("IBAN"), 30);
    m_bic = edit(QStringLiteral("BIC"), 14);
    m_bic->setPlaceholderText(QStringLiteral("mag leeg blijven"));
    m_creditorId = edit(QStringLiteral("Incassant-ID"), 30);
    m_creditorId->setPlaceholderText(QStringLiteral("bijvoorbeeld NL79ZZZ999999990000"));

    auto* creditor = new QGroupBox(QStringLiteral("De vereniging als incassant"), this);
    auto* creditorForm = new QFormLayout(creditor);
    creditorForm->addRow(QStringLiteral("&Naam:"), m_name);
    creditorForm->addRow(QStringLiteral("&IBAN:"), m_iban);
    creditorForm->addRow(QStringLiteral("&BIC:"), m_bic);
    creditorForm->addRow(QStringLiteral("Incassant-I&D:"), m_creditorId);

    const auto box = [this](const QString& name) {
        auto* b = new QComboBox(this);
        b->setAccessibleName(name);
        b->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        return b;
    };
    m_ibanField = box(QStringLiteral("Veld IBAN"));
    m_bicField = box(QStringLiteral("Veld BIC"));
    m_mandateField = box(QStringLiteral("Veld machtigingskenmerk"));
    m_mandateDateField = box(QStringLiteral("Veld datum machtiging"));
    m_firstField = box(QStringLiteral("Veld eerste incasso"));
    auto* fields = new QGroupBox(QStringLiteral("Velden van de leden"), this);
    auto* fieldForm = new QFormLayout(fields);
    fieldForm->addRow(QStringLiteral("IBAN van het &lid:"), m_ibanField);
    fieldForm->addRow(QStringLiteral("BI&C (niet verplicht):"), m_bicField);
    fieldForm->addRow(QStringLiteral("&Machtigingskenmerk:"), m_mandateField);
    fieldForm->addRow(QStringLiteral("Da&tum machtiging:"), m_mandateDateField);
    fieldForm->addRow(QStringLiteral("&Eerste incasso (Ja/Nee):"), m_firstField);

    m_format = new QComboBox(this);
    m_format->setAccessibleName(QStringLiteral("Berichtversie"));
    m_format->addItem(QStringLiteral("pain.008.001.08 (standaard)"),
                      static_cast<int>(IncassoSettings::Format::Pain00800108));
    m_format->addItem(QStringLiteral("pain.008.001.02 (oudere bankprogramma's)"),
                      static_cast<int>(IncassoSettings::Format::Pain00800102));
    auto* formatForm = new QFormLayout;
    formatForm->addRow(QStringLiteral("Be&richtversie:"), m_format);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(creditor);
    layout->addWidget(fields);
    layout->addLayout(formatForm);
    layout->addStretch(1);
}

void KSetIncasso::fill(QComboBox* box, const QStringList& labels, const QString& chosen) {
    box->clear();
    for (const QString& label : labels)
        box->addItem(label, label);
    int index = box->findData(chosen);
    if (index < 0) {
        box->insertItem(0, chosen + kMissing, chosen);
        index = 0;
    }
    box->setCurrentIndex(index);
}

QString KSetIncasso::chosen(const QComboBox* box) {
    return box->currentData().toString();
}

void KSetIncasso::setValues(const IncassoSettings& values, const QStringList& fieldLabels) {
    m_name->setText(values.creditorName);
    m_iban->setText(values.creditorIban);
    m_bic->setText(values.creditorBic);
    m_creditorId->setText(values.creditorId);
    fill(m_ibanField, fieldLabels, values.ibanLabel());
    fill(m_bicField, fieldLabels, values.bicLabel());
    fill(m_mandateField, fieldLabels, values.mandateLabel());
    fill(m_mandateDateField, fieldLabels, values.mandateDateLabel());
    fill(m_firstField, fieldLabels, values.firstLabel());
    m_format->setCurrentIndex(m_format->findData(static_cast<int>(values.format)));
}

IncassoSettings KSetIncasso::values() const {
    IncassoSettings s;
    s.creditorName = m_name->text().trimmed();
    s.creditorIban = m_iban->text().trimmed();
    s.creditorBic = m_bic->text().trimmed();
    s.creditorId = m_creditorId->text().trimmed();
    // The default label is stored as "not chosen", so it follows the default.
    const auto label = [](const QComboBox* box, const QString& fallback) {
        const QString c = chosen(box);
        return c == fallback ? QString() : c;
    };
    s.ibanField = label(m_ibanField, IncassoSettings::defaultIbanField());
    s.bicField = label(m_bicField, IncassoSettings::defaultBicField());
    s.mandateField = label(m_mandateField, IncassoSettings::defaultMandateField());
    s.mandateDateField = label(m_mandateDateField, IncassoSettings::defaultMandateDateField());
    s.firstField = label(m_firstField, IncassoSettings::defaultFirstField());
    s.format = static_cast<IncassoSettings::Format>(m_format->currentData().toInt());
    return s;
}

QString KSetIncasso::problem() const {
    return KCreditorCheck::problem(values(), false);
}

void KSetIncasso::showEvent(QShowEvent* event) {
    m_opened = true;
    QWidget::showEvent(event);
}
