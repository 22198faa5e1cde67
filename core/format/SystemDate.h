#pragma once

class QDate;
class QLocale;
class QString;

// Reads a date typed under the "System" date format: three numbers in the locale's order of day,
// month and year (or year, month, day when the first has four digits), with or without leading
// zeros, a two-digit year meaning 1930..2029, separated by "-", "/", "." or blanks. Texts with
// names of months are read in the locale's own short and long formats. Invalid when unreadable.
QDate readSystemDate(const QString& text, const QLocale& locale);

// The same three numbers in the order of day, month and year that a Qt date format gives ("d",
// "M" and "y", e.g. "dd-MM-yyyy"), whatever the locale; invalid when unreadable or when the
// format lacks one of the three.
QDate readNumericDate(const QString& text, const QString& orderFormat);
