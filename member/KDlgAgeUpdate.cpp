#include "member/KDlgAgeUpdate.h"

#include "member/KDatePicker.h"
#include "res/Commands.h"
#include "view/KDialogButtons.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

KDlgAgeUpdate::KDlgAgeUpdate(const KMemberDialogs::AgeChoice& start, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Leeftijd bijwerken"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Zet bij elk lid met een geboortedatum het veld Senior op \"Ja\" als het "
                       "lid op de peildatum de leeftijd heeft bereikt, en anders op \"Nee\". Leden "
                       "zonder geboortedatum blijven zoals ze zijn."),
        this);
    intro->setWordWrap(true);
    intro->setMinimumWidth(intro->fontMetrics().averageCharWidth() * 50);
    layout->addWidget(intro);

    auto* form = new QFormLayout;
    m_date = new KDatePicker(this);
    m_date->setEmptyAllowed(false);
    m_date->setDate(start.reference);
    form->addRow(QStringLiteral("&Peildatum:"), m_date);
    m_age = new QSpinBox(this);
    m_age->setRange(0, 150);
    m_age->setSuffix(QStringLiteral(" jaar"));
    m_age->setValue(start.age);
    form->addRow(QStringLiteral("Senior &vanaf:"), m_age);
    layout->addLayout(form);

    layout->addWidget(new KDialogButtons(*this, KHelpContext::command(Cmd::MemberAgeUpdate)));
    m_age->setFocus();
}

KMemberDialogs::AgeChoice KDlgAgeUpdate::choice() {
    return {m_date->date(), m_age->value()};
}
