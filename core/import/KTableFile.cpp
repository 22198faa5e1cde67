#include "core/import/KTableFile.h"

#include "core/import/KCsvReader.h"
#include "core/import/KImportTable.h"
#include "core/import/KOdsReader.h"
#include "core/import/KXlsxReader.h"
#include "core/import/KZipPackage.h"
#include "platform/FileErrorReason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

// A text table larger than this is no member list.
constexpr qint64 kLargestText = 512LL * 1024 * 1024;

} // namespace

KTableFile::KTableFile() = default;
KTableFile::~KTableFile() = default;

KResult KTableFile::failed(const QString& why) const {
    return KResult::failed(QStringLiteral("Het bestand \"%1\" kan niet worden ingelezen. %2")
                               .arg(QDir::toNativeSeparators(m_path), why));
}

KResult KTableFile::open(const QString& path) {
    m_path = path;
    m_sheets.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return KResult::failed(QStringLiteral("Het bestand \"%1\" kan niet worden geopend: %2.")
                                   .arg(QDir::toNativeSeparators(path),
                                        fileErrorReason(file.error(), errno, path)));
    const QByteArray head = file.read(8);
    file.close();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (head.isEmpty())
        return failed(QStringLiteral("Het is leeg."));
    if (head.startsWith("\xD0\xCF\x11\xE0"))
        return failed(QStringLiteral("Het is een oud Excel-bestand (.xls). Bewaar het in Excel "
                                     "of LibreOffice als .xlsx of .csv en lees dat in."));
    if (!KZipPackage::looksLikeZip(head)) {
        if (suffix == QLatin1String("xlsx") || suffix == QLatin1String("ods"))
            return failed(QStringLiteral("Het heet een werkmap, maar het is geen zip-archief "
                                         "zoals een .%1-bestand is.")
                              .arg(suffix));
        m_kind = Kind::Text;
        return KResult::done();
    }
    m_zip = std::make_unique<KZipPackage>();
    if (KResult opened = m_zip->open(path); !opened.isDone())
        return failed(opened.reason());
    if (m_zip->has(QStringLiteral("content.xml"))) {
        m_kind = Kind::Ods;
        m_ods = std::make_unique<KOdsReader>(*m_zip);
        if (KResult r = m_ods->open(); !r.isDone())
            return failed(r.reason());
        m_sheets = m_ods->sheetNames();
        return KResult::done();
    }
    if (m_zip->has(QStringLiteral("_rels/.rels")) ||
        m_zip->has(QStringLiteral("xl/workbook.xml"))) {
        m_kind = Kind::Xlsx;
        m_xlsx = std::make_unique<KXlsxReader>(*m_zip);
        if (KResult r = m_xlsx->open(); !r.isDone())
            return failed(r.reason());
        m_sheets = m_xlsx->sheetNames();
        return KResult::done();
    }
    return failed(QStringLiteral("Het is een zip-archief zonder werkblad: geen Excel-werkmap en "
                                 "geen OpenDocument-rekenblad."));
}

KResult KTableFile::read(int sheet, KImportTable& table, KProgressReport* progress) {
    KResult result;
    if (m_kind == Kind::Xlsx && m_xlsx) {
        result = m_xlsx->readSheet(sheet, table, progress);
    } else if (m_kind == Kind::Ods && m_ods) {
        result = m_ods->readSheet(sheet, table, progress);
    } else {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return KResult::failed(QStringLiteral("Het bestand \"%1\" kan niet worden geopend: %2.")
                                       .arg(QDir::toNativeSeparators(m_path),
                                            fileErrorReason(file.error(), errno, m_path)));
        if (file.size() > kLargestText)
            return failed(QStringLiteral("Het is groter dan 512 MB."));
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return failed(fileErrorReason(file.error(), errno, m_path) + QLatin1Char('.'));
        result = KCsvReader::read(bytes, table);
    }
    if (result.isFailed())
        return failed(result.reason());
    return result;
}
