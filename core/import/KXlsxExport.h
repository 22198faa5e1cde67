#pragma once

#include "core/KOutcome.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CKorvelDoc;
class KProgressReport;

// The member list as an Excel workbook (.xlsx): a sheet "Leden" with a row per member, the
// title row bold and frozen and the columns as wide as their texts, and a sheet "Openstaand"
// with the overview of outstanding amounts. Numbers are numbers, amounts numbers in the euro
// format, dates dates, yes/no the texts "Ja" and "Nee".
namespace KXlsxExport {

// A column of the sheet: a field, the running number or the balance.
struct Column {
    QString title;
    std::int32_t code; // a field id, or MemberColumns::kRunningNumber, kBalance, kNoField
};

// The columns of the member grid's column list ("Nr.|Naam|Schuld|").
std::vector<Column> gridColumns(const CKorvelDoc& doc, std::string_view columnList);
// Every field, tab by tab in their order, then the fields on no tab.
std::vector<Column> allFields(const CKorvelDoc& doc);
// The members as the grid orders them after a rebuild: by name.
std::vector<std::int32_t> gridOrder(const CKorvelDoc& doc);

// Writes the workbook; a file that was there is replaced only when the new one is complete.
// Ids without a member are passed over.
KResult write(const QString& path, const CKorvelDoc& doc, const std::vector<Column>& columns,
              const std::vector<std::int32_t>& memberIds, KProgressReport* progress = nullptr);

} // namespace KXlsxExport
