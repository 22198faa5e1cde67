#pragma once

#include "core/KOutcome.h"
#include "core/statement/KBankStatement.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Reads the SWIFT customer statement MT940 as Dutch banks export it: per statement the account
// (:25:), the balances (:60F:, :62F:), and per entry its :61: line with the :86: description.
// A structured :86: ("/EREF/.../IBAN/.../NAME/.../REMI/...", or the counter-party as
// "/CNTP/iban/bic/name/place/" and the description as "/REMI/USTD//text/") gives the other
// party, the end-to-end id and the return reason; any other :86: is the description.
namespace KMt940Reader {

// Whether the bytes look like an MT940 file: a statement's :20: and :25: lines.
bool looksLikeMt940(const QByteArray& bytes);

// Appends every statement of the file. A line that cannot be read, a statement cut off before
// its closing balance, or balances that do not agree with the entries fail with the reason in
// Dutch; nothing is appended then.
KResult read(const QByteArray& bytes, const QString& source, std::vector<KBankStatement>& statements);

} // namespace KMt940Reader
