#include "config/KSetDatum.h"

#include "platform/CodePage.h"
#include "view/KCodePageValidator.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

KSetDatum::KSetDatum(QWidget* parent) : QWidget(parent) {
    build();
}

void KSetDatum::build() {
    m_standard = new QRadioButton(QStringLiteral("&Standaard"), this);
    m_system = new QRadioButton(QStringLiteral("S&ysteem"), this);
    m_other = new QRadioButton(QStringLiteral("&Anders"), this);
    m_format = new QLineEdit(this);
    KCodePageValidator::attach(m_format);
    m_format->setAccessibleName(QStringLiteral("Datumformaat"));
    m_format->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 30);
    m_sample = new QLabel(this);
    m_sample->setTextFormat(Qt::PlainText);
    m_sample->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* b : {m_standard, m_system, m_other})
        group->addButton(b);
    m_standard->setChecked(true);

    const int indent = fontMetrics().horizontalAdvance(QLatin1Char('x')) * 2;
    auto* choices = new QHBoxLayout;
    choices->addWidget(m_standard);
    choices->addWidget(m_system);
    choices->addWidget(m_other);
    choices->addStretch(1);
    auto* formatRow = new QHBoxLayout;
    formatRow->addSpacing(indent);
    formatRow->addWidget(m_format);
    formatRow->addStretch(1);
    auto* sampleRow = new QHBoxLayout;
    sampleRow->addSpacing(indent);
    sampleRow->addWidget(m_sample, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(formatRow);
    layout->addSpacing(fontMetrics().height());
    layout->addWidget(new QLabel(QStringLiteral("Voorbeeld voor 22 september 2001:"), this));
    layout->addLayout(sampleRow);
    layout->addStretch(1);

    for (QRadioButton* b : {m_standard, m_system, m_other})
        connect(b, &QRadioButton::toggled, this, &KSetDatum::update);
    connect(m_format, &QLineEdit::textChanged, this, &KSetDatum::update);
    update();
}

void KSetDatum::setFormat(const std::string& format) {
    m_format->setText(CodePage::toQString(format));
    switch (KDateSetting::choiceOf(format)) {
    case KDateSetting::Choice::Standard:
        m_standard->setChecked(true);
        break;
    case KDateSetting::Choice::System:
        m_system->setChecked(true);
        break;
    default:
        m_other->setChecked(true);
        break;
    }
    update();
}

KDateSetting::Choice KSetDatum::choice() const {
    if (m_standard->isChecked())
        return KDateSetting::Choice::Standard;
    if (m_system->isChecked())
        return KDateSetting::Choice::System;
    return KDateSetting::Choice::Other;
}

std::string KSetDatum::format() const {
    return KDateSetting::formatOf(choice(), CodePage::fromQString(m_format->text()));
}

void KSetDatum::update() {
    m_format->setEnabled(choice() == KDateSetting::Choice::Other);
    m_sample->setText(CodePage::toQString(
        KDateSetting::sample(choice(), CodePage::fromQString(m_format->text()))));
}

void KSetDatum::showEvent(QShowEvent* event) {
    m_opened = true;
    QWidget::showEvent(event);
}
