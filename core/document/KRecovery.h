#pragma once

#include "core/KOutcome.h"

#include <QDateTime>
#include <QString>

#include <optional>

class CKorvelDoc;

// The recovery file of a modified administration: written every few minutes into the user's
// data folder (never beside or over the member file), removed by a clean save, close or exit,
// and offered back at the next start when it is newer than its member file. Each member file
// has its own; an administration without a file has one of this process.
class KRecovery {
public:
    struct Pending {
        QString recoveryFile;
        QString memberFile; // empty for an administration that had no file yet
        QDateTime written;
    };

    static QString folder();
    static QString recoveryPathFor(const QString& memberFile);
    // Writes the administration as it is now; the document itself does not change.
    static KResult write(CKorvelDoc& doc);
    // Removes the recovery file of that member file (empty: of this process's new administration).
    static void remove(const QString& memberFile);
    // The newest recovery file left by a Korvel that ended without cleaning up, when it is
    // newer than its member file; an older one is removed.
    static std::optional<Pending> pending();
    // The user declined it: it is kept for one more start, then removed.
    static void declined(const Pending& found);
    // Takes it over into doc as the named file's administration, modified.
    static KResult restore(CKorvelDoc& doc, const Pending& found);
};
