#pragma once

#include "core/KOutcome.h"

#include <QStringList>

class KImportTable;
class KProgressReport;
class KZipPackage;

// An OpenDocument spreadsheet (.ods): its sheets by name, and one sheet as a table. Cells keep
// the text they show beside their value (a number, a date, yes/no); repeated rows and cells are
// counted, and only repeated ones that hold something are written out.
class KOdsReader {
public:
    explicit KOdsReader(KZipPackage& zip) : m_zip(zip) {}

    KResult open();
    const QStringList& sheetNames() const { return m_sheetNames; }
    KResult readSheet(int index, KImportTable& table, KProgressReport* progress = nullptr);

private:
    KResult damaged() const;

    KZipPackage& m_zip;
    QStringList m_sheetNames;
};
