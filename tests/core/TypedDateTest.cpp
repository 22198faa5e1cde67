#include "core/format/TypedDate.h"
#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

namespace {

// What a person types into a date field, in every date format: the format's own text, and
// three numbers in the format's order with the usual separators.
TEST(TypedDate, ReadsTheFormatsTextAndThreeNumbersInItsOrder) {
    PinnedToday today(20240226);
    PinnedLocale locale("nl_NL");
    struct Case {
        const char* format;
        const char* typed;
        std::int32_t value; // 0: refused
    } const cases[] = {
        {"Standard", "20100403", 20100403},
        {"Standard", "3-4-2010", 20100403},
        {"Standard", "03/04/10", 20100403},
        {"Standard", "2010-04-03", 20100403},
        {"Standard", "3 4 2010", 20100403},
        {"Standard", "20100403abc", 0}, // not taken for its digits
        {"Standard", "2010403", 0},
        {"Standard", "20100231", 0},
        {"Standard", "3-13-2010", 0},
        {"System", "3-4-2010", 20100403},
        {"System", "3.4.10", 20100403},
        {"System", "zomaar", 0},
        {"%d-%m-%Y", "03-04-2010", 20100403},
        {"%d-%m-%Y", "3-4-2010", 20100403},
        {"%d-%m-%Y", "3/4/10", 20100403},
        {"%d-%m-%Y", "31-02-2010", 0},
        {"%m/%d/%Y", "4/3/2010", 20100403}, // the format's order, not the locale's
        {"%Y%m%d", "2010 4 3", 20100403},
        {"%d %B %Y", "03 April 2010", 20100403}, // the format's own text
        {"%d %B %Y", "3-4-2010", 20100403},      // no numeric month: the locale's order
        {"%A", "3-4-2010", 20100403},
        {"Standard", "", 0},
        {"Standard", "   ", 0},
    };
    for (const Case& c : cases) {
        PinnedDateFormat format(c.format);
        const std::optional<KDateValue> read = TypedDate::read(QString::fromUtf8(c.typed));
        EXPECT_EQ(read ? read->value() : 0, c.value) << c.format << " \"" << c.typed << '"';
    }
}

TEST(TypedDate, TheRefusalNamesTheFieldAndShowsTheFormat) {
    PinnedDateFormat format("%d-%m-%Y");
    EXPECT_EQ(TypedDate::refusal(QStringLiteral("Geboortedatum"), QStringLiteral(" 3-13-2010 ")),
              QStringLiteral("Geboortedatum: \"3-13-2010\" is geen datum. Typ bijvoorbeeld "
                             "22-09-2001."));
}

} // namespace
