#pragma once

#include <QByteArray>
#include <QString>

// What a member file on disk was when it was read or written: its size, its modification time
// and a hash of its bytes. Before a save the file is compared with it, so a change made by
// somebody else since is caught instead of overwritten.
struct KDiskState {
    bool known = false;
    qint64 size = 0;
    qint64 modifiedMs = 0;
    QByteArray hash;

    // The state of the file at path now, with the hash of the bytes that were read or written.
    static KDiskState of(const QString& path, const QByteArray& hash);
    // Whether the file at path still holds what this state describes. A file that only got a
    // new time is read again and compared by its hash.
    bool matches(const QString& path) const;
    // The hash KDiskState uses, of a whole file; empty when it cannot be read.
    static QByteArray hashOfFile(const QString& path);
};
