#pragma once

#include "core/format/KDateValue.h"
#include "core/format/SystemDate.h"
#include "core/import/KImportCell.h"

#include <QString>

#include <cstdint>
#include <optional>

// How the value of a cell is read for a field of each type. A text is read as a person writes
// it; a spreadsheet's number, date or yes/no is taken as it is. An empty cell is no date, 0 or
// "Nee". Nothing comes back for a value that cannot be read as the type: it is never guessed.
namespace KImportValues {

// A date in the order given, with "-", "/", "." or blanks between the numbers (a two-digit year
// 00-29 is 20xx, 30-99 19xx), ISO "2010-04-03", the program's own eight digits "20100403", or a
// spreadsheet's serial day number; a time of day after it is passed over. 0 for an empty cell.
std::optional<KDateValue> date(const KImportCell& cell, DateOrder order);
// A whole number of 32 bits, as typed ("1234", "-5", "1.234.567") or a spreadsheet's number
// without a fraction.
std::optional<std::int32_t> whole(const KImportCell& cell);
// An amount or quantity: "1.234,50", "12,50", "€ 12,50" and "12.50", or a spreadsheet's number.
std::optional<double> real(const KImportCell& cell);
// Yes or no: ja/nee, j/n, x, 1/0, waar/onwaar, yes/no, true/false in any case, or a spreadsheet's
// yes/no; empty is no.
std::optional<bool> yesNo(const KImportCell& cell);

} // namespace KImportValues
