#pragma once

#include <QString>

// International bank account numbers (ISO 13616) and the other identifiers of a direct debit:
// the creditor identifier ("Incassant-ID") and the bank's BIC. Each is checked in the form the
// bank file holds it: capitals, without spaces.
namespace Iban {

enum class Problem {
    None,
    Empty,
    Characters, // something else than letters and digits
    Country,    // no country with IBANs, or no two letters and two digits in front
    Length,     // not the length of that country's IBANs
    Checksum,   // the check digits do not match (mod 97 is not 1)
};

// Capitals, spaces and tabs left out: "nl91 abna 0417 1643 00" gives "NL91ABNA0417164300".
QString normalized(const QString& text);

// What is wrong with an IBAN in normalized form.
Problem check(const QString& iban);
inline bool isValid(const QString& iban) { return check(iban) == Problem::None; }
// The length of the IBANs of the country (two capitals); 0 for a country without them.
int countryLength(const QString& country);
// The IBAN of an account number (BBAN) of the country: the check digits worked out.
QString make(const QString& country, const QString& bban);
// What to tell the user, in Dutch; empty for None.
QString problemText(Problem problem, const QString& iban);

// The creditor identifier: country, two check digits, a business code of three characters the
// creditor chooses freely, and the national identifier. The check digits are the mod 97-10
// digits over the national identifier followed by the country; the business code takes no part.
Problem checkCreditorId(const QString& id);
QString creditorIdProblemText(Problem problem, const QString& id);

// A BIC of eight or eleven characters: bank (four letters), country (two letters), location
// (two), branch (three, optional).
bool isValidBic(const QString& bic);

} // namespace Iban
