#pragma once

#include "core/KOutcome.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

class KImportTable;
class KProgressReport;
class KZipPackage;
class QXmlStreamReader;

// An Excel workbook (.xlsx, Office Open XML): its sheets by name, and one sheet as a table.
// Cells are shared strings, inline strings, numbers, yes/no and dates: a number in a date's
// number format is a serial day (of the 1900 or the 1904 system), an ISO cell a date itself.
class KXlsxReader {
public:
    explicit KXlsxReader(KZipPackage& zip) : m_zip(zip) {}

    // Reads the workbook's list of sheets, its shared strings and its cell formats.
    KResult open();
    const QStringList& sheetNames() const { return m_sheetNames; }
    KResult readSheet(int index, KImportTable& table, KProgressReport* progress = nullptr);

    // The date of a serial day number; invalid outside the spreadsheet's dates.
    static QDate serialDate(double serial, bool date1904 = false);
    // Whether a number format shows a date or a time: a built-in one, or a code with day,
    // month, year, hour or second in it outside quoted and bracketed text.
    static bool isDateFormat(int id, const QString& code);

private:
    struct Relationship {
        QString id;
        QString type;
        QString target; // the part's name in the archive
    };
    KResult readRelationships(const QString& part, std::vector<Relationship>& out);
    KResult readSharedStrings(const QString& part);
    KResult readStyles(const QString& part);
    KResult damaged(const QString& part) const;

    KZipPackage& m_zip;
    QStringList m_sheetNames;
    QStringList m_sheetParts;
    QStringList m_strings;
    std::vector<bool> m_dateStyle; // per cell format
    bool m_date1904 = false;
};
