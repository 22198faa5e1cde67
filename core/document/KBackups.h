#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// The copies a save keeps of the file it replaces: the backup beside it (club.kvm) and the
// dated generations in a folder beside it ("club reservekopieën/club 2026-12-09 07.45.00.kvl"),
// of which the newest are kept. Every copy is made whole under a temporary name and renamed,
// and is never readable by more people than the member file.
class KBackups {
public:
    struct Generation {
        QString path;
        QDateTime when;
        qint64 size = 0;
    };

    // A copy the user may take back: the backup or a generation.
    struct Restorable {
        QString path;
        QDateTime when;
        qint64 size = 0;
        long members = -1; // -1 when the copy cannot be read
    };

    // The backup and the generations of a member file, newest first, each read for its number
    // of members.
    static std::vector<Restorable> restorable(const QString& memberFile);

    static QString generationFolder(const QString& memberFile);
    static QString generationPath(const QString& memberFile, const QDateTime& when);
    // The generations of a member file, newest first.
    static std::vector<Generation> generations(const QString& memberFile);

    // Copies the member file to its backup name. Empty when that worked, else the message
    // for the user. inPlace allows overwriting an existing backup where it is when no file can
    // be made beside it.
    static QString makeBackup(const QString& memberFile, bool inPlace = false);
    // Keeps the member file as a generation dated by its modification time and removes all
    // but the newest keep generations; keep 0 makes none and removes none. The messages for
    // the user of what could not be done.
    static QStringList makeGeneration(const QString& memberFile, int keep);
};
