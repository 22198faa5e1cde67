#pragma once

#include <QString>

#include <cstdint>

// The days on which the euro payment system settles: every day but Saturday, Sunday, 1 January,
// Good Friday, Easter Monday, 1 May, 25 and 26 December. A collection date must be one of them.
// Dates are yyyymmdd numbers, as KDateValue holds them.
namespace BusinessDays {

bool isBusinessDay(std::int32_t date);
// The count-th business day after date (count 0: date itself when it is one, else the next).
std::int32_t after(std::int32_t date, int count);
// Easter Sunday of the year (Gregorian calendar).
std::int32_t easterSunday(int year);

// The collection date the program proposes: five business days from today.
std::int32_t defaultCollectionDate(std::int32_t today);
// The earliest collection date the bank takes: the next business day.
std::int32_t earliestCollectionDate(std::int32_t today);
// Why the date cannot be the collection date, in Dutch; empty when it can.
QString collectionDateProblem(std::int32_t date, std::int32_t today);

} // namespace BusinessDays
