#include "core/document/KDiskState.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

KDiskState KDiskState::of(const QString& path, const QByteArray& hash) {
    KDiskState state;
    const QFileInfo info(path);
    if (!info.exists())
        return state;
    state.known = true;
    state.size = info.size();
    state.modifiedMs = info.lastModified().toMSecsSinceEpoch();
    state.hash = hash;
    return state;
}

bool KDiskState::matches(const QString& path) const {
    if (!known)
        return true;
    const QFileInfo info(path);
    if (!info.exists() || info.size() != size)
        return false;
    if (info.lastModified().toMSecsSinceEpoch() == modifiedMs)
        return true;
    return hashOfFile(path) == hash;
}

QByteArray KDiskState::hashOfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!hash.addData(&file))
        return {};
    return hash.result();
}
