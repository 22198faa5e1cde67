#include "core/format/AmountText.h"

#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct AmountCase {
    const char* locale;
    double value;
    int digits;
    const char* text; // Windows-1252 bytes
};

TEST(AmountText, FollowsTheLocale) {
    const AmountCase cases[] = {
        {"nl_NL", 1234.5, 2,
         "\x80\xa0"
         "1.234,50"},
        {"nl_NL", -1234.5, 2,
         "\x80\xa0"
         "-1.234,50"},
        {"nl_NL", 1234567.891, 2,
         "\x80\xa0"
         "1.234.567,89"},
        {"nl_NL", 0.5, 0,
         "\x80\xa0"
         "1"},
        {"nl_NL", 1.005, 2,
         "\x80\xa0"
         "1,01"},
        {"nl_NL", 2.675, 2,
         "\x80\xa0"
         "2,68"},
        {"nl_NL", 9.999, 2,
         "\x80\xa0"
         "10,00"},
        {"nl_NL", -0.001, 2,
         "\x80\xa0"
         "0,00"},
        {"nl_NL", 12.3456, 3,
         "\x80\xa0"
         "12,346"},
        {"nl_NL", -12.5, -1,
         "\x80\xa0"
         "-12,50"},
        {"de_DE", -1234.5, 2, "-1.234,50\xa0\x80"},
        {"en_US", 1234.5, 2, "$1,234.50"},
        {"en_US", -1234.5, 2, "$-1,234.50"},
        {"en_GB", 7, 2,
         "\xa3"
         "7.00"},
        {"fr_FR", 1234.5, 2,
         "1\xa0"
         "234,50\xa0\x80"},
        {"sv_SE", -1234.5, 2,
         "-1\xa0"
         "234,50\xa0kr"},
    };
    for (const AmountCase& c : cases) {
        PinnedLocale locale(c.locale);
        EXPECT_EQ(AmountText(c.value, c.digits), c.text)
            << c.locale << " " << c.value << " " << c.digits;
    }
}

TEST(AmountText, GivesNothingWhatCannotBeFormatted) {
    PinnedLocale dutch("nl_NL");
    EXPECT_EQ(AmountText(std::numeric_limits<double>::quiet_NaN(), 2), "");
    EXPECT_EQ(AmountText(std::numeric_limits<double>::infinity(), 2), "");
    EXPECT_EQ(AmountText(1.0, 10), "");
    EXPECT_EQ(QuantityText(-std::numeric_limits<double>::infinity()), "");
    const std::string large = AmountText(1e300, 2);
    EXPECT_EQ(large.substr(0, 6), "\x80\xa0"
                                  "1.00");
    EXPECT_EQ(large.substr(large.size() - 3), ",00");
}

TEST(QuantityText, UsesTwoDecimalsAndGrouping) {
    const AmountCase cases[] = {
        {"nl_NL", 1234.5, 0, "1.234,50"},
        {"nl_NL", -0.125, 0, "-0,13"},
        {"nl_NL", 3, 0, "3,00"},
        {"en_US", 1234567.5, 0, "1,234,567.50"},
        {"de_CH", 1234.5, 0,
         "1\x92"
         "234.50"},
    };
    for (const AmountCase& c : cases) {
        PinnedLocale locale(c.locale);
        EXPECT_EQ(QuantityText(c.value), c.text) << c.locale << " " << c.value;
    }
}

} // namespace
