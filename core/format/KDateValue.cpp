#include "core/format/KDateValue.h"

#include "core/format/Numbers.h"

#include "core/format/Clock.h"
#include "core/format/DateFormat.h"
#include "core/format/KDateTextIndex.h"
#include "core/format/SystemDate.h"
#include "platform/Archive.h"
#include "platform/CodePage.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <cstdio>
#include <locale.h>
#include <time.h>

namespace {

const char* const invalidDateText = "Invalid DateTime";
// The value a "System" text that cannot be read leaves: year, month and day of -1 each.
constexpr std::int32_t unreadableSystemDate = -10101;
// A strftime result longer than this is not shown.
constexpr std::size_t maxCustomText = 64 * 1024;

bool isValidDate(std::int32_t year, int month, int day) {
    return QDate::isValid(static_cast<int>(year), month, day);
}

QDate toQDate(std::int32_t year, int month, int day) {
    return isValidDate(year, month, day) ? QDate(static_cast<int>(year), month, day) : QDate();
}

std::int32_t compose(std::int32_t year, std::int32_t month, std::int32_t day) {
    return year * 10000 + month * 100 + day;
}

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return locale;
}

// strftime with the names of the "C" locale, whatever locale the application has set.
// A leading character tells an empty result from one that did not fit; the buffer grows until
// the text fits or reaches maxCustomText, past which the text is not shown.
std::string strftimeC(const std::string& format, const std::tm& tm) {
    const std::string marked = "x" + format;
    std::string out(256, '\0');
    for (;;) {
        const locale_t locale = cLocale();
        const std::size_t n = locale
                                  ? strftime_l(out.data(), out.size(), marked.c_str(), &tm, locale)
                                  : std::strftime(out.data(), out.size(), marked.c_str(), &tm);
        if (n > 0) {
            out.resize(n);
            out.erase(0, 1);
            return out;
        }
        if (out.size() >= maxCustomText)
            return {};
        out.resize(out.size() * 4);
    }
}

} // namespace

KDateValue::KDateValue() : m_value(Clock::today()) {}

KDateValue::KDateValue(short year, short month, short day) : m_value(compose(year, month, day)) {}

KDateValue::KDateValue(const char* text, int raw) {
    const std::string& format = DateFormat::setting();
    if (raw || format.empty() || format == "Standard") {
        m_value = Numbers::leadingLong(text ? text : "");
    } else if (format == "System") {
        const QDate date = readSystemDate(CodePage::toQString(text ? text : ""), QLocale());
        m_value =
            date.isValid() ? compose(date.year(), date.month(), date.day()) : unreadableSystemDate;
    } else {
        m_value = KDateTextIndex::lookup(format, text ? text : "");
    }
}

std::int16_t KDateValue::nextDay() {
    std::int32_t year = Year();
    std::int32_t month = Month();
    std::int32_t day = Day();
    if (isValidDate(year, month, day + 1)) {
        ++day;
    } else if (isValidDate(year, month + 1, 1)) {
        ++month;
        day = 1;
    } else {
        ++year;
        month = 1;
        day = 1;
    }
    m_value = compose(year, month, day);
    return static_cast<std::int16_t>(day);
}

std::int16_t KDateValue::prevDay() {
    std::int32_t year = Year();
    std::int32_t month = Month();
    std::int32_t day = Day();
    if (isValidDate(year, month, day - 1)) {
        --day;
    } else if (month != 1) {
        --month;
        day = 28;
        for (int last : {31, 30, 29}) {
            if (isValidDate(year, month, last)) {
                day = last;
                break;
            }
        }
    } else {
        --year;
        month = 12;
        day = 31;
    }
    m_value = compose(year, month, day);
    return static_cast<std::int16_t>(day);
}

std::string KDateValue::Text() const {
    return TextAs(DateFormat::setting());
}

std::string KDateValue::TextAs(const std::string& format) const {
    if (m_value == 0)
        return {};
    if (format.empty() || format == "Standard") {
        // "%08ld" without printf: a grid of many dates formats them all.
        const bool negative = m_value < 0;
        const std::string digits =
            Numbers::decimal(negative ? -static_cast<std::int64_t>(m_value) : m_value);
        const std::size_t width = negative ? 7 : 8;
        std::string text = negative ? "-" : "";
        if (digits.size() < width)
            text.append(width - digits.size(), '0');
        return text + digits;
    }
    const QDate date = toQDate(Year(), Month(), Day());
    if (!date.isValid())
        return invalidDateText;
    if (format == "System")
        return CodePage::fromQString(QLocale().toString(date, QLocale::ShortFormat));
    std::tm tm{};
    tm.tm_year = Year() - 1900;
    tm.tm_mon = Month() - 1;
    tm.tm_mday = Day();
    tm.tm_wday = date.dayOfWeek() % 7;
    tm.tm_yday = date.dayOfYear() - 1;
    tm.tm_isdst = 0;
    return strftimeC(format, tm);
}

QDateTime KDateValue::ToOleDate() const {
    return QDateTime(toQDate(Year(), Month(), Day()), QTime(12, 0, 0));
}

void KDateValue::Serialize(Archive& ar) {
    if (ar.IsStoring())
        ar.writeInt32(m_value);
    else
        m_value = ar.readInt32();
}
