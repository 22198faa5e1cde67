#include "tolvex7/KDate.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

constexpr int firstYear = 1990;

bool passesRangeCheck(long year, long month, long day) {
    return year >= firstYear && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

bool toLocal(std::time_t time, std::tm& out) {
#if defined(_WIN32)
    return localtime_s(&out, &time) == 0;
#else
    return localtime_r(&time, &out) != nullptr;
#endif
}

// Noon keeps daylight-saving changes from moving the date.
std::tm noonOf(int year, int month, int day) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    return t;
}

char stringBuffer[16];

} // namespace

KDate::KDate() {
    std::tm t{};
    if (toLocal(std::time(nullptr), t))
        set(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
}

KDate::KDate(short year, short month, short day) {
    if (passesRangeCheck(year, month, day))
        set(year, month, day);
}

KDate::KDate(const char* text) {
    if (!text)
        return;
    // atoi on each field of a copy, so a field never reads into the next one.
    char digits[9] = {};
    std::strncpy(digits, text, 8);
    char field[5] = {};
    std::memcpy(field, digits, 4);
    const long year = std::atol(field);
    std::memset(field, 0, sizeof field);
    std::memcpy(field, digits + 4, 2);
    const long month = std::atol(field);
    std::memcpy(field, digits + 6, 2);
    const long day = std::atol(field);
    if (passesRangeCheck(year, month, day))
        normalise(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
}

KDate::KDate(long time) {
    std::tm t{};
    if (toLocal(static_cast<std::time_t>(time), t))
        set(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
}

KDate::KDate(const KDate* other) : m_bits(other ? other->m_bits : 0) {}

void KDate::set(int year, int month, int day) {
    // The year field keeps years since 1990 modulo 128; the others are in range here.
    const unsigned offset = static_cast<unsigned>(year - firstYear) & 0x7Fu;
    m_bits = static_cast<std::uint16_t>(offset | (static_cast<unsigned>(month & 0x0F) << 7) |
                                        (static_cast<unsigned>(day & 0x1F) << 11));
}

bool KDate::normalise(int year, int month, int day) {
    std::tm t = noonOf(year, month, day);
    const std::time_t time = std::mktime(&t);
    if (time == static_cast<std::time_t>(-1))
        return false;
    std::tm local{};
    if (!toLocal(time, local) || local.tm_year + 1900 < firstYear)
        return false;
    set(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return true;
}

char* KDate::String() const {
    std::snprintf(stringBuffer, sizeof stringBuffer, "%d%02d%02d", Year(), Month(), Day());
    return stringBuffer;
}

long KDate::maketime() const {
    std::tm t = noonOf(Year(), Month(), Day());
    return static_cast<long>(std::mktime(&t));
}

short KDate::Compare(const KDate& other) const {
    if (*this == other)
        return 0;
    return *this < other ? -1 : 1;
}

int KDate::operator==(const KDate& other) const {
    return Year() == other.Year() && Month() == other.Month() && Day() == other.Day();
}

int KDate::operator!=(const KDate& other) const {
    return !(*this == other);
}

int KDate::operator<(const KDate& other) const {
    if (Year() != other.Year())
        return Year() < other.Year();
    if (Month() != other.Month())
        return Month() < other.Month();
    return Day() < other.Day();
}

void KDate::nextDay() {
    if (!isEmpty())
        normalise(Year(), Month(), Day() + 1);
}

int KDate::prevDay() {
    if (isEmpty() || (Year() == firstYear && Month() == 1 && Day() == 1))
        return 1;
    normalise(Year(), Month(), Day() - 1);
    return 0;
}

void KDate::nextMonth() {
    if (!isEmpty())
        normalise(Year(), Month() + 1, Day());
}
