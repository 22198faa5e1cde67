#include "core/member/KChargeEdit.h"
#include "core/member/KFieldInput.h"
#include "core/member/KFinancialLists.h"
#include "core/member/KMemberPages.h"
#include "core/member/KMemberStart.h"
#include "core/member/KPaymentEdit.h"
#include "core/member/SpecialChars.h"
#include "core/model/KMember.h"
#include "platform/Archive.h"
#include "platform/CodePage.h"
#include "tests/support/DocFixture.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Kind = KFieldInput::Kind;

KField field(FieldType type, FieldMeaning meaning = FieldMeaning::Other) {
    return KField(7, type, meaning, "Veld");
}

KCharge charge(std::int32_t schemeId, const char* description,
               std::initializer_list<std::pair<const char*, double>> parts) {
    auto scheme = std::make_unique<KContribution>(schemeId);
    scheme->setDescription(description);
    scheme->setDate(KDateValue(20240101));
    std::int32_t id = 100;
    for (const auto& [name, amount] : parts)
        scheme->AddPart(KContrPart(name, id++, amount));
    return KCharge(std::move(scheme));
}

std::string bytesOf(KMember& member) {
    Archive ar = Archive::forStoring();
    member.Serialize(ar, 11);
    return ar.takeData();
}

class MemberEditTest : public DocFixture {
protected:
};

} // namespace

TEST_F(MemberEditTest, EachFieldGetsTheInputThatSuitsIt) {
    const struct {
        FieldType type;
        FieldMeaning meaning;
        Kind kind;
    } cases[] = {
        {FieldType::Text, FieldMeaning::Name, Kind::Edit},
        {FieldType::Number, FieldMeaning::Other, Kind::Edit},
        {FieldType::Quantity, FieldMeaning::Other, Kind::Edit},
        {FieldType::Amount, FieldMeaning::Other, Kind::Edit},
        {FieldType::Date, FieldMeaning::BirthDate, Kind::Date},
        {FieldType::Boolean, FieldMeaning::Senior, Kind::Check},
        {FieldType::Text, FieldMeaning::MemberType, Kind::MemberType},
        {FieldType::Number, FieldMeaning::MemberType, Kind::MemberType},
        {FieldType::None, FieldMeaning::Other, Kind::LabelOnly},
        {static_cast<FieldType>(42), FieldMeaning::Other, Kind::LabelOnly},
    };
    for (const auto& c : cases) {
        const KField value = field(c.type, c.meaning);
        EXPECT_EQ(KFieldInput::kindOf(&value), c.kind) << static_cast<int>(c.type);
    }
    EXPECT_EQ(KFieldInput::kindOf(nullptr), Kind::Missing);
}

TEST_F(MemberEditTest, EditsReadNumbersAsTypedAndKeepWhatWasNotTouched) {
    KField number = field(FieldType::Number);
    number.setNumber(5);
    EXPECT_EQ(KFieldInput::editText(number), "5");
    KFieldInput::collectEdit(number, "5", "12 leden");
    EXPECT_EQ(number.number(), 12);
    KFieldInput::collectEdit(number, "12", "geen");
    EXPECT_EQ(number.number(), 0);

    KField amount = field(FieldType::Amount);
    amount.setReal(12.345);
    const std::string shown = KFieldInput::editText(amount);
    EXPECT_EQ(shown, "12.35");
    EXPECT_TRUE(KFieldInput::collectEdit(amount, shown, shown).isDone()); // not rounded
    EXPECT_DOUBLE_EQ(amount.real(), 12.345);
    // The Dutch form and the point form alike; no number is refused and changes nothing.
    const struct {
        const char* typed;
        double stored;
    } amounts[] = {{"12,50", 12.5}, {"1.250,00", 1250.0}, {"7.5 euro", 7.5}, {",50", 0.5},
                   {"-10", -10.0}};
    for (const auto& c : amounts) {
        EXPECT_TRUE(KFieldInput::collectEdit(amount, shown, c.typed).isDone()) << c.typed;
        EXPECT_DOUBLE_EQ(amount.real(), c.stored) << c.typed;
    }
    const KResult refused = KFieldInput::collectEdit(amount, shown, "l5");
    EXPECT_TRUE(refused.isFailed());
    EXPECT_TRUE(refused.reason().contains(QStringLiteral("\"l5\" is geen bedrag")));
    EXPECT_DOUBLE_EQ(amount.real(), -10.0);

    KField quantity = field(FieldType::Quantity);
    EXPECT_TRUE(KFieldInput::collectEdit(quantity, "0.00", "1,5").isDone());
    EXPECT_DOUBLE_EQ(quantity.real(), 1.5);
    EXPECT_TRUE(KFieldInput::collectEdit(quantity, "1.50", "").reason().contains(
        QStringLiteral("aantal")));

    KField text = field(FieldType::Text);
    KFieldInput::collectEdit(text, "", "Zoë");
    EXPECT_EQ(text.text(), "Zoë");
}

