// Charges made for many members at once are byte for byte the charges the contribution rules
// make one member at a time.
#include "core/contrib/KSchemeEditor.h"
#include "core/edit/KSchemeCharges.h"
#include "core/generate/ClubGenerator.h"
#include "core/model/ContributionRules.h"
#include "platform/Archive.h"
#include "tests/support/DocFixture.h"

#include <gtest/gtest.h>

namespace {

std::string bytesOf(const KCharge* charge) {
    if (!charge)
        return "none";
    Archive ar = Archive::forStoring();
    KCharge copy(*charge);
    copy.Serialize(ar, 11);
    return ar.takeData();
}

class SchemeCharges : public DocFixture {
protected:
    SchemeCharges() : DocFixture({.today = 20260315, .locale = "nl_NL"}) {}
};

} // namespace

TEST_F(SchemeCharges, EveryMemberGetsTheChargeTheRulesMake) {
    ClubGenerator(11).generate(doc, 300);

    // The standard set, and besides: two equal parts (their order in a charge is the rules'),
    // a part for everybody, and a condition on a field nobody has, which holds for an empty
    // text only.
    KSchemeEditor editor(KContribution(doc.handOutId()), doc.fields(), doc.memberTypes(),
                         [this] { return doc.handOutId(); });
    editor.standard();
    KContribution scheme = editor.working();
    KContrPart twin("Zaal", 901, 12.5);
    KField senior = *doc.fields().findFirst([](const KField& f) { return f.meaning() == FieldMeaning::Senior; });
    senior.setNumber(1);
    twin.AddCondition(senior);
    scheme.AddPart(twin);
    twin.setId(902);
    scheme.AddPart(twin);
    scheme.AddPart(KContrPart("Inschrijving", 903, 2.0));
    KContrPart nobody("Oud", 904, 7.0);
    nobody.AddCondition(KField(99999900, FieldType::Text, FieldMeaning::Other, "Oud"));
    scheme.AddPart(nobody);

    KSchemeCharges charges(scheme);
    for (const KMember& m : doc.members()) {
        const std::unique_ptr<KCharge> expected = ChargeFor(m, scheme);
        const std::unique_ptr<KCharge> made = charges.chargeFor(m);
        EXPECT_EQ(bytesOf(made.get()), bytesOf(expected.get())) << m.name();
    }

    // A scheme nobody owes anything of makes no charges.
    KContribution none(5);
    KField text(99999901, FieldType::Text, FieldMeaning::Other, "Y");
    text.setText("iets");
    KContrPart impossibleToo("Y", 2, 1.0);
    impossibleToo.AddCondition(text);
    none.AddPart(impossibleToo);
    KSchemeCharges noCharges(none);
    EXPECT_EQ(noCharges.chargeFor(doc.members().front()), nullptr);
}
