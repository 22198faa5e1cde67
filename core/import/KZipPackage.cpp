#include "core/import/KZipPackage.h"

#include <quazip.h>
#include <quazipfile.h>

KZipPackage::KZipPackage() = default;

KZipPackage::~KZipPackage() {
    m_entry.reset();
    if (m_zip && m_zip->isOpen())
        m_zip->close();
}

KResult KZipPackage::open(const QString& path) {
    m_zip = std::make_unique<QuaZip>(path);
    if (!m_zip->open(QuaZip::mdUnzip))
        return KResult::failed(QStringLiteral("Het bestand is geen leesbaar zip-archief, zoals "
                                              "een .xlsx- of .ods-bestand moet zijn."));
    m_names = m_zip->getFileNameList();
    return KResult::done();
}

bool KZipPackage::has(const QString& entry) const {
    return m_names.contains(entry);
}

QIODevice* KZipPackage::openEntry(const QString& entry) {
    m_entry.reset();
    if (!m_zip || !has(entry) || !m_zip->setCurrentFile(entry))
        return nullptr;
    auto file = std::make_unique<QuaZipFile>(m_zip.get());
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    m_entry = std::move(file);
    return m_entry.get();
}

bool KZipPackage::looksLikeZip(const QByteArray& head) {
    return head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06");
}
