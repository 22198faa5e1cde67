#include "core/model/KMember.h"
#include "core/model/KSnapshotPair.h"
#include "core/model/KTabDef.h"
#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

#include <random>

namespace {

KField textField(std::int32_t id, const char* label, FieldMeaning meaning, const char* text) {
    KField f(id, FieldType::Text, meaning, label);
    f.setText(text);
    return f;
}

std::vector<std::int32_t> idsOf(const KFieldList& list) {
    std::vector<std::int32_t> ids;
    for (const KField& f : list)
        ids.push_back(f.id());
    return ids;
}

KCharge chargeOf(std::int32_t schemeId, std::int32_t date, double amount) {
    auto scheme = std::make_unique<KContribution>(schemeId);
    scheme->setDate(KDateValue(date));
    scheme->AddPart(KContrPart("Contributie", 1, amount));
    return KCharge(std::move(scheme));
}

} // namespace

TEST(SortedList, NewElementGoesInFrontOfItsEquals) {
    KFieldList list;
    list.insert(KField(1, FieldType::Text, FieldMeaning::Other, "B"));
    list.insert(KField(2, FieldType::Text, FieldMeaning::Name, "A"));
    list.insert(KField(3, FieldType::Text, FieldMeaning::Other, "A"));   // same label and type
    list.insert(KField(4, FieldType::Text, FieldMeaning::Other, "A"));   // fully equal to 3
    list.insert(KField(5, FieldType::Boolean, FieldMeaning::Other, "A")); // type after Text
    EXPECT_EQ(idsOf(list), (std::vector<std::int32_t>{4, 3, 2, 5, 1}));
}

TEST(SortedList, ChangedKeyDoesNotMove) {
    KFieldList list;
    list.insert(KField(1, FieldType::Text, FieldMeaning::Other, "A"));
    list.insert(KField(2, FieldType::Text, FieldMeaning::Other, "M"));
    list.at(0).setLabel("Z");
    list.insert(KField(3, FieldType::Text, FieldMeaning::Other, "N"));
    // The walk stops at the first element that does not come before the new one: "Z".
    EXPECT_EQ(idsOf(list), (std::vector<std::int32_t>{3, 1, 2}));
}

TEST(SortedList, BulkFillEqualsOneByOneInsertion) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::unique_ptr<KField>> bulk;
        KFieldList oneByOne;
        for (int i = 0; i < 200; ++i) {
            std::string label(1, static_cast<char>('a' + random() % 5));
            auto type = static_cast<FieldType>(random() % 3);
            KField f(i, type, FieldMeaning::Other, label);
            oneByOne.insert(f);
            bulk.push_back(std::make_unique<KField>(f));
        }
        KFieldList sorted;
        sorted.insertAll(std::move(bulk));
        ASSERT_EQ(idsOf(sorted), idsOf(oneByOne));
    }
}

TEST(SortedList, RemoveItemTakesThatVeryElement) {
    // Two equal elements: the one asked for goes, not the first equal one.
    KFieldList list;
    list.insert(KField(1, FieldType::Text, FieldMeaning::Other, "A"));
    list.insert(KField(2, FieldType::Text, FieldMeaning::Other, "A"));
    EXPECT_TRUE(list.removeItem(&list.at(1)));
    EXPECT_EQ(idsOf(list), (std::vector<std::int32_t>{2}));
    const KField elsewhere(2, FieldType::Text, FieldMeaning::Other, "A");
    EXPECT_FALSE(list.removeItem(&elsewhere));
    EXPECT_EQ(list.size(), 1u);
}

TEST(Member, ListOrdersByNameCaseSensitively) {
    PinnedToday today(20240105);
    KFieldList fields;
    fields.insert(KField(2, FieldType::Text, FieldMeaning::Name, "Naam"));
    KMemberList members;
    for (const char* name : {"de Boer", "Zwart", "Aalders"}) {
        auto m = std::make_unique<KMember>(fields);
        m->setTextByMeaning(FieldMeaning::Name, name);
        members.insert(std::move(m));
    }
    std::vector<std::string> names;
    for (const KMember& m : members)
        names.push_back(m.name());
    EXPECT_EQ(names, (std::vector<std::string>{"Aalders", "Zwart", "de Boer"}));
}

TEST(Member, LookupsOfAMissingMeaningAreEmpty) {
    KFieldList fields;
    fields.insert(textField(2, "Naam", FieldMeaning::Name, ""));
    KMember m(fields);
    EXPECT_EQ(m.valueByMeaning(FieldMeaning::Email), nullptr);
    EXPECT_EQ(m.textByMeaning(FieldMeaning::Email), "");
    EXPECT_EQ(m.dateByMeaning(FieldMeaning::BirthDate).value(), 0);
    m.setTextByMeaning(FieldMeaning::Email, "x@y.nl"); // nothing to set, nothing happens
    EXPECT_EQ(m.values().size(), 1u);
}

