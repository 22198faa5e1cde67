#pragma once

#include "core/statement/KStatementRead.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Opens a bank statement file of any of the forms banks export: camt.053 XML (any number of
// statements in one message), a zip archive of such files, or MT940. The form is told by the
// contents, not by the name.
namespace KStatementFile {

// Larger files are refused rather than read; a zip archive counts what it unpacks.
inline constexpr qint64 kLargest = 256LL * 1024 * 1024;

KStatementRead read(const QString& path);
// The same for bytes already read; name stands for the file in messages.
KStatementRead fromBytes(const QByteArray& bytes, const QString& name);

// The file dialog's filters, in Dutch.
QStringList fileFilters();

} // namespace KStatementFile
