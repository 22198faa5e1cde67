#pragma once

#include <QFileIconProvider>

// Icons and type names for the file dialogs from a file's name and kind only. Qt's own provider
// reads the start of every listed file to tell its type, and a read that never returns (a
// FIFO, /proc/kmsg) then freezes the dialog and with it the program. Type names are Dutch
// ("Map", "KVL-bestand") whatever the system's language.
class KFileIconProvider : public QFileIconProvider {
public:
    KFileIconProvider();

    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};
