#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The small readings a bank statement needs: account numbers, amounts as banks write them,
// names and numbers as they stand in a payment's description.
namespace KBankText {

// An IBAN as it is compared: capitals, no spaces or other blanks.
QString normalIban(QStringView text);

// An amount as a bank writes it: digits, then the decimal separator and up to five decimals
// ("12.50" in XML, "12,50" in MT940). Nothing for anything else (a sign, grouping, letters).
struct Amount {
    std::int64_t cents = 0; // rounded half away from zero
    bool exactCents = true; // false when decimals beyond the cents are not zero
};
std::optional<Amount> readAmount(QStringView text, QChar decimalSeparator);

// "2027-01-15" (or the date of "2027-01-15T10:30:00") as yyyymmdd; 0 for anything that is no
// calendar date.
std::int32_t readIsoDate(QStringView text);

// Code-page text folded for comparing names: accents off, lower case, every sign a blank, one
// blank between words, none at the ends ("  Dé  Vries-Bakker " gives "de vries bakker").
std::string foldName(std::string_view codePageText);
std::string foldName(const QString& text);
// The same into a buffer of the caller's, which keeps its storage.
void foldNameInto(std::string_view codePageText, std::string& out);
// The words of a folded name sorted, so that "jansen piet" and "piet jansen" compare equal.
std::string sortedWords(std::string_view foldedName);

// The whole numbers of a text, each without its leading zeros: "lid 0012345, 2027" gives
// "12345" and "2027". A run of digits is one number however long; zeros alone give "0".
std::vector<std::string> wholeNumbers(QStringView text);
// A federation number as the members' field holds it, in the same form; empty when it is no
// number (or 0, which stands for none).
std::string memberNumber(std::string_view text);

} // namespace KBankText
