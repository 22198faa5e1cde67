#include "config/KSettings.h"

#include "config/KSetDatum.h"
#include "config/KSetGeneral.h"
#include "config/KSetIncasso.h"
#include "core/KQuestions.h"
#include "res/Commands.h"
#include "view/KDialogButtons.h"
#include "view/KDialogHelp.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

KSettings::KSettings(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Instellingen"));
    m_pages = new QTabWidget(this);
    m_general = new KSetGeneral(m_pages);
    m_date = new KSetDatum(m_pages);
    m_pages->addTab(m_general, QStringLiteral("Algemeen"));
    m_pages->addTab(m_date, QStringLiteral("Datum"));
    m_incasso = new KSetIncasso(m_pages);
    m_pages->addTab(m_incasso, QStringLiteral("Incasso"));
    // F1 on the incasso page tells about the incasso.
    KDialogHelp::attach(*m_incasso, KHelpContext::command(Cmd::ContrSepa));
    connect(m_pages, &QTabWidget::currentChanged, this, &KSettings::pageChanged);

    // The sheet has no Help button; F1 shows the page of its command.
    KDialogButtons::Options options;
    options.helpButton = false;
    auto* buttons = new KDialogButtons(*this, KHelpContext::command(Cmd::Settings), options);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addWidget(buttons);
}

void KSettings::setGeneral(const KGeneralSettings& values) {
    m_general->setValues(values);
}

void KSettings::setDateFormat(const std::string& format) {
    m_date->setFormat(format);
}

KGeneralSettings KSettings::general() const {
    return m_general->values();
}

std::optional<std::string> KSettings::dateFormat() const {
    if (!m_date->opened())
        return std::nullopt;
    return m_date->format();
}

void KSettings::setIncasso(const IncassoSettings& values, const QStringList& fieldLabels) {
    m_incasso->setValues(values, fieldLabels);
}

std::optional<IncassoSettings> KSettings::incasso() const {
    if (!m_incasso->opened())
        return std::nullopt;
    return m_incasso->values();
}

bool KSettings::incassoAcceptable() {
    if (!m_incasso->opened())
        return true;
    const QString problem = m_incasso->problem();
    if (problem.isEmpty())
        return true;
    m_turningBack = true;
    m_pages->setCurrentWidget(m_incasso);
    m_page = m_pages->currentIndex();
    m_turningBack = false;
    if (m_questions)
        m_questions->alert(problem);
    else
        QMessageBox::warning(this, QStringLiteral("Incasso"), problem);
    return false;
}

void KSettings::pageChanged(int index) {
    if (m_turningBack)
        return;
    const bool leftIncasso = m_pages->widget(m_page) == m_incasso && index != m_page;
    m_page = index;
    if (leftIncasso)
        incassoAcceptable();
}

void KSettings::accept() {
    if (incassoAcceptable())
        QDialog::accept();
}
