#include "core/format/AmountText.h"
#include "core/model/KField.h"
#include "tests/support/DocFixture.h"

#include <gtest/gtest.h>

namespace {

KField make(FieldType type) { return KField(2, type, FieldMeaning::Other, "Veld"); }

KField text(const char* t) {
    KField f = make(FieldType::Text);
    f.setText(t);
    return f;
}
KField number(std::int32_t n, FieldType type = FieldType::Number) {
    KField f = make(type);
    f.setNumber(n);
    return f;
}
KField real(double r, FieldType type = FieldType::Amount) {
    KField f = make(type);
    f.setReal(r);
    return f;
}
KField date(std::int32_t d) {
    KField f = make(FieldType::Date);
    f.setDate(KDateValue(d));
    return f;
}

class FieldTest : public DocFixture {
protected:
    FieldTest() : DocFixture({.today = 20240131, .locale = "nl_NL"}) {}
};

} // namespace

TEST_F(FieldTest, MadeWithoutArgumentsOrByType) {
    KField empty;
    EXPECT_EQ(empty.id(), -1);
    EXPECT_EQ(empty.type(), FieldType::None);
    EXPECT_EQ(empty.meaning(), FieldMeaning::Other);
    EXPECT_EQ(empty.date().value(), 20240131);
    EXPECT_EQ(empty.displayText(), "");
    EXPECT_EQ(make(FieldType::Date).date().value(), 20240131);
    EXPECT_EQ(make(FieldType::Boolean).displayText(), "Nee");
    EXPECT_EQ(make(FieldType::Number).displayText(), "0");
}

TEST_F(FieldTest, DisplayTextByType) {
    EXPECT_EQ(text("Jansen").displayText(), "Jansen");
    EXPECT_EQ(date(20010922).displayText(), "20010922");
    EXPECT_EQ(date(0).displayText(), "");
    EXPECT_EQ(number(-42).displayText(), "-42");
    EXPECT_EQ(number(1, FieldType::Boolean).displayText(), "Ja");
    EXPECT_EQ(number(5, FieldType::Boolean).displayText(), "Ja");
    EXPECT_EQ(number(0, FieldType::Boolean).displayText(), "Nee");
    EXPECT_EQ(real(1234.5).displayText(), AmountText(1234.5, 2));
    EXPECT_EQ(real(2.25, FieldType::Quantity).displayText(), QuantityText(2.25));
    KField odd(3, static_cast<FieldType>(9), FieldMeaning::Other, "Vreemd");
    EXPECT_EQ(odd.displayText(), "");
}

TEST_F(FieldTest, SettersOnlyFillTheirOwnType) {
    KField f = make(FieldType::Text);
    f.setNumber(7);
    f.setReal(1.5);
    f.setDate(KDateValue(20000101));
    EXPECT_EQ(f.getNumber(), -1);
    EXPECT_EQ(f.getDate().value(), 0);
    KField b = make(FieldType::Boolean);
    b.setText("Ja");
    EXPECT_EQ(b.text(), "");
    b.setNumber(1);
    EXPECT_EQ(b.getNumber(), 1);
}

TEST_F(FieldTest, TypeChanges) {
    struct Case {
        const char* what;
        KField from;
        FieldType to;
        std::string display;
    };
    const Case cases[] = {
        {"text to date", text("20010922"), FieldType::Date, "20010922"},
        {"text to number", text(" 42abc"), FieldType::Number, "42"},
        {"text without number", text("abc"), FieldType::Number, "0"},
        {"text to amount", text("12.5 euro"), FieldType::Amount, AmountText(12.5, 2)},
        {"text ja", text("ja"), FieldType::Boolean, "Nee"},
        {"text Ja", text("Ja"), FieldType::Boolean, "Ja"},
        {"date to text", date(20240131), FieldType::Text, "20240131"},
        {"date to number", date(20240131), FieldType::Number, "20240131"},
        {"date to boolean", date(20240131), FieldType::Boolean, "Nee"},
        {"number to text", number(-7), FieldType::Text, "-7"},
        {"number to date", number(20240131), FieldType::Date, "20240131"},
        {"number to quantity", number(3), FieldType::Quantity, QuantityText(3.0)},
        {"number to boolean", number(-3), FieldType::Boolean, "Ja"},
        {"amount to text", real(12.5), FieldType::Text, "12.50"},
        {"amount to number", real(12.5), FieldType::Number, "12"},
        {"negative amount to number", real(-0.7), FieldType::Number, "0"},
        {"amount to date", real(12.5), FieldType::Date, "20240131"},
        {"amount to boolean", real(0.001), FieldType::Boolean, "Ja"},
        {"amount to quantity", real(3.25), FieldType::Quantity, QuantityText(3.25)},
        {"boolean to text", number(1, FieldType::Boolean), FieldType::Text, "Ja"},
        {"boolean to number", number(1, FieldType::Boolean), FieldType::Number, "1"},
        {"boolean to amount", number(1, FieldType::Boolean), FieldType::Amount, AmountText(1.0, 2)},
        {"boolean to date", number(0, FieldType::Boolean), FieldType::Date, "20240131"},
        {"to none", text("weg"), FieldType::None, ""},
    };
    for (const Case& c : cases) {
        KField f = c.from;
        f.changeType(c.to);
        EXPECT_EQ(f.type(), c.to) << c.what;
        EXPECT_EQ(f.displayText(), c.display) << c.what;
    }
}

TEST_F(FieldTest, NumberToDateAlsoWritesTheText) {
    KField f = number(20240131);
    f.changeType(FieldType::Date);
    f.changeType(FieldType::None);
    f.changeType(FieldType::Text); // None keeps the slots as they were
    EXPECT_EQ(f.text(), "20240131");
}

TEST_F(FieldTest, HugeAmountsTruncateWithoutOverflow) {
    KField f = real(1e300);
    f.changeType(FieldType::Number);
    EXPECT_EQ(f.number(), 2147483647);
    KField g = text("99999999999999");
    g.changeType(FieldType::Number);
    EXPECT_EQ(g.number(), 2147483647);
}

TEST_F(FieldTest, AlikeIgnoresIdAndValue) {
    KField a = text("een");
    KField b = text("twee");
    b.setId(99);
    EXPECT_TRUE(a.isAlike(b));
    b.setMeaning(FieldMeaning::Name);
    EXPECT_FALSE(a.isAlike(b));
}
