#pragma once

#include "core/KOutcome.h"

#include <QString>
#include <QStringList>

#include <memory>

class KImportTable;
class KOdsReader;
class KProgressReport;
class KXlsxReader;
class KZipPackage;

// A file with a table to import: a text file (.csv, .txt: comma-separated in any of its forms),
// an Excel workbook (.xlsx) or an OpenDocument spreadsheet (.ods). What it is follows from its
// contents, not its name; a name that promises a workbook the contents are not is told as such.
class KTableFile {
public:
    enum class Kind { Text, Xlsx, Ods };

    KTableFile();
    ~KTableFile();

    // Opens the file and, for a workbook, reads its list of sheets.
    KResult open(const QString& path);
    Kind kind() const { return m_kind; }
    // The sheets of a workbook, in its order; empty for a text file.
    const QStringList& sheetNames() const { return m_sheets; }
    // Reads the table of the sheet (0 for a text file).
    KResult read(int sheet, KImportTable& table, KProgressReport* progress = nullptr);

private:
    KResult failed(const QString& why) const;

    QString m_path;
    Kind m_kind = Kind::Text;
    QStringList m_sheets;
    std::unique_ptr<KZipPackage> m_zip;
    std::unique_ptr<KXlsxReader> m_xlsx;
    std::unique_ptr<KOdsReader> m_ods;
};
