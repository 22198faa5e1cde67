#pragma once

#include "core/KOutcome.h"

#include <QString>

#include <memory>

class QLockFile;

// The lock beside a member file ("club.kvl.lock") that says one Korvel is writing it: it
// records the process, the computer and, by its owner, the user. A lock whose Korvel no longer
// runs on this computer is taken over without a question; a live one is never broken.
class KFileLock {
public:
    explicit KFileLock(const QString& memberFile);
    ~KFileLock();
    KFileLock(const KFileLock&) = delete;
    KFileLock& operator=(const KFileLock&) = delete;

    // Done when this process holds the lock now; Failed with the sentence for the user when
    // another live Korvel holds it; NothingToDo when no lock can be made there at all (a
    // folder nobody may write to), so nobody else can hold one either.
    KResult lock();
    void unlock();
    bool isLocked() const;
    const QString& memberFile() const { return m_memberFile; }

    static QString lockPathFor(const QString& memberFile);
    // "club.kvl is geopend door GEBRUIKER op COMPUTER sinds TIJD." for a lock held by
    // another; empty when the file is not locked by anybody else.
    static QString holderText(const QString& memberFile);

private:
    QString m_memberFile;
    std::unique_ptr<QLockFile> m_lock;
};
