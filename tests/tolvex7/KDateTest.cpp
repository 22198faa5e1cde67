#include "tolvex7/KDate.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

std::string text(const KDate& date) {
    return date.String();
}

KDate fromText(const char* yyyymmdd) {
    return KDate(yyyymmdd);
}

TEST(KDate, NumericConstructorChecksRangeOnly) {
    struct Case {
        short year, month, day;
        const char* expected;
    };
    const Case cases[] = {
        {2001, 9, 22, "20010922"}, {1990, 1, 1, "19900101"},  {2117, 12, 31, "21171231"},
        {2001, 2, 31, "20010231"}, {2118, 1, 1, "19900101"},  {1989, 12, 31, "19900000"},
        {2001, 13, 1, "19900000"}, {2001, 1, 0, "19900000"},  {2001, 1, 32, "19900000"},
        {2001, -1, 5, "19900000"}, {2001, 5, -3, "19900000"}, {-2001, 5, 3, "19900000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(text(KDate(c.year, c.month, c.day)), c.expected);
    }
    const KDate date(2001, 9, 22);
    EXPECT_EQ(date.Year(), 2001);
    EXPECT_EQ(date.Month(), 9);
    EXPECT_EQ(date.Day(), 22);
}

TEST(KDate, TextConstructorReadsFieldsAndNormalises) {
    struct Case {
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        {"20010922", "20010922"},    {"20010231", "20010303"},
        {"20000230", "20000301"},    {"2001092", "20010902"},
        {"20010922xyz", "20010922"}, {"2001 9 1", "20010901"},
        {"2001-1-5", "19900000"},    {"", "19900000"},
        {"abcdefgh", "19900000"},    {"20011301", "19900000"},
        {"20010100", "19900000"},    {"1989123", "19900000"},
        {nullptr, "19900000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input ? c.input : "(null)");
        EXPECT_EQ(text(fromText(c.input)), c.expected);
    }
}

TEST(KDate, StepsFollowTheCalendar) {
    struct Case {
        const char* from;
        void (*step)(KDate&);
        const char* expected;
    };
    auto next = [](KDate& d) { d.nextDay(); };
    auto prev = [](KDate& d) { d.prevDay(); };
    auto month = [](KDate& d) { d.nextMonth(); };
    const Case cases[] = {
        {"20010228", next, "20010301"},  {"20011231", next, "20020101"},
        {"20000228", next, "20000229"},  {"20010325", next, "20010326"},
        {"20011028", next, "20011029"},  {"21171231", next, "19900101"},
        {"20000301", prev, "20000229"},  {"19900102", prev, "19900101"},
        {"20010101", prev, "20001231"},  {"20010131", month, "20010303"},
        {"20040131", month, "20040302"}, {"20011215", month, "20020115"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        KDate date = fromText(c.from);
        c.step(date);
        EXPECT_EQ(text(date), c.expected);
    }
    KDate feb31(2001, 2, 31);
    feb31.nextDay();
    EXPECT_EQ(text(feb31), "20010304");
}

TEST(KDate, EarliestAndEmptyDatesDoNotStep) {
    KDate first(1990, 1, 1);
    EXPECT_EQ(first.prevDay(), 1);
    EXPECT_EQ(text(first), "19900101");
    KDate second(1990, 1, 2);
    EXPECT_EQ(second.prevDay(), 0);

    KDate empty(2001, 13, 1);
    empty.nextDay();
    EXPECT_EQ(text(empty), "19900000");
    EXPECT_EQ(empty.prevDay(), 1);
    EXPECT_EQ(text(empty), "19900000");
    empty.nextMonth();
    EXPECT_EQ(text(empty), "19900000");
}

TEST(KDate, Ordering) {
    const KDate a(2001, 12, 31), b(2002, 1, 1), c(2002, 2, 1), d(2002, 2, 2);
    EXPECT_EQ(a.Compare(b), -1);
    EXPECT_EQ(b.Compare(a), 1);
    EXPECT_EQ(a.Compare(a), 0);
    EXPECT_TRUE(b < c && c < d && !(d < c));
    EXPECT_EQ(a == KDate(&a), 1);
    EXPECT_EQ(a != b, 1);
    EXPECT_EQ(a != a, 0);
}

TEST(KDate, TimeValuesAtNoonRoundTrip) {
    const KDate date(2004, 2, 29);
    const auto time = static_cast<std::time_t>(date.maketime());
    std::tm local{};
    ASSERT_NE(localtime_r(&time, &local), nullptr);
    EXPECT_EQ(local.tm_hour, 12);
    EXPECT_EQ(local.tm_min, 0);
    EXPECT_EQ(text(KDate(date.maketime())), "20040229");

    const std::time_t now = std::time(nullptr);
    ASSERT_NE(localtime_r(&now, &local), nullptr);
    const KDate today;
    if (local.tm_mday == today.Day()) { // not across midnight
        EXPECT_EQ(text(today), text(KDate(static_cast<long>(now))));
    }
}

TEST(KDate, StringSharesOneBuffer) {
    const KDate a(2001, 9, 22), b(2002, 1, 1);
    const char* first = a.String();
    const char* second = b.String();
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "20020101");
}

} // namespace
