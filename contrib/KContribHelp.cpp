#include "contrib/KContribHelp.h"

#include "tolvex7/KHelpShow.h"

#include <QMessageBox>

void showContribHelp(QWidget* parent, int commandId) {
    if (KHelpShow::openHelp(KHelpShow::applicationHelpFile(), static_cast<unsigned>(commandId)))
        return;
    QMessageBox::information(parent, QStringLiteral("Help"),
                             QStringLiteral("Er is geen Help beschikbaar."));
}
