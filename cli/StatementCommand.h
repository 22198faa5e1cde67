#pragma once

#include "cli/CommandOptions.h"

// korvel-cli statement FILE STATEMENT OUT [--iban-field LABEL] [--creditor-iban IBAN]
// Reads the bank statement (camt.053 XML, a zip of those, or MT940), books every amount a
// member was found for as the review would tick it, saves the result to OUT and prints one
// JSON object:
//   {"entries": N, "booked": [{"member": ID, "amount": "12.50", "date": YYYYMMDD,
//    "rule": "end-to-end|storno|iban|reference|name"}], "already": K,
//    "unmatched": [{"amount": "12.50", "date": YYYYMMDD, "name": "...", "text": "..."}],
//    "not-bookable": M}
// Amounts in cents with a point, negative for debits; an amount the review leaves to the
// treasurer (a choice among members, one to look at) is among the unmatched. The IBAN field's
// label and the club's IBAN default to the incasso settings of the profile. A warning (a
// statement of another account) goes to standard error. 0 when the statement was read, also
// when nothing was booked; 1 when the member file or the statement cannot be read (the reason
// on standard error, OUT not written) or OUT cannot be written; 2 a usage error.
int statementCommand(int argc, char** argv, UsageReport usage);
