#include "core/format/KDateValue.h"

#include "core/settings/DateFormatSetting.h"
#include "platform/Archive.h"
#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <string>

namespace {

struct TextCase {
    const char* format;
    std::int32_t value;
    const char* text;
};

TEST(KDateValue, ComponentsAndConstructionWithoutCheck) {
    const KDateValue date(2001, 2, 31);
    EXPECT_EQ(date.value(), 20010231);
    EXPECT_EQ(date.Year(), 2001);
    EXPECT_EQ(date.Month(), 2);
    EXPECT_EQ(date.Day(), 31);
    const KDateValue unreadable(-10101);
    EXPECT_EQ(unreadable.Year(), -1);
    EXPECT_EQ(unreadable.Month(), -1);
    EXPECT_EQ(unreadable.Day(), -1);
    EXPECT_TRUE(KDateValue(0) < KDateValue(10101));
    EXPECT_TRUE(KDateValue(20010922) != KDateValue(20010923));
}

TEST(KDateValue, TodayComesFromTheClock) {
    PinnedToday today(20240229);
    EXPECT_EQ(KDateValue().value(), 20240229);
    PinnedToday summer(20230701); // noon in summer time is still that day
    EXPECT_EQ(KDateValue().value(), 20230701);
}

TEST(KDateValue, TextInEachFormat) {
    PinnedLocale dutch("nl_NL");
    const TextCase cases[] = {
        {"Standard", 20010922, "20010922"},
        {"Standard", 0, ""},
        {"Standard", 1, "00000001"},
        {"Standard", -10101, "-0010101"},
        {"Standard", 20010231, "20010231"},
        {"", 20010922, "20010922"},
        {"%d-%m-%Y", 20010922, "22-09-2001"},
        {"%d-%m-%Y", 0, ""},
        {"%d-%m-%Y", 20010231, "Invalid DateTime"},
        {"%d-%m-%Y", -10101, "Invalid DateTime"},
        {"%A %d %B %Y, day %j", 20010922, "Saturday 22 September 2001, day 265"},
        {"%a %U %w %H:%M:%S", 20240101, "Mon 00 1 00:00:00"},
        {"standard", 20010922, "standard"},
        {"System", 20010922, "22-09-2001"},
        {"System", 20010231, "Invalid DateTime"},
        {"System", -10101, "Invalid DateTime"},
    };
    for (const TextCase& c : cases) {
        PinnedDateFormat format(c.format);
        EXPECT_EQ(KDateValue(c.value).Text(), c.text) << c.format << " " << c.value;
    }
}

TEST(KDateValue, CustomNamesStayInTheCLocale) {
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "nl_NL.UTF-8") && !std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no other C library locale installed";
    const std::string text = KDateValue(20010922).TextAs("%A %B");
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_EQ(text, "Saturday September");
}

TEST(KDateValue, LongCustomTextsAreWholeOrNotShown) {
    std::string format;
    for (int i = 0; i < 100; ++i)
        format += "%d-%m-%Y ";
    const std::string text = KDateValue(20010922).TextAs(format);
    EXPECT_EQ(text.size(), 1100u);
    EXPECT_EQ(text.substr(1089), "22-09-2001 ");

    std::string huge;
    for (int i = 0; i < 5000; ++i)
        huge += "%A %B ";
    EXPECT_EQ(KDateValue(20010922).TextAs(huge), "");
    EXPECT_EQ(KDateValue(20010922).TextAs("%p"), "AM");
}

TEST(KDateValue, ReadsStandardAndRawAsANumber) {
    struct Case {
        const char* text;
        std::int32_t value;
    } const cases[] = {
        {"20010922", 20010922},
        {"", 0},
        {"  \t-42xyz", -42},
        {"+7", 7},
        {"abc", 0},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
        {"2001-09-22", 2001},
    };
    {
        PinnedDateFormat format("Standard");
        for (const Case& c : cases)
            EXPECT_EQ(KDateValue(c.text, 0).value(), c.value) << c.text;
    }
    PinnedDateFormat format("%d-%m-%Y");
    for (const Case& c : cases)
        EXPECT_EQ(KDateValue(c.text, 1).value(), c.value) << c.text;
    EXPECT_EQ(KDateValue(nullptr, 1).value(), 0);
}

