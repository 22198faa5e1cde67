#pragma once

#include "core/KOutcome.h"

#include <QString>
#include <QStringList>

#include <memory>

class QIODevice;
class QuaZip;

// A zip archive of XML parts (an .xlsx workbook, an .ods spreadsheet), read entry by entry.
class KZipPackage {
public:
    KZipPackage();
    ~KZipPackage();
    KZipPackage(const KZipPackage&) = delete;
    KZipPackage& operator=(const KZipPackage&) = delete;

    KResult open(const QString& path);
    bool has(const QString& entry) const;
    // The entry to read from; nullptr when the archive has no such entry or it cannot be read.
    // One entry is open at a time: opening the next closes this one.
    QIODevice* openEntry(const QString& entry);

    // Whether a file starts as a zip archive does.
    static bool looksLikeZip(const QByteArray& head);

private:
    std::unique_ptr<QuaZip> m_zip;
    std::unique_ptr<QIODevice> m_entry;
    QStringList m_names;
};
