#pragma once

#include <QString>

#include <optional>
#include <string_view>

// Amounts and quantities as a person types them, in the Dutch form and the point form alike:
// "12,50", "12.50", "1.234,50", "1,234.50", "1234,5", "€ 12,50", "-10", "  7 ". Every place where
// somebody types a number, and every table that is imported, reads through here; files, grids
// and components keep the "%1.2f" texts of Numbers.
namespace TypedNumber {

enum class Kind { Amount, Quantity };

// The number the text stands for, in code-page bytes; nothing when the text is no number (empty,
// letters, two decimal separators, groups of other than three digits, an exponent, "nan", "inf",
// or a magnitude beyond 999.999.999.999,99).
//
// A text with both a point and a comma takes the last of them as the decimal separator and the
// other as the thousands separator. A comma alone is the decimal comma. A point alone is the
// decimal point, unless it stands more than once ("1.234.567") and so can only be grouping. One
// point followed by exactly three digits ("1.250") could be either: it is refused rather than
// guessed.
std::optional<double> read(std::string_view text);
// The same for a text from a control.
std::optional<double> read(const QString& text);

// What to tell the user about a text that does not read, in Dutch: the text and an example of
// what does.
QString refusal(const QString& text, Kind kind = Kind::Amount);

} // namespace TypedNumber