TEST_F(MemberEditTest, ChecksAndDatesChangeOnlyWhenTheUserChangesThem) {
    KField flag = field(FieldType::Boolean);
    flag.setNumber(2); // shows "Ja"
    EXPECT_TRUE(KFieldInput::checked(flag));
    KFieldInput::collectCheck(flag, true, true);
    EXPECT_EQ(flag.number(), 2);
    KFieldInput::collectCheck(flag, true, false);
    EXPECT_EQ(flag.number(), 0);
    KFieldInput::collectCheck(flag, false, true);
    EXPECT_EQ(flag.number(), 1);

    KField date = field(FieldType::Date);
    date.setDate(KDateValue(0));
    KFieldInput::collectDate(date, false, KDateValue(20000101));
    EXPECT_EQ(date.date().value(), 0);
    KFieldInput::collectDate(date, true, KDateValue(20010922));
    EXPECT_EQ(date.date().value(), 20010922);
    KFieldInput::collectDate(date, true, KDateValue(0)); // cleared
    EXPECT_EQ(date.date().value(), 0);
}

TEST_F(MemberEditTest, MemberTypeListPrefersTheExactTypeAndStoresOnlyAChoice) {
    const std::vector<std::string> types = {"Lid", "Donateur", "Erelid"};
    EXPECT_EQ(KFieldInput::memberTypeIndex(types, "Donateur", false), 1);
    EXPECT_EQ(KFieldInput::memberTypeIndex(types, "don", false), 1);
    EXPECT_EQ(KFieldInput::memberTypeIndex(types, "Bestuur", false), -1);
    EXPECT_EQ(KFieldInput::memberTypeIndex(types, "", true), 0);
    EXPECT_EQ(KFieldInput::memberTypeIndex(types, "", false), -1);
    EXPECT_EQ(KFieldInput::memberTypeIndex({}, "", true), -1);
    // "Senior" is a type of its own, not the start of the one listed before it.
    const std::vector<std::string> seniors = {"Senior recreant", "Senior", "senior"};
    EXPECT_EQ(KFieldInput::memberTypeIndex(seniors, "Senior", false), 1);
    EXPECT_EQ(KFieldInput::memberTypeIndex(seniors, "senior", false), 2);
    EXPECT_EQ(KFieldInput::memberTypeIndex(seniors, "SENIOR", false), 1);
    EXPECT_EQ(KFieldInput::memberTypeIndex(seniors, "sen", false), 0);

    KField type = field(FieldType::Text, FieldMeaning::MemberType);
    type.setText("Bestuur");
    KFieldInput::collectMemberType(type, types, -1, -1);
    EXPECT_EQ(type.text(), "Bestuur");
    KFieldInput::collectMemberType(type, types, -1, 2);
    EXPECT_EQ(type.text(), "Erelid");
    // A list left on the entry it showed for a text it only resembles keeps the text.
    type.setText("ere");
    KFieldInput::collectMemberType(type, types, 2, 2);
    EXPECT_EQ(type.text(), "ere");
    // An empty text takes the entry shown for it, as a new member's list shows the first type.
    type.setText("");
    KFieldInput::collectMemberType(type, types, 0, 0);
    EXPECT_EQ(type.text(), "Lid");
    KField numbered = field(FieldType::Number, FieldMeaning::MemberType);
    numbered.setNumber(3);
    KFieldInput::collectMemberType(numbered, types, -1, 0);
    EXPECT_EQ(numbered.number(), 3);
}

