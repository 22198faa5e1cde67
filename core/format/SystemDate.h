#pragma once

class QDate;
class QLocale;
class QString;

// Reads a date typed under the "System" date format: three numbers in the locale's order of day,
// month and year (or year, month, day when the first has four digits), with or without leading
// zeros, a two-digit year meaning 1930..2029, separated by "-", "/", "." or blanks. Texts with
// names of months are read in the locale's own short and long formats. Invalid when unreadable.
QDate readSystemDate(const QString& text, const QLocale& locale);

// The order of day, month and year in a date written as three numbers.
enum class DateOrder { DayMonthYear, YearMonthDay, MonthDayYear };
// Reads three numbers as readSystemDate does, in the given order instead of the locale's (a first
// number of four digits still makes it year, month, day). Invalid when it is no such date.
QDate readDateInOrder(const QString& text, DateOrder order);
