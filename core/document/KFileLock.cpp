#include "core/document/KFileLock.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>

namespace {

std::unique_ptr<QLockFile> makeLock(const QString& memberFile) {
    auto lock = std::make_unique<QLockFile>(KFileLock::lockPathFor(memberFile));
    // A lock is never old enough to break while its Korvel lives: a board member may keep the
    // file open all evening. Only a lock whose process is gone is taken over.
    lock->setStaleLockTime(0);
    return lock;
}

QString heldBy(const QLockFile& lock, const QString& memberFile) {
    qint64 pid = 0;
    QString host;
    QString app;
    if (!lock.getLockInfo(&pid, &host, &app))
        return {};
    const QFileInfo info(KFileLock::lockPathFor(memberFile));
    const QString user = info.owner().isEmpty() ? QStringLiteral("een andere gebruiker")
                                                : info.owner();
    const QString since =
        QLocale().toString(info.lastModified(), QStringLiteral("d-M-yyyy HH:mm"));
    return QStringLiteral("%1 is geopend door %2 op %3 sinds %4.")
        .arg(QFileInfo(memberFile).fileName(), user,
             host.isEmpty() ? QStringLiteral("een andere computer") : host, since);
}

} // namespace

KFileLock::KFileLock(const QString& memberFile) : m_memberFile(memberFile) {}

KFileLock::~KFileLock() = default;

QString KFileLock::lockPathFor(const QString& memberFile) {
    return memberFile + QStringLiteral(".lock");
}

KResult KFileLock::lock() {
    if (isLocked())
        return KResult::done();
    m_lock = makeLock(m_memberFile);
    if (m_lock->tryLock(0))
        return KResult::done();
    const QLockFile::LockError error = m_lock->error();
    if (error == QLockFile::LockFailedError) {
        const QString text = heldBy(*m_lock, m_memberFile);
        m_lock.reset();
        return KResult::failed(text.isEmpty()
                                   ? QStringLiteral("%1 is geopend door een ander programma.")
                                         .arg(QFileInfo(m_memberFile).fileName())
                                   : text);
    }
    m_lock.reset();
    return KResult::nothingToDo();
}

void KFileLock::unlock() {
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
}

bool KFileLock::isLocked() const {
    return m_lock && m_lock->isLocked();
}

QString KFileLock::holderText(const QString& memberFile) {
    KFileLock probe(memberFile);
    const KResult taken = probe.lock();
    return taken.isFailed() ? taken.reason() : QString();
}