TEST_F(MemberEditTest, PagesFollowTheTabPositionsAndLoseNoTab) {
    KTabList tabs;
    tabs.insert(KTabDef("Adres", 2));
    tabs.insert(KTabDef("Bond", 0));
    tabs.insert(KTabDef("Contact", 5));
    tabs.insert(KTabDef("Diversen", 2));
    std::vector<std::string> names;
    for (const KTabDef* tab : KMemberPages::tabsInPageOrder(tabs))
        names.push_back(tab->name());
    EXPECT_EQ(names, (std::vector<std::string>{"Bond", "Adres", "Diversen", "Contact"}));

    KMember member;
    EXPECT_EQ(KMemberPages::windowTitle(member, true), "Toevoegen nieuw lid");
    KFieldList fields;
    fields.insert(KField(1, FieldType::Text, FieldMeaning::Name, "Naam"));
    KMember named(fields);
    named.setTextByMeaning(FieldMeaning::Name, "Zo\xEB de Wit"); // Windows-1252
    EXPECT_EQ(KMemberPages::windowTitle(named, false), QStringLiteral("Zoë de Wit"));
}

TEST_F(MemberEditTest, FinancialRowsShowAmountsAndTotalsAsShown) {
    KMember member;
    member.addPayment(KPayment(0.004, KDateValue(20240105)));
    member.addPayment(KPayment(0.004, KDateValue(20240106), "kas"));
    member.addCharge(charge(1, "Contributie 2024", {{"Senior", 80.0}, {"Bondsbijdrage", 12.5}}));
    const KFinancialLists lists(member);

    const auto payments = lists.paymentRows();
    ASSERT_EQ(payments.size(), 2u);
    EXPECT_EQ(payments[0], (KFinancialLists::Row{"20240105", "0.00", "", "0"}));
    EXPECT_EQ(payments[1], (KFinancialLists::Row{"20240106", "0.00", "kas", "1"}));
    EXPECT_EQ(KFinancialLists::total(payments), "0.00");
    const auto charges = lists.chargeRows();
    EXPECT_EQ(charges.at(0), (KFinancialLists::Row{"Contributie 2024", "92.50", "", "0"}));
    EXPECT_EQ(KFinancialLists::total(charges), "92.50");

    EXPECT_EQ(KFinancialLists::deleteQuestion(payments[1]),
              QStringLiteral("Weet u zeker dat u\n  20240106\n  0.00\n  kas\n\nwilt verwijderen?"));
    for (const char* text : {"", "x", "-1", "2", "1x"})
        EXPECT_EQ(KFinancialLists::placeOf(text, 2), -1) << text;
    EXPECT_EQ(KFinancialLists::placeOf("1", 2), 1);
}

