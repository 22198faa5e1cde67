#pragma once

#include "core/KOutcome.h"

#include <QByteArray>
#include <QChar>
#include <QString>

class KImportTable;

// Tables in text: comma-separated files and rows copied from a spreadsheet. Values are quoted
// as RFC 4180 has it (a value in double quotes may hold the separator, line breaks and doubled
// quotes); lines end in CR LF, LF or CR.
namespace KCsvReader {

// The text of a file's bytes: UTF-8 with or without its byte order mark, UTF-16 with one, and
// Windows-1252 when the bytes are no UTF-8. Fails for bytes that are no text at all.
KResult decode(const QByteArray& bytes, QString& text);

// The separator the text's first lines use most steadily: ';', ',', tab or '|'. A text in which
// none of them separates anything gives ';' (one column).
QChar detectSeparator(const QString& text);

// Splits the text into the table's rows; the table is finished (its columns fixed) as well.
KResult parse(const QString& text, QChar separator, KImportTable& table);

// decode, detectSeparator and parse.
KResult read(const QByteArray& bytes, KImportTable& table);
// Rows from the clipboard: tab-separated when the first line has a tab, else as a file.
KResult readPasted(const QString& text, KImportTable& table);

} // namespace KCsvReader
