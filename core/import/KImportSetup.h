#pragma once

#include "core/import/KImportMapping.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class CKorvelDoc;
class KImportTable;

// What the mapping dialog shows of a table and what it proposes: the first rows, the fields a
// column can go into, the tabs for new fields, and the proposals with and without the first row
// as the columns' titles. The dialog works on this alone, never on the document.
struct KImportSetup {
    struct Field {
        QString label;
        std::int32_t id;
    };

    QString source;    // the file's name, or "het klembord"
    int rowCount = 0;  // of the whole table
    int columnCount = 0;
    // The first rows as their cells show, each with the number the file gives it.
    std::vector<std::vector<QString>> preview;
    std::vector<int> previewRows;
    std::vector<Field> fields;
    QStringList tabs;
    bool firstRowTitles = true; // proposed
    KImportMapping withTitles;
    KImportMapping withoutTitles;

    static KImportSetup make(const CKorvelDoc& doc, const KImportTable& table, QString source);

    // The column titles for a mapping: the first row's texts, or "Kolom 1", "Kolom 2", ...
    QStringList titles(bool firstRowTitles) const;
    // Why the mapping cannot be imported, in Dutch; empty when it can.
    QString refusal(const KImportMapping& mapping) const;

private:
    std::int32_t m_nameField = 0;
};
