#include "core/format/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

const double kInf = std::numeric_limits<double>::infinity();

// Reals are read as the C library's atof reads them in the "C" locale: a number too small to
// hold is 0, one too large is infinite.
TEST(Numbers, LeadingRealReadsAsAtof) {
    const std::string tinyFraction = "0." + std::string(400, '0') + "1";
    const std::string hugeWhole = "1" + std::string(400, '0');
    struct Case {
        std::string text;
        double value;
    } const cases[] = {
        {"12.50", 12.5},
        {"  -3.25 euro", -3.25},
        {"+5", 5.0},
        {".5", 0.5},
        {"-.5e1", -5.0},
        {"1e", 1.0},
        {"12,50", 12.0},
        {"", 0.0},
        {"abc", 0.0},
        {"-", 0.0},
        {"1e-400", 0.0},
        {"-1e-400", 0.0},
        {"2e-324", 0.0},
        {"1e-99999999999999999999", 0.0},
        {tinyFraction, 0.0},
        {"1e-310", 1e-310},
        {"4.9e-324", std::numeric_limits<double>::denorm_min()},
        {"0e99999", 0.0},
        {"1e400", kInf},
        {"-1e400", -kInf},
        {"1e+99999999999999999999", kInf},
        {hugeWhole, kInf},
        {tinyFraction + "e800", kInf},
        {tinyFraction + "e300", 1e-101},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Numbers::leadingReal(c.text), c.value) << c.text.substr(0, 40);
}

TEST(Numbers, LeadingLongReadsAsAtolWithinThirtyTwoBits) {
    struct Case {
        const char* text;
        std::int32_t value;
    } const cases[] = {
        {" \t-42xyz", -42},
        {"+7", 7},
        {"abc", 0},
        {"", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999999999999", -2147483647 - 1},
        {"99999999999999999999", 2147483647},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Numbers::leadingLong(c.text), c.value) << c.text;
}

} // namespace
