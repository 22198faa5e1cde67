#pragma once

#include "core/KOutcome.h"
#include "core/edit/KImportChanges.h"
#include "core/import/KImportCell.h"
#include "core/import/KImportMapping.h"
#include "core/import/KImportReport.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class CKorvelDoc;
class KImportTable;
class KProgressReport;

// What to do with a row whose member is there already: the same name and birth date, or the
// same Bondsnummer.
enum class KDuplicates { Skip, Update, Add };

// One import of a table into the administration, from the mapping to the changes of one edit.
// The questions it raises (member types the administration lacks, rows it has already) are
// answered before build() hands out the ids; the document must not change in between.
class KImportRun {
public:
    KImportRun(const CKorvelDoc& doc, const KImportTable& table, KImportMapping mapping);

    // Refused when no column is imported.
    KResult check() const;

    // The member types the rows name that the administration lacks (Windows-1252), in the
    // order first met. A type that differs from one there only in case and accents is that one.
    std::vector<std::string> unknownMemberTypes() const;
    // How many rows name a member the administration or an earlier row has already.
    std::size_t duplicateCount() const;

    // The type an unknown type becomes; an unknown type not set here is added.
    void mapMemberType(const std::string& unknown, const std::string& existing);
    void setDuplicates(KDuplicates duplicates) { m_duplicates = duplicates; }

    // Reads every row into members: the changes for KEdit::importMembers, with ids handed out
    // for the new fields and members; the report says what becomes of every row. Stopped when
    // the progress report says so: no id was handed out then.
    KResult build(const std::function<std::int32_t()>& handOutId, KImportChanges& changes,
                  KImportReport& report, KProgressReport* progress = nullptr) const;

private:
    // A field the import fills and the columns it is made of, in the order they join.
    struct Slot {
        std::int32_t fieldId = 0; // for a new field: its place in m_newLabels
        bool isNew = false;
        FieldType type = FieldType::Text;
        FieldMeaning meaning = FieldMeaning::Other;
        std::vector<int> columns;
    };
    // The keys by which a member is found again.
    struct Keys {
        std::string name; // folded
        std::int32_t birthDate = 0;
        std::int32_t federation = 0;
    };
    class Index;

    void makeSlots();
    void findNewTypes();
    int firstDataRow() const { return m_mapping.firstRowTitles ? 1 : 0; }
    // The cell of a slot in a row: the column's own, or the texts of its columns joined.
    KImportCell cellOf(const Slot& slot, int row) const;
    // Reads the slot's cell into the value; false, with why, when it cannot be read.
    bool readInto(const Slot& slot, const KImportCell& cell, KField& value, QString& why) const;
    std::string memberTypeOf(const std::string& text) const;
    Keys keysOf(int row) const;
    static std::string nameKey(const std::string& name);

    const CKorvelDoc& m_doc;
    const KImportTable& m_table;
    KImportMapping m_mapping;
    KDuplicates m_duplicates = KDuplicates::Skip;
    std::vector<Slot> m_slots;
    std::vector<std::string> m_newLabels;
    QStringList m_titles;
    int m_nameSlot = -1;
    int m_birthSlot = -1;
    int m_federationSlot = -1;
    int m_typeSlot = -1;
    std::map<std::string, std::string> m_typeMap;
    // The types the administration lacks, folded, and how the first row with each spells it.
    std::map<QString, std::string> m_newTypes;
};
