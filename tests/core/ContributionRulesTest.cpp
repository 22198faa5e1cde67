#include "core/model/ContributionRules.h"
#include "tests/support/DocFixture.h"

#include <gtest/gtest.h>

namespace {

class ContributionRulesTest : public DocFixture {
protected:
    ContributionRulesTest() : DocFixture({.dateFormat = nullptr, .locale = "nl_NL"}) {
        m_fields.insert(KField(2, FieldType::Text, FieldMeaning::Name, "Naam"));
        m_fields.insert(KField(3, FieldType::Text, FieldMeaning::MemberType, "Soort lid"));
        m_fields.insert(KField(4, FieldType::Boolean, FieldMeaning::Senior, "Senior"));
        m_fields.insert(KField(5, FieldType::Amount, FieldMeaning::Other, "Korting"));
    }

    KField condition(std::int32_t id) const { return *m_fields.findFirst([id](const KField& f) { return f.id() == id; }); }
    KField typeIs(const char* type) const {
        KField c = condition(3);
        c.setText(type);
        return c;
    }
    KField seniorIs(int flag) const {
        KField c = condition(4);
        c.setNumber(flag);
        return c;
    }
    KMember member(const char* type, int senior) const {
        KMember m(m_fields);
        m.setTextByMeaning(FieldMeaning::MemberType, type);
        m.valueById(4)->setNumber(senior);
        return m;
    }
    static KContrPart part(const char* name, double amount, std::initializer_list<KField> conds) {
        KContrPart p(name, 10, amount);
        for (const KField& c : conds)
            p.AddCondition(c);
        return p;
    }

    KFieldList m_fields;
};

std::vector<std::string> partNames(const KContribution& scheme) {
    std::vector<std::string> names;
    for (const KContrPart& p : scheme.parts())
        names.push_back(p.name() + "/" + std::to_string(static_cast<int>(p.amount())));
    return names;
}

} // namespace

TEST_F(ContributionRulesTest, PartsListHighestAmountFirstThenNameThenConditions) {
    KContribution scheme(20);
    scheme.AddPart(part("Jeugd", 25.0, {}));
    scheme.AddPart(part("Senior", 80.0, {}));
    scheme.AddPart(part("Bond", 25.0, {seniorIs(1)}));
    scheme.AddPart(part("Bond", 25.0, {}));
    EXPECT_EQ(partNames(scheme),
              (std::vector<std::string>{"Senior/80", "Bond/25", "Bond/25", "Jeugd/25"}));
    EXPECT_EQ(scheme.parts().at(1).conditionCount(), 0u);
}

TEST_F(ContributionRulesTest, ConditionsCompareWhatTheUserSees) {
    KMember lid = member("Lid", 0);
    EXPECT_TRUE(Applies(part("p", 1, {typeIs("Lid")}), lid));
    EXPECT_FALSE(Applies(part("p", 1, {typeIs("Lid")}), member("lid", 0)));
    EXPECT_FALSE(Applies(part("p", 1, {typeIs("Lid")}), member("Lid ", 0)));
    EXPECT_TRUE(Applies(part("p", 1, {seniorIs(0)}), lid));
    EXPECT_FALSE(Applies(part("p", 1, {seniorIs(0)}), member("Lid", 5)));
    EXPECT_TRUE(Applies(part("p", 1, {seniorIs(1)}), member("Lid", 5)));
    EXPECT_FALSE(Applies(part("p", 1, {typeIs("Lid"), seniorIs(1)}), lid));
    EXPECT_TRUE(Applies(part("p", 1, {}), lid));

    KField discount = condition(5);
    discount.setReal(12.50);
    KMember m = lid;
    m.valueById(5)->setReal(12.499);
    EXPECT_TRUE(Applies(part("p", 1, {discount}), m));
}

TEST_F(ContributionRulesTest, ConditionOnAFieldTheMemberLacksHoldsOnlyForEmptyText) {
    KField foreign(99999901, FieldType::Text, FieldMeaning::MemberType, "Soort lid");
    KMember m = member("Lid", 1);
    foreign.setText("Lid");
    EXPECT_FALSE(Applies(part("p", 1, {foreign}), m));
    foreign.setText("");
    EXPECT_TRUE(Applies(part("p", 1, {foreign}), m));
}

TEST_F(ContributionRulesTest, ApplyingReplacesTheChargeForTheScheme) {
    KContribution scheme(30);
    scheme.setDescription("Contributie 2024");
    scheme.AddPart(part("Contributie", 80.0, {typeIs("Lid"), seniorIs(1)}));
    scheme.AddPart(part("Donatie", 25.0, {typeIs("Donateur")}));
    scheme.AddPart(part("Inschrijving", 5.0, {}));

    KMember m = member("Lid", 1);
    ApplyContribution(m, scheme);
    ApplyContribution(m, scheme);
    ASSERT_EQ(m.charges().size(), 1u);
    const KCharge& charge = m.charges().at(0);
    EXPECT_EQ(charge.scheme()->description(), "Contributie 2024");
    EXPECT_EQ(partNames(*charge.scheme()), (std::vector<std::string>{"Contributie/80", "Inschrijving/5"}));
    EXPECT_DOUBLE_EQ(Total(charge), 85.0);
    EXPECT_TRUE(HasCharge(m, scheme));
    EXPECT_EQ(LatestCharge(m, &scheme), &charge);

    // The charge is a frozen copy: changing the scheme later leaves it alone.
    scheme.parts().at(0).setAmount(1.0);
    EXPECT_DOUBLE_EQ(Total(m.charges().at(0)), 85.0);

    RemoveCharge(m, scheme);
    EXPECT_FALSE(HasCharge(m, scheme));
}

TEST_F(ContributionRulesTest, AMemberWhoOwesNothingLosesTheEarlierCharge) {
    KContribution scheme(31);
    scheme.AddPart(part("Donatie", 25.0, {typeIs("Donateur")}));
    KMember m = member("Donateur", 0);
    ApplyContribution(m, scheme);
    ASSERT_TRUE(HasCharge(m, scheme));
    m.setTextByMeaning(FieldMeaning::MemberType, "Lid");
    ApplyContribution(m, scheme);
    EXPECT_FALSE(HasCharge(m, scheme));
    EXPECT_TRUE(m.charges().empty());

    KContribution empty(32);
    ApplyContribution(m, empty);
    EXPECT_TRUE(m.charges().empty());
}

TEST_F(ContributionRulesTest, PartsAndConditionsAreRemovedByEquality) {
    KContribution scheme(33);
    KContrPart a = part("Bond", 25.0, {seniorIs(1)});
    a.setId(40);
    KContrPart b = part("Bond", 25.0, {seniorIs(0)});
    b.setId(41);
    scheme.AddPart(a);
    scheme.AddPart(b);
    scheme.RemovePart(41);
    ASSERT_EQ(scheme.parts().size(), 1u);
    EXPECT_EQ(scheme.parts().at(0).id(), 40);
    scheme.RemovePart(77); // no such part
    EXPECT_EQ(scheme.parts().size(), 1u);

    KContrPart p = part("p", 1, {typeIs("Lid"), seniorIs(1)});
    p.RemoveCondition(seniorIs(0)); // found by id, removed when alike
    EXPECT_EQ(p.conditionCount(), 1u);
    p.SetConditions(nullptr);
    EXPECT_FALSE(p.hasConditionList());
    KFieldList none;
    p.SetConditions(&none);
    EXPECT_TRUE(p.hasConditionList());
    scheme.ClearParts();
    EXPECT_TRUE(scheme.parts().empty());
}
