#include "core/format/TypedNumber.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// What a person types for an amount, in the Dutch form and the point form.
TEST(TypedNumber, ReadsDutchAndPointForms) {
    struct Case {
        const char* typed;
        double value;
    } const cases[] = {
        {"12,50", 12.5},       {"12.50", 12.5},         {"1.234,50", 1234.5},
        {"1234,5", 1234.5},    {"\x80 12,50", 12.5},    {"-10", -10},
        {"  7 ", 7},           {",50", 0.5},            {".5", 0.5},
        {"1.250,00", 1250},    {"1,234.50", 1234.5},    {"1.234.567", 1234567},
        {"1.234.567,89", 1234567.89},                   {"12,50 \x80", 12.5},
        {"\x80 -12,50", -12.5}, {"-\x80 12,50", -12.5}, {"+3", 3},
        {"EUR 5", 5},          {"0.125", 0.125},        {"1,250", 1.25},
        {"\xA0" "12,50\xA0", 12.5},                     {"12,", 12},
        {"999999999999,99", 999999999999.99},
    };
    for (const Case& c : cases) {
        const std::optional<double> value = TypedNumber::read(std::string_view(c.typed));
        ASSERT_TRUE(value.has_value()) << c.typed;
        EXPECT_DOUBLE_EQ(*value, c.value) << c.typed;
    }
}

// A text that is no number is refused, never read as 0 or cut at the first odd character.
TEST(TypedNumber, RefusesWhatIsNoNumber) {
    for (const char* typed : {"l5", "12,5,0", "nan", "inf", "1e999", "1e3", "", "   ", "-",
                              "\x80", "12a", "1.2.3", "1.234,5,6", "1,2.34", "12,50,00.1",
                              "1.250", "--5", "5-", "1 234", "1000000000000", "0x10", ",",
                              "12.34.56,7.8"})
        EXPECT_FALSE(TypedNumber::read(std::string_view(typed)).has_value()) << typed;
}

// Texts from controls: the euro sign, the minus sign and narrow spaces of locales read; a
// character the code page lacks does not slip through as a question mark.
TEST(TypedNumber, ReadsTextsOfControls) {
    EXPECT_EQ(TypedNumber::read(QStringLiteral("€ 1.234,50")), 1234.5);
    EXPECT_EQ(TypedNumber::read(QString::fromUtf8("\u2212" "7,25")), -7.25);
    EXPECT_EQ(TypedNumber::read(QString::fromUtf8("\u20AC\u202F" "3")), 3.0);
    EXPECT_FALSE(TypedNumber::read(QString::fromUtf8("1\u0661")).has_value());
    EXPECT_TRUE(TypedNumber::refusal(QStringLiteral(" l5 ")).contains(QStringLiteral("\"l5\"")));
    EXPECT_NE(TypedNumber::refusal({}, TypedNumber::Kind::Quantity),
              TypedNumber::refusal({}, TypedNumber::Kind::Amount));
}

// Characters the code page lacks become their nearest letter, and the caller learns which.
TEST(CodePageNearest, ReplacesByNearestLetter) {
    struct Case {
        const char* utf8;
        const char* cp1252;
        const char* replaced;
    } const cases[] = {
        {"Ömer Yılmaz", "\xD6mer Yilmaz", "ı"},
        {"Łukasz Wałęsa", "Lukasz Walesa", "Łłę"},
        {"Şahin Ağaoğlu", "Sahin Agaoglu", "Şğ"},
        {"Zoë — é", "Zo\xEB \x97 \xE9", ""},
        {"a\u2010b\u2212c", "a-b-c", "\u2010\u2212"},
        {"ﬁets", "fiets", "ﬁ"},
        {"Иван", "????", "Иван"},
        {"日本", "??", "日本"},
        {"ı ı", "i i", "ı"},
    };
    for (const Case& c : cases) {
        QString replaced;
        const std::string bytes = CodePage::fromQStringNearest(QString::fromUtf8(c.utf8), &replaced);
        EXPECT_EQ(bytes, c.cp1252) << c.utf8;
        EXPECT_EQ(replaced, QString::fromUtf8(c.replaced)) << c.utf8;
    }
    QString none;
    EXPECT_EQ(CodePage::toNearest(QStringLiteral("Gewoon"), &none), QStringLiteral("Gewoon"));
    EXPECT_TRUE(none.isEmpty());
}

} // namespace
