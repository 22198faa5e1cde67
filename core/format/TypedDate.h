#pragma once

#include "core/format/KDateValue.h"

#include <QString>

#include <optional>

// Dates as a person types them into a date field. The program's date format comes first (the
// eight digits of "Standard", the locale's short date of "System", the exact text of a custom
// format); a text that is not in it is read as three numbers in the order of day, month and
// year of the format ("3-4-2010" for %d-%m-%Y, "2010-04-03" in any), with "-", "/", "." or
// blanks between them, leading zeros or not, a two-digit year meaning 1930..2029; and last as
// the "System" format reads it. The date pickers of the member and payment dialogs read through
// here.
namespace TypedDate {

// The calendar date the text stands for; nothing for an empty text or one that is no date.
std::optional<KDateValue> read(const QString& text);

// What to tell the user about a typed date that does not read, in Dutch, naming the field.
QString refusal(const QString& fieldLabel, const QString& text);

} // namespace TypedDate