TEST_F(MemberEditTest, RowsReachTheirRecordsByPlace) {
    KMember member;
    member.addPayment(KPayment(12.345, KDateValue(20240105), "contant"));
    // Two charges made in the same second share their scheme id.
    member.addCharge(charge(1700000000, "", {{"Lidmaatschap", 10.0}}));
    member.addCharge(charge(1700000000, "", {{"Lidmaatschap", 20.0}}));
    KFinancialLists lists(member);

    KPayment paid = *lists.paymentAt(0);
    paid.setRemarks("bank");
    ASSERT_TRUE(lists.replacePayment(0, paid));
    EXPECT_EQ(lists.payments().at(0).remarks(), "bank");
    EXPECT_DOUBLE_EQ(lists.payments().at(0).amount(), 12.345);

    for (int place = 0; place < 2; ++place) {
        KCharge changed = *lists.chargeAt(place);
        changed.setText("rij " + std::to_string(place));
        ASSERT_TRUE(lists.replaceCharge(place, changed));
    }
    EXPECT_EQ(lists.charges().at(0).text(), "rij 0");
    EXPECT_EQ(lists.charges().at(1).text(), "rij 1");
    EXPECT_DOUBLE_EQ(lists.charges().at(1).total(), member.charges().at(1).total());

    EXPECT_TRUE(lists.removePayment(0));
    EXPECT_TRUE(lists.payments().empty());
    EXPECT_TRUE(lists.removeCharge(1));
    EXPECT_FALSE(lists.removeCharge(1));
    EXPECT_EQ(lists.charges().at(0).text(), "rij 0");
}

TEST_F(MemberEditTest, WritingBackKeepsTheOrderAndPutsChangesInPlace) {
    KMember member;
    member.addPayment(KPayment(5.0, KDateValue(20240105), "eerste"));
    member.addPayment(KPayment(5.0, KDateValue(20240105), "tweede")); // an equal one, in front
    member.addPayment(KPayment(7.0, KDateValue(20240301)));
    member.addCharge(charge(3, "A", {{"x", 1.0}}));
    const std::string before = bytesOf(member);

    KFinancialLists lists(member);
    KMember copy = member;
    lists.collectInto(copy);
    EXPECT_EQ(bytesOf(copy), before);

    // A payment moved to another date goes where the list's order puts it.
    KPayment later = *lists.paymentAt(0);
    later.setDate(KDateValue(20240401));
    lists.replacePayment(0, later);
    lists.addPayment(KPayment(1.0, KDateValue(20240101)));
    lists.collectInto(copy);
    std::vector<std::string> order;
    for (const KPayment& p : copy.payments())
        order.push_back(std::to_string(p.date().value()) +
                        (p.remarks().empty() ? "" : " " + p.remarks()));
    EXPECT_EQ(order, (std::vector<std::string>{"20240101", "20240105 eerste", "20240301",
                                               "20240401 tweede"}));
}

TEST_F(MemberEditTest, ChargePartsTakeTheirAmountsByRow) {
    // Two parts of one name, a discount, and one with three decimals.
    KChargeEdit edit(
        charge(9, "Contributie 2024",
               {{"Junior", 40.0}, {"Junior", 25.0}, {"Korting", -5.0}, {"Extra", 1.126}}));
    const auto& rows = edit.partRows();
    ASSERT_EQ(rows.size(), 4u);
    std::vector<std::string> typed;
    for (const auto& row : rows)
        typed.push_back(row.amountText);
    EXPECT_EQ(typed, (std::vector<std::string>{"40.00", "25.00", "1.13", "-5.00"}));
    EXPECT_EQ(KChargeEdit::totalOf(typed), "61.13");

    typed[1] = "30,50"; // the second "Junior", with a decimal comma
    typed[2] = "0";     // "Extra" goes
    typed[3] = "-7,5";  // a discount typed stays
    EXPECT_EQ(KChargeEdit::totalOf(typed), "63.00");
    ASSERT_TRUE(edit.collect("met korting", typed).result.isDone());
    std::vector<std::pair<std::string, double>> parts;
    for (const KContrPart& part : edit.charge().scheme()->parts())
        parts.emplace_back(part.name(), part.amount());
    EXPECT_EQ(parts, (std::vector<std::pair<std::string, double>>{
                         {"Junior", 40.0}, {"Junior", 30.5}, {"Korting", -7.5}}));
    EXPECT_EQ(edit.charge().text(), "met korting");
    EXPECT_EQ(edit.partRows().size(), 3u);

    // An amount that is no number takes nothing, the remarks neither, and names its row.
    const KChargeEdit::Collected refused = edit.collect("anders", {"50", "12,5,0", "-7.50"});
    EXPECT_TRUE(refused.result.isFailed());
    EXPECT_EQ(refused.row, 1);
    EXPECT_TRUE(refused.result.reason().contains(QStringLiteral("12,5,0")));
    EXPECT_DOUBLE_EQ(edit.charge().total(), 63.0);
    EXPECT_EQ(edit.charge().text(), "met korting");
}

