#include "core/format/KDateTextIndex.h"

#include "core/format/KDateValue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// The search as it reads: two cursors from today, ten days forward, ten days back, 4000 times.
std::int32_t searchByWalking(const std::string& format, std::int32_t today,
                             const std::string& text) {
    KDateValue forward(today);
    KDateValue backward(today);
    for (int pass = 0; pass < 4000; ++pass) {
        for (int i = 0; i < 10; ++i) {
            if (forward.TextAs(format) == text)
                return forward.value();
            forward.nextDay();
        }
        for (int i = 0; i < 10; ++i) {
            if (backward.TextAs(format) == text)
                return backward.value();
            backward.prevDay();
        }
    }
    return 0;
}

std::int32_t daysFrom(std::int32_t date, int days) {
    KDateValue value(date);
    for (; days > 0; --days)
        value.nextDay();
    for (; days < 0; ++days)
        value.prevDay();
    return value.value();
}

// Texts of dates spread over the whole search range and just beyond it, plus texts no date gives.
std::vector<std::string> probesFor(const std::string& format, std::int32_t today) {
    std::vector<std::string> probes;
    for (int offset : {0, 1, 9, 10, -1, -9, -10, -11, 45, -45, 364, 366, -366, 39999, -39999, 40000,
                       -40000, 40100, -40100})
        probes.push_back(KDateValue(daysFrom(today, offset)).TextAs(format));
    for (int offset = -40000; offset <= 40000; offset += 7919)
        probes.push_back(KDateValue(daysFrom(today, offset)).TextAs(format));
    for (const char* other : {"", "31-02-2001", "nothing", "29-02-2023"})
        probes.push_back(other);
    probes.push_back(probes.front() + " ");
    return probes;
}

class DateTextIndexAgainstWalking : public ::testing::TestWithParam<const char*> {};

TEST_P(DateTextIndexAgainstWalking, GivesTheFirstDateInSearchOrder) {
    const std::string format = GetParam();
    for (std::int32_t today : {20240226, 20231231}) {
        const KDateTextIndex index(format, today);
        for (const std::string& probe : probesFor(format, today))
            EXPECT_EQ(index.find(probe), searchByWalking(format, today, probe))
                << "format \"" << format << "\" today " << today << " text \"" << probe << "\"";
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, DateTextIndexAgainstWalking,
                         ::testing::Values("%d-%m-%Y", "%d-%m", "%a %d", "%j", "%m/%y", "%Y",
                                           "%U-%w", "%b", "day", "%e %b %Y"));

TEST(KDateTextIndex, StaysExactWhenTextsOutgrowItsBudget) {
    const std::string format(60, '.');
    const std::string longFormat = format + "%d-%m-%Y";
    const std::int32_t today = 20240226;
    const KDateTextIndex index(longFormat, today);
    EXPECT_EQ(index.distinctTexts(), 80000u - 1); // today is met by both cursors
    EXPECT_LT(index.memoryBytes(), 6u * 1024 * 1024);
    for (int offset : {3, -5, 30000, -38000}) {
        const std::int32_t date = daysFrom(today, offset);
        EXPECT_EQ(index.find(KDateValue(date).TextAs(longFormat)), date) << offset;
    }
    EXPECT_EQ(index.find(format + "31-02-2001"), 0);
}

TEST(KDateTextIndex, KeepsOneEntryPerDistinctText) {
    EXPECT_EQ(KDateTextIndex("%d-%m", 20240226).distinctTexts(), 366u);
    EXPECT_EQ(KDateTextIndex("%m", 20240226).distinctTexts(), 12u);
    EXPECT_LT(KDateTextIndex("%d-%m-%Y", 20240226).memoryBytes(), 4u * 1024 * 1024);
}

} // namespace
