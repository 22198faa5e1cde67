#include "config/KSettings.h"

#include "config/KSetDatum.h"
#include "config/KSetGeneral.h"
#include "res/Commands.h"
#include "view/KDialogButtons.h"

#include <QTabWidget>
#include <QVBoxLayout>

KSettings::KSettings(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Instellingen"));
    m_pages = new QTabWidget(this);
    m_general = new KSetGeneral(m_pages);
    m_date = new KSetDatum(m_pages);
    m_pages->addTab(m_general, QStringLiteral("Algemeen"));
    m_pages->addTab(m_date, QStringLiteral("Datum"));

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