TEST_F(MemberEditTest, NewPartsNeedANameAndAnAmount) {
    KChargeEdit edit{KCharge()};
    EXPECT_EQ(edit.description(), "");
    EXPECT_EQ(edit.addPart("", "12"), KChargeEdit::AddResult::NeedName);
    EXPECT_EQ(edit.addPart("Bal", ""), KChargeEdit::AddResult::NeedAmount);
    EXPECT_EQ(edit.addPart("Bal", "2.5 stuks"), KChargeEdit::AddResult::NoAmount);
    EXPECT_EQ(KChargeEdit::message(KChargeEdit::AddResult::NeedName),
              QStringLiteral("Geef een naam voor dit onderdeel op."));
    EXPECT_EQ(KChargeEdit::message(KChargeEdit::AddResult::NeedAmount),
              QStringLiteral("Geef een bedrag voor dit onderdeel op."));
    EXPECT_TRUE(KChargeEdit::message(KChargeEdit::AddResult::NoAmount, "2.5 stuks")
                    .startsWith(QStringLiteral("\"2.5 stuks\" is geen bedrag")));
    EXPECT_TRUE(edit.partRows().empty());

    ASSERT_EQ(edit.addPart("Bal", "2,50"), KChargeEdit::AddResult::Added);
    ASSERT_EQ(edit.addPart("Shirt", "0"), KChargeEdit::AddResult::Added);
    ASSERT_EQ(edit.addPart("Korting", "-1"), KChargeEdit::AddResult::Added);
    EXPECT_EQ(edit.partRows().size(), 3u);
    EXPECT_EQ(edit.partRows()[0].name, "Bal");
    // A part added here with nothing to pay goes at the next collect, as a row typed to 0
    // does; a discount stays.
    edit.collect("", {"2.50", "0.00", "-1.00"});
    ASSERT_EQ(edit.partRows().size(), 2u);
    EXPECT_DOUBLE_EQ(edit.charge().total(), 1.5);
}

TEST_F(MemberEditTest, AnyNumberOfPartsHasItsRows) {
    KCharge many;
    for (int i = 0; i < 25; ++i)
        many.scheme()->AddPart(KContrPart("Deel " + std::to_string(i), i, 1.0 + i));
    KChargeEdit edit(many);
    ASSERT_EQ(edit.partRows().size(), 25u);
    std::vector<std::string> typed;
    for (const auto& row : edit.partRows())
        typed.push_back(row.amountText);
    typed[22] = "100";
    edit.collect("", typed);
    EXPECT_DOUBLE_EQ(edit.charge().scheme()->parts().at(22).amount(), 100.0);
    // Several parts typed to 0 all go, each the one typed.
    typed = {};
    for (const auto& row : edit.partRows())
        typed.push_back(row.amountText);
    std::set<std::string> zeroed;
    for (std::size_t i : {3u, 5u, 24u}) {
        typed[i] = "0";
        zeroed.insert(edit.partRows()[i].name);
    }
    edit.collect("", typed);
    ASSERT_EQ(edit.partRows().size(), 22u);
    for (const auto& row : edit.partRows())
        EXPECT_EQ(zeroed.count(row.name), 0u) << row.name;
}

