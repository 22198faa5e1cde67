#pragma once

#include "core/KOutcome.h"
#include "core/statement/KBankStatement.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Reads the bank-to-customer statement of ISO 20022, camt.053, in its versions .001.02 and
// .001.08 (and the ones between and after, which name the same elements): elements are known
// by their namespace and name, not by the prefix a bank chose. A batch entry whose
// transactions are listed gives one amount per transaction.
namespace KCamtReader {

// Whether the bytes begin like an XML document.
bool looksLikeXml(const QByteArray& bytes);

// Appends every statement of the message to statements. Anything that is not a camt.053
// message, is cut off or is damaged fails with the reason in Dutch; source names the file
// in it. On failure nothing is appended.
KResult read(const QByteArray& bytes, const QString& source, std::vector<KBankStatement>& statements);

} // namespace KCamtReader
