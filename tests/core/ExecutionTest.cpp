// Executing a scheme apart from the edit: the members listed with their amounts, what the
// selection buttons select, the message, and choosing the scheme.
#include "core/contrib/KExecution.h"
#include "core/contrib/KSchemeChoice.h"
#include "core/edit/KEdit.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/ScriptedQuestions.h"

#include <gtest/gtest.h>

namespace {

class ExecutionTest : public DocFixture {
protected:
    ExecutionTest() : DocFixture({.today = 20260315}) { doc.OnNewDocument(); }

    KContribution scheme(const char* description, std::int32_t date, double amount) {
        KContribution s(doc.handOutId());
        s.setDescription(description);
        s.setDate(KDateValue(date));
        s.AddPart(KContrPart("Contributie", doc.handOutId(), amount));
        KEdit::addScheme(doc, s);
        return s;
    }

    ScriptedQuestions questions;
};

} // namespace

TEST_F(ExecutionTest, RowsShowWhatTheSchemeChargedAndSelectThoseWithoutAnAmount) {
    const KContribution s = scheme("Contributie 2026", 20260101, 105.0);
    const KContribution free = scheme("Gratis", 20260101, 0.0);
    const std::int32_t jansen = addMember(doc, "Jansen").id();
    const std::int32_t visser = addMember(doc, "Visser").id();
    KMember nameless(doc.fields());
    nameless.setId(doc.handOutId());
    nameless.values().clear();
    const std::int32_t unnamed = addMember(doc, nameless).id();
    ASSERT_TRUE(KEdit::applyScheme(doc, s.id(), {visser}));
    ASSERT_TRUE(KEdit::applyScheme(doc, free.id(), {jansen}));

    const auto rows = KExecution::rows(doc, s);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].memberId, unnamed); // without a name, first in name order
    EXPECT_EQ(rows[0].name, "");
    EXPECT_EQ(rows[1].name, "Jansen");
    EXPECT_EQ(rows[1].amount, "");
    EXPECT_EQ(rows[2].amount, "105.00");
    EXPECT_EQ(KExecution::membersWithoutAmount(rows), (std::vector<std::int32_t>{unnamed, jansen}));
    EXPECT_EQ(KExecution::allMembers(rows), (std::vector<std::int32_t>{unnamed, jansen, visser}));
    // A charge of 0.00 counts as no amount.
    EXPECT_EQ(KExecution::rows(doc, free)[1].amount, "0.00");
    EXPECT_EQ(KExecution::membersWithoutAmount(KExecution::rows(doc, free)).size(), 3u);

    EXPECT_EQ(KExecution::totalMessage(0.0),
              QStringLiteral("Er is een totaal van 0.00 aan contributies uitgeschreven."));
    EXPECT_EQ(KExecution::totalMessage(1234.565 + 0.0001),
              QStringLiteral("Er is een totaal van 1234.57 aan contributies uitgeschreven."));
}

TEST_F(ExecutionTest, RowsFollowTheOrderGivenAndCountTheChargesReplaced) {
    const KContribution s = scheme("Contributie 2026", 20260101, 105.0);
    const std::int32_t bakker = addMember(doc, "Bakker").id();
    const std::int32_t jansen = addMember(doc, "Jansen").id();
    const std::int32_t visser = addMember(doc, "Visser").id();
    ASSERT_TRUE(KEdit::applyScheme(doc, s.id(), {visser, bakker}));

    // The grid's order first; an unknown id and a repeated one are passed over, a member the
    // order leaves out comes last.
    const auto rows = KExecution::rows(doc, s, {visser, 99999, bakker, visser});
    std::vector<std::int32_t> ids;
    for (const auto& row : rows)
        ids.push_back(row.memberId);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{visser, bakker, jansen}));
    EXPECT_EQ(rows[0].amount, "105.00");

    EXPECT_EQ(KExecution::chargesReplaced(doc, s.id(), {jansen}), 0u);
    EXPECT_EQ(KExecution::chargesReplaced(doc, s.id(), {jansen, visser, bakker, 99999}), 2u);
    EXPECT_TRUE(KExecution::replaceQuestion(2).startsWith(QStringLiteral("2 van de gekozen leden")));
    EXPECT_TRUE(KExecution::replaceQuestion(1).startsWith(QStringLiteral("Eén van de gekozen")));
}

TEST_F(ExecutionTest, ChoosingASchemeByItsDescription) {
    EXPECT_EQ(KSchemeChoice::choose(doc, questions), nullptr);
    EXPECT_EQ(questions.alerts(), QStringList{"Er zijn geen contributies"});

    // One scheme is taken without asking.
    const KContribution later = scheme("Contributie", 20270101, 10.0);
    const KContribution* only = KSchemeChoice::choose(doc, questions);
    ASSERT_NE(only, nullptr);
    EXPECT_EQ(only->id(), later.id());
    EXPECT_EQ(questions.asked().size(), 1u);

    // Two of one description cannot be told apart: the first in scheme order is taken.
    const KContribution earlier = scheme("Contributie", 20260101, 20.0);
    scheme("Jeugd", 20250101, 5.0);
    questions.answerSelect({2}).answerSelect({}).answerSelect({0});
    const KContribution* chosen = KSchemeChoice::choose(doc, questions);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->id(), earlier.id());
    EXPECT_EQ(questions.asked().back().caption, QStringLiteral("Selecteer contributie"));
    EXPECT_EQ(questions.asked().back().items,
              (QStringList{"Jeugd", "Contributie", "Contributie"}));
    EXPECT_EQ(KSchemeChoice::choose(doc, questions), nullptr); // cancelled
    EXPECT_EQ(KSchemeChoice::choose(doc, questions)->description(), "Jeugd");
    EXPECT_TRUE(questions.done());
}
