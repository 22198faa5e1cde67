#include "contrib/KContribHelp.h"

#include "tolvex7/KHelpShow.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>

void showContribHelp(QWidget* parent, int commandId) {
    if (KHelpShow::openHelp(KHelpShow::applicationHelpFile(), static_cast<unsigned>(commandId)))
        return;
    QMessageBox::information(parent, QStringLiteral("Help"),
                             QStringLiteral("Er is geen Help beschikbaar."));
}

KContribDialogEnd addContribDialogEnd(QDialog& dialog, QHBoxLayout& row, int helpCommandId) {
    auto* ok = new QPushButton(QStringLiteral("&OK"), &dialog);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Annuleren"), &dialog);
    cancel->setAutoDefault(false);
    auto* help = new QPushButton(QStringLiteral("&Help"), &dialog);
    help->setAutoDefault(false);
    row.addWidget(ok);
    row.addWidget(cancel);
    row.addWidget(help);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    QObject::connect(help, &QPushButton::clicked, &dialog,
                     [&dialog, helpCommandId] { showContribHelp(&dialog, helpCommandId); });
    return {ok, cancel, help};
}
