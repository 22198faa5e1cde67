#pragma once

#include "tolvex7/Tolvex7Export.h"

#include <cstdint>

// A calendar date from 1 January 1990 to 31 December 2117 in one 16-bit word: 7 bits of years
// since 1990, 4 bits of month, 5 bits of day, from the least significant bit. The empty date has
// all three fields 0 and reads as 19900000.
class TOLVEX7_EXPORT KDate {
public:
    // Today's local date.
    KDate();
    // The date as given when the year is at least 1990, the month 1 to 12 and the day 1 to 31
    // (no check against the length of the month); otherwise the empty date. Years past 2117
    // wrap round to 1990.
    KDate(short year, short month, short day);
    // Eight digits yyyymmdd, each field read like atoi, checked as above and then normalised
    // through the local calendar (20010231 becomes 3 March 2001); otherwise the empty date.
    explicit KDate(const char* text);
    // The local calendar date of a C time value.
    explicit KDate(long time);
    explicit KDate(const KDate* other);
    KDate(const KDate& other) = default;
    KDate& operator=(const KDate& other) = default;

    short Year() const { return static_cast<short>(1990 + (m_bits & 0x7F)); }
    short Month() const { return static_cast<short>((m_bits >> 7) & 0x0F); }
    short Day() const { return static_cast<short>((m_bits >> 11) & 0x1F); }

    // The date as "%d%02d%02d" in one buffer shared by every KDate: the text stays valid only
    // until the next call of String on any date.
    char* String() const;
    // The C time value of 12:00:00 local time on this date.
    long maketime() const;

    // -1 when this date comes before other, 0 when equal, 1 when after.
    short Compare(const KDate& other) const;
    int operator==(const KDate& other) const;
    int operator!=(const KDate& other) const;
    int operator<(const KDate& other) const;

    // One day later; the empty date stays empty.
    void nextDay();
    // One day earlier with result 0; 1 January 1990 and the empty date stay and give 1.
    int prevDay();
    // The same day of the next month; a day the month lacks rolls over. The empty date stays.
    void nextMonth();

private:
    bool isEmpty() const { return m_bits == 0; }
    void set(int year, int month, int day);
    // Rolls year, month and day over through the local calendar and stores the result; false,
    // with the date untouched, when the calendar cannot represent it.
    bool normalise(int year, int month, int day);

    std::uint16_t m_bits = 0;
};