TEST(KDateValue, ReadsSystemTexts) {
    PinnedDateFormat format("System");
    {
        PinnedLocale dutch("nl_NL");
        EXPECT_EQ(KDateValue("22-09-2001", 0).value(), 20010922);
        EXPECT_EQ(KDateValue(" 22-09-2001 ", 0).value(), 20010922);
        EXPECT_EQ(KDateValue("zaterdag 22 september 2001", 0).value(), 20010922); // the long form
        const KDateValue unreadable("morgen", 0);
        EXPECT_EQ(unreadable.value(), -10101);
        EXPECT_EQ(unreadable.Text(), "Invalid DateTime");
        EXPECT_EQ(KDateValue("31-02-2001", 0).value(), -10101);
        EXPECT_EQ(KDateValue(KDateValue(19991231).Text().c_str(), 0).value(), 19991231);
    }
    PinnedLocale german("de_DE"); // short dates with a two-digit year
    EXPECT_EQ(KDateValue("22.09.01", 0).value(), 20010922);
    EXPECT_EQ(KDateValue("22.09.75", 0).value(), 19750922);
    EXPECT_EQ(KDateValue("22.09.1931", 0).value(), 19310922);
    EXPECT_EQ(KDateValue(KDateValue(20290101).Text().c_str(), 0).value(), 20290101);
}

// "System" reads dates as people type them: the locale's order of day, month and year, with or
// without leading zeros, two- or four-digit years and any of the usual separators.
TEST(KDateValue, ReadsSystemTextsAsTyped) {
    PinnedDateFormat format("System");
    struct Case {
        const char* locale;
        const char* text;
        std::int32_t value;
    } const cases[] = {
        {"nl_NL", "22-9-2001", 20010922},
        {"nl_NL", "2-9-2001", 20010902},
        {"nl_NL", "02-09-2001", 20010902},
        {"nl_NL", "22-09-01", 20010922},
        {"nl_NL", "2001-09-22", 20010922},
        {"nl_NL", "2001-9-2", 20010902},
        {"nl_NL", "22/9/2001", 20010922},
        {"nl_NL", "22.9.2001", 20010922},
        {"nl_NL", "22 9 2001", 20010922},
        {"nl_NL", "22 - 9 - 2001", 20010922},
        {"nl_NL", "1-1-00", 20000101},
        {"nl_NL", "31-12-29", 20291231},
        {"nl_NL", "1-1-30", 19300101},
        {"nl_NL", "31-12-99", 19991231},
        {"nl_NL", "29-2-2000", 20000229},
        {"nl_NL", "29-2-2001", -10101},
        {"nl_NL", "22-13-2001", -10101},
        {"nl_NL", "0-9-2001", -10101},
        {"nl_NL", "22-9-201", -10101},
        {"nl_NL", "22-9-02001", -10101},
        {"nl_NL", "22-9-2001-5", -10101},
        {"nl_NL", "22--9-2001", -10101},
        {"nl_NL", "22-9-2001x", -10101},
        {"nl_NL", "-22-9-2001", -10101},
        {"de_DE", "22.9.01", 20010922},
        {"de_DE", "22.09.2001", 20010922},
        {"de_DE", "2.9.2001", 20010902},
        {"de_DE", "22. 9. 2001", 20010922},
        {"de_DE", "22-9-01", 20010922},
        {"de_DE", "2001-09-22", 20010922},
        {"en_US", "9/22/01", 20010922},
        {"en_US", "09/22/2001", 20010922},
        {"en_US", "9/2/2001", 20010902},
        {"en_US", "9-22-2001", 20010922},
        {"en_US", "2001-09-22", 20010922},
        {"en_US", "22/9/2001", -10101},
    };
    for (const Case& c : cases) {
        PinnedLocale locale(c.locale);
        EXPECT_EQ(KDateValue(c.text, 0).value(), c.value) << c.locale << " \"" << c.text << '"';
    }
    // Whatever the locale, its own short dates read back as the dates they show.
    for (const char* name : {"nl_NL", "de_DE", "en_US", "hu_HU", "ja_JP", "nl_BE"}) {
        PinnedLocale locale(name);
        for (std::int32_t value : {20010902, 19991231, 20291231, 19300101})
            EXPECT_EQ(KDateValue(KDateValue(value).Text().c_str(), 0).value(), value)
                << name << " " << KDateValue(value).Text();
    }
}

