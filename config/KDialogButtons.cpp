#include "config/KDialogButtons.h"

#include "tolvex7/KHelpShow.h"

#include <QDialog>
#include <QPushButton>

KDialogButtons::KDialogButtons(QDialog* dialog, unsigned templateId) {
    m_ok = new QPushButton(QStringLiteral("&OK"), dialog);
    m_cancel = new QPushButton(QStringLiteral("&Annuleren"), dialog);
    m_help = new QPushButton(QStringLiteral("&Help"), dialog);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    addWidget(m_ok);
    addWidget(m_cancel);
    addStretch(1);
    addWidget(m_help);
    QObject::connect(m_ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(m_cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    const unsigned context = helpContext(templateId);
    m_help->setEnabled(!KHelpShow::applicationHelpFile().empty());
    QObject::connect(m_help, &QPushButton::clicked, dialog, [context] {
        KHelpShow::openHelp(KHelpShow::applicationHelpFile(), context);
    });
}