TEST_F(MemberEditTest, PaymentsKeepAnAmountLeftAsShownAndReadTheDutchForm) {
    const KPaymentEdit edit(KPayment(12.345, KDateValue(20240105), "kas"));
    EXPECT_EQ(edit.amountText(), "12.35");
    const KPayment same = edit.collect(KDateValue(20240105), "12.35", "kas").payment;
    EXPECT_DOUBLE_EQ(same.amount(), 12.345);
    const KPayment changed = edit.collect(KDateValue(20240210), "\x80 1.250,50", "bank").payment;
    EXPECT_DOUBLE_EQ(changed.amount(), 1250.5);
    EXPECT_EQ(changed.date().value(), 20240210);
    EXPECT_EQ(changed.remarks(), "bank");
    // No number: refused, never booked as 0.
    const KPaymentEdit::Collected refused = edit.collect(KDateValue(20240210), "abc", "bank");
    EXPECT_TRUE(refused.result.isFailed());
    EXPECT_DOUBLE_EQ(refused.payment.amount(), 12.345);
    EXPECT_EQ(KPayment().date().value(), 20240301); // a new payment is dated today
}

TEST_F(MemberEditTest, ANewMemberIsBornOnNoDayAndRegisteredOnTheDayOfAdding) {
    KFieldList fields;
    fields.insert(KField(1, FieldType::Date, FieldMeaning::BirthDate, "Geboortedatum"));
    fields.insert(KField(2, FieldType::Date, FieldMeaning::RegistrationDate, "Inschrijfdatum"));
    fields.insert(KField(3, FieldType::Date, FieldMeaning::Other, "Diploma"));
    fields.insert(KField(4, FieldType::Text, FieldMeaning::MemberType, "Soort lid"));
    fields.insert(KField(5, FieldType::Text, FieldMeaning::Name, "Naam"));
    // The fields' defaults: the day they were made.
    for (const KField& f : fields) {
        if (f.type() == FieldType::Date) {
            EXPECT_EQ(f.date().value(), 20240301);
        }
    }

    const KMember fresh =
        KMemberStart::newMember(fields, {"Lid", "Donateur"}, KDateValue(20240415));
    EXPECT_EQ(fresh.dateByMeaning(FieldMeaning::BirthDate).value(), 0);
    EXPECT_EQ(fresh.dateByMeaning(FieldMeaning::RegistrationDate).value(), 20240415);
    EXPECT_EQ(fresh.valueById(3)->date().value(), 0);
    EXPECT_EQ(fresh.textByMeaning(FieldMeaning::MemberType), "Lid");

    // A member without values is edited with every field, dates empty, charges kept.
    KMember bare;
    bare.setId(77);
    bare.addPayment(KPayment(5.0, KDateValue(20240101)));
    const KMember filled = KMemberStart::forEditing(bare, fields);
    EXPECT_EQ(filled.values().size(), fields.size());
    EXPECT_EQ(filled.dateByMeaning(FieldMeaning::RegistrationDate).value(), 0);
    EXPECT_EQ(filled.textByMeaning(FieldMeaning::MemberType), "");
    EXPECT_EQ(filled.payments().size(), 1u);
    EXPECT_TRUE(KMemberStart::sameContents(KMemberStart::forEditing(fresh, fields), fresh));

    KMember other = fresh;
    other.setId(12);
    EXPECT_TRUE(KMemberStart::sameContents(fresh, other)); // ids do not count
    other.addPayment(KPayment(1.0, KDateValue(20240101)));
    EXPECT_FALSE(KMemberStart::sameContents(fresh, other));
    other = fresh;
    other.valueById(5)->setText("Anna");
    EXPECT_FALSE(KMemberStart::sameContents(fresh, other));
}

TEST(SpecialCharsTest, TheEuroSignAndTheUpperHalfWithoutItsControls) {
    const auto codes = SpecialChars::codes();
    const std::set<int> distinct(codes.begin(), codes.end());
    EXPECT_EQ(distinct.size(), 96u);
    EXPECT_EQ(codes.front(), 128);
    EXPECT_EQ(*distinct.upper_bound(128), 161);
    EXPECT_EQ(codes.back(), 255);
    EXPECT_EQ(CodePage::toQString(std::string(1, static_cast<char>(codes.front()))),
              QStringLiteral("€"));
}