TEST(KDateValue, ReadsCustomTextsBySearch) {
    PinnedToday today(20240226);
    {
        PinnedDateFormat format("%d-%m-%Y");
        EXPECT_EQ(KDateValue("22-09-2001", 0).value(), 20010922);
        EXPECT_EQ(KDateValue("31-02-2001", 0).value(), 0);
        EXPECT_EQ(KDateValue("22-09-2001 ", 0).value(), 0);
        EXPECT_EQ(KDateValue("", 0).value(), 0);
        EXPECT_EQ(KDateValue("01-01-1900", 0).value(), 0); // beyond the search range
        EXPECT_EQ(KDateValue("01-01-1920", 0).value(), 19200101);
    }
    {
        PinnedDateFormat format("%d-%m");
        EXPECT_EQ(KDateValue("26-02", 0).value(), 20240226);
        EXPECT_EQ(KDateValue("29-02", 0).value(), 20240229); // next days win over last year
        EXPECT_EQ(KDateValue("20-02", 0).value(), 20240220);
        EXPECT_EQ(KDateValue("10-03", 0).value(), 20240310);
        EXPECT_EQ(KDateValue("01-06", 0).value(), 20240601); // ahead by 96 days, back by 269
        EXPECT_EQ(KDateValue("01-12", 0).value(), 20231201);
    }
    PinnedToday later(20240301); // a new day builds a new index
    PinnedDateFormat format("%d-%m");
    EXPECT_EQ(KDateValue("29-02", 0).value(), 20240229);
    EXPECT_EQ(KDateValue("01-03", 0).value(), 20240301);
}

TEST(KDateValue, StepsThroughTheCalendar) {
    struct Case {
        std::int32_t from;
        std::int32_t next;
        std::int32_t prev;
    } const cases[] = {
        {20010228, 20010301, 20010227}, {20001231, 20010101, 20001230},
        {20000301, 20000302, 20000229}, {20010101, 20010102, 20001231},
        {20040228, 20040229, 20040227}, {19000301, 19000302, 19000228},
        {20010501, 20010502, 20010430}, {20011001, 20011002, 20010930},
        {20010231, 20010301, 20010131}, {20010015, 20010101, 20009928},
    };
    for (const Case& c : cases) {
        KDateValue next(c.from);
        EXPECT_EQ(next.nextDay(), c.next % 100) << c.from;
        EXPECT_EQ(next.value(), c.next) << c.from;
        KDateValue prev(c.from);
        EXPECT_EQ(prev.prevDay(), c.prev % 100) << c.from;
        EXPECT_EQ(prev.value(), c.prev) << c.from;
    }
}

TEST(KDateValue, OleDateIsNoonOfTheDay) {
    const QDateTime ole = KDateValue(20010922).ToOleDate();
    EXPECT_EQ(ole.date(), QDate(2001, 9, 22));
    EXPECT_EQ(ole.time(), QTime(12, 0, 0));
    EXPECT_FALSE(KDateValue(20010231).ToOleDate().isValid());
}

TEST(KDateValue, SerializesTheNumber) {
    Archive out = Archive::forStoring();
    KDateValue(20010922).Serialize(out);
    KDateValue(-10101).Serialize(out);
    EXPECT_EQ(out.data(), std::string("\xaa\x57\x31\x01\x8b\xd8\xff\xff", 8));

    Archive in = Archive::forLoading(out.data());
    KDateValue first(0), second(0), third(0);
    first.Serialize(in);
    second.Serialize(in);
    EXPECT_EQ(first.value(), 20010922);
    EXPECT_EQ(second.value(), -10101);
    EXPECT_THROW(third.Serialize(in), ArchiveException);
}

TEST(DateFormat, LoadsTheSettingFromTheProfile) {
    TempProfile profile;
    PinnedDateFormat keep("System");
    LoadDateFormat();
    EXPECT_EQ(DateFormat::setting(), "Standard");
    Profile::writeString(QStringLiteral("Settings"), QStringLiteral("DateFormat"),
                         QStringLiteral("%d %B %Y \u20ac"));
    LoadDateFormat();
    EXPECT_EQ(DateFormat::setting(), "%d %B %Y \x80");
}

} // namespace