TEST(Member, BalanceAndArrears) {
    struct Case {
        double payment;
        double balance;
        double arrears;
    };
    for (Case c : {Case{10.0, 40.0, 20.0}, Case{60.0, -10.0, 0.0}}) {
        KMember m;
        m.addCharge(chargeOf(1, 20230101, 30.0));
        m.addCharge(chargeOf(2, 20240101, 20.0));
        m.addPayment(KPayment(c.payment, KDateValue(20240201)));
        EXPECT_DOUBLE_EQ(m.balance(), c.balance);
        EXPECT_DOUBLE_EQ(m.arrears(), c.arrears);
    }
}

TEST(Member, LatestChargeKeepsTheFirstOfEqualDates) {
    KMember m;
    m.addCharge(chargeOf(5, 20030101, 1.0));
    m.addCharge(chargeOf(6, 20040101, 2.0));
    m.addCharge(chargeOf(7, 20040101, 3.0));
    const KCharge* latest = m.latestCharge();
    ASSERT_NE(latest, nullptr);
    EXPECT_EQ(latest->scheme()->id(), 6);

    KContribution same(6);
    same.setDate(KDateValue(20040101));
    KContribution other(7);
    other.setDate(KDateValue(20040101));
    EXPECT_EQ(m.latestCharge(&same), latest);
    EXPECT_EQ(m.latestCharge(&other), nullptr);
    EXPECT_EQ(KMember().latestCharge(), nullptr);
}

TEST(Member, CopyLeavesTheIdAndCopiesTheLists) {
    KFieldList fields;
    fields.insert(textField(2, "Naam", FieldMeaning::Name, "Jansen"));
    KMember original(fields);
    original.setId(40);
    original.addCharge(chargeOf(1, 20240101, 12.5));
    original.addPayment(KPayment(5.0, KDateValue(20240102)));
    KMember target;
    target.setId(41);
    target = original;
    EXPECT_EQ(target.id(), 41);
    EXPECT_EQ(target.name(), "Jansen");
    EXPECT_DOUBLE_EQ(target.balance(), 7.5);
    // Deep copies: changing the copy's charge leaves the original alone.
    target.charges().at(0).scheme()->parts().at(0).setAmount(99.0);
    EXPECT_DOUBLE_EQ(original.balance(), 7.5);
    target = target;
    EXPECT_DOUBLE_EQ(target.balance(), 94.0);
}

TEST(Member, PaymentsRemoveByAmountAndDate) {
    KMember m;
    m.addPayment(KPayment(10.0, KDateValue(20240101), "eerste"));
    m.addPayment(KPayment(10.0, KDateValue(20240102)));
    m.removePayment(KPayment(10.0, KDateValue(20240102), "andere opmerking"));
    ASSERT_EQ(m.payments().size(), 1u);
    EXPECT_EQ(m.payments().at(0).remarks(), "eerste");
}

TEST(TabDef, RemovesTheFirstOccurrenceOfAnId) {
    KTabDef tab("Persoonlijk", 0);
    for (int id : {3, 7, 9, 7})
        tab.addFieldId(id);
    tab.removeFieldId(7);
    EXPECT_EQ(tab.fieldIds(), (std::vector<std::int32_t>{3, 9, 7}));
    tab.removeFieldId(42);
    EXPECT_EQ(tab.count(), 3u);
}

TEST(Charge, OrdersBySchemeDateThenIdAndTotalsItsParts) {
    KChargeList charges;
    charges.insert(chargeOf(9, 20240101, 1.0));
    charges.insert(chargeOf(3, 20240101, 2.0));
    charges.insert(chargeOf(1, 20250101, 3.0));
    charges.insert(KCharge(nullptr));
    EXPECT_EQ(charges.at(0).scheme(), nullptr);
    EXPECT_EQ(charges.at(1).scheme()->id(), 3);
    EXPECT_EQ(charges.at(2).scheme()->id(), 9);
    EXPECT_EQ(charges.at(3).scheme()->id(), 1);
    EXPECT_DOUBLE_EQ(charges.at(0).total(), 0.0);
    EXPECT_DOUBLE_EQ(charges.at(3).total(), 3.0);
}

TEST(Charge, MadeEmptyCarriesTheTimeAsSchemeId) {
    PinnedToday today(20240315);
    KCharge charge;
    ASSERT_NE(charge.scheme(), nullptr);
    EXPECT_EQ(charge.scheme()->id(), static_cast<std::int32_t>(Clock::now()));
    EXPECT_EQ(charge.scheme()->date().value(), 20240315);
    EXPECT_TRUE(charge.scheme()->parts().empty());
}
