#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file's whole content as the tests compare it; empty when it cannot be read.
inline QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Writes a file's whole content; false when it cannot be written.
inline bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
