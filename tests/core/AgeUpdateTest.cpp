// Setting Senior from the members' ages on a reference date.
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/member/KAgeUpdate.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

namespace {

TEST(AgeUpdate, AgeOnAReferenceDate) {
    const struct {
        std::int32_t birth;
        std::int32_t reference;
        int age;
    } cases[] = {
        {20080101, 20260101, 18}, // the birthday itself counts
        {20080102, 20260101, 17}, // one day short
        {20071231, 20260101, 18},
        {20080229, 20260228, 17}, // born on 29 February: not yet on the 28th
        {20080229, 20260301, 18},
        {20080229, 20240229, 16},
        {20300101, 20260101, -4}, // born after the reference date
        {19261231, 20260101, 99},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KAgeUpdate::ageOn(KDateValue(c.birth), KDateValue(c.reference)), c.age)
            << c.birth << " on " << c.reference;
    EXPECT_EQ(KAgeUpdate::defaultReferenceDate(KDateValue(20260315)).value(), 20270101);
    EXPECT_EQ(KAgeUpdate::defaultReferenceDate(KDateValue(20261231)).value(), 20270101);
}

class AgeUpdateTest : public ::testing::Test {
protected:
    AgeUpdateTest() { doc.OnNewDocument(); }

    std::int32_t member(const char* name, std::int32_t born, bool senior) {
        KMember m = makeMember(doc, name, "Lid", senior);
        m.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(born));
        return addMember(doc, m).id();
    }
    bool senior(std::int32_t id) const {
        return doc.findMember(id)->valueByMeaning(FieldMeaning::Senior)->number() == 1;
    }

    PinnedToday today{20260315};
    CKorvelDoc doc;
};

} // namespace

TEST_F(AgeUpdateTest, SeniorFollowsTheAgeAndMembersWithoutABirthDateStay) {
    const std::int32_t grown = member("Anna Bakker", 20080101, false);   // 18 on the date: Ja
    const std::int32_t young = member("Bob Claes", 20100601, true);      // 16: Nee
    const std::int32_t same = member("Cor Dijk", 19700101, true);        // stays Ja
    const std::int32_t unknown = member("Els Evers", 0, true);           // no birth date
    const std::int32_t almost = member("Frits Gans", 20080102, false);   // 17: stays Nee

    KAgeUpdate::Plan plan = KAgeUpdate::plan(doc, KDateValue(20260101), 18);
    ASSERT_TRUE(plan.hasSeniorField);
    EXPECT_EQ(plan.changes.size(), 2u);
    EXPECT_EQ(plan.becomeSenior, 1u);
    EXPECT_EQ(plan.becomeJunior, 1u);
    EXPECT_EQ(plan.withoutBirthDate, 1u);
    EXPECT_EQ(KAgeUpdate::question(plan),
              QStringLiteral("Bij 1 lid wordt Senior \"Ja\", bij 1 lid \"Nee\". 1 lid zonder "
                             "geboortedatum blijft zoals het is.\n\nWilt u doorgaan?"));

    const std::string before = savedBytes(doc);
    ASSERT_EQ(KEdit::replaceMembers(doc, QString::fromLatin1(KAgeUpdate::kUndoText),
                                    std::move(plan.changes)),
              2u);
    EXPECT_TRUE(senior(grown));
    EXPECT_FALSE(senior(young));
    EXPECT_TRUE(senior(same));
    EXPECT_TRUE(senior(unknown));
    EXPECT_FALSE(senior(almost));
    // Done again on the same date, nothing changes any more.
    EXPECT_TRUE(KAgeUpdate::plan(doc, KDateValue(20260101), 18).changes.empty());
    // One step, undone whole.
    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);

    // Another age, another date.
    const KAgeUpdate::Plan younger = KAgeUpdate::plan(doc, KDateValue(20270101), 16);
    EXPECT_EQ(younger.becomeSenior, 2u); // Anna and Frits
    EXPECT_EQ(younger.becomeJunior, 0u);
}

TEST_F(AgeUpdateTest, WithoutASeniorFieldNothingIsPlanned) {
    member("Anna Bakker", 20080101, false);
    KFieldList fields;
    for (const KField& field : doc.fields())
        if (field.meaning() != FieldMeaning::Senior)
            fields.insert(field);
    KEdit::replaceFields(doc, fields, doc.tabs());
    const KAgeUpdate::Plan plan = KAgeUpdate::plan(doc, KDateValue(20260101), 18);
    EXPECT_FALSE(plan.hasSeniorField);
    EXPECT_TRUE(plan.changes.empty());
}
