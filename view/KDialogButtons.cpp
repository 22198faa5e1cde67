#include "view/KDialogButtons.h"

#include "view/KDialogHelp.h"

#include <QDialog>
#include <QPushButton>

KDialogButtons::KDialogButtons(QDialog& dialog, KHelpContext help)
    : KDialogButtons(dialog, help, Options()) {}

KDialogButtons::KDialogButtons(QDialog& dialog, KHelpContext help, const Options& options)
    : QDialogButtonBox(options.orientation, &dialog), m_context(help) {
    m_ok = addButton(options.acceptText, QDialogButtonBox::AcceptRole);
    m_cancel = addButton(options.rejectText, QDialogButtonBox::RejectRole);
    // Annuleren and Help stay auto-default: Enter on the focused button presses that button, not
    // the OK behind it.
    m_ok->setDefault(true);
    // The buttons are connected one by one: the box's accepted() would come for any button
    // given the accept role later.
    connect(m_ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    if (options.helpButton) {
        m_help = addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
        m_help->setEnabled(KDialogHelp::available());
        connect(m_help, &QPushButton::clicked, this, [this] { KDialogHelp::show(m_context); });
    }
    KDialogHelp::attach(dialog, help);
}
