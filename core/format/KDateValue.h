#pragma once

#include <QDateTime>

#include <cstdint>
#include <string>

class Archive;

// The program's date: year * 10000 + month * 100 + day in one signed 32-bit number, 0 = no date.
class KDateValue {
public:
    KDateValue(); // today
    explicit KDateValue(std::int32_t value) : m_value(value) {}
    KDateValue(short year, short month, short day);
    // Reads a typed date in the program-wide date format; raw != 0 reads a plain number.
    KDateValue(const char* text, int raw);

    std::int32_t value() const { return m_value; }
    void setValue(std::int32_t value) { m_value = value; }

    std::int32_t Year() const { return m_value / 10000; }
    std::int16_t Month() const { return static_cast<std::int16_t>((m_value / 100) % 100); }
    std::int16_t Day() const { return static_cast<std::int16_t>(m_value % 100); }

    bool operator==(const KDateValue& other) const { return m_value == other.m_value; }
    bool operator!=(const KDateValue& other) const { return m_value != other.m_value; }
    bool operator<(const KDateValue& other) const { return m_value < other.m_value; }

    // Step one calendar day; they return the new day of the month.
    std::int16_t nextDay();
    std::int16_t prevDay();

    // The date in the program-wide date format, in code-page bytes; empty for 0.
    std::string Text() const;
    // The date in the given date format setting ("Standard", "System" or a strftime format).
    std::string TextAs(const std::string& format) const;
    // 12:00:00 on this date, for the date pickers.
    QDateTime ToOleDate() const;

    void Serialize(Archive& ar);

private:
    std::int32_t m_value = 0;
};
