// Where the outside world's ways of failing arrive they become an outcome with the reason the
// user reads; inside, an edit of what is not there is nothing to do, never a failure.
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/output/OverviewPrint.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/Pinned.h"
#include "tests/support/RecordingComponents.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(OutcomeEdges, AComponentsFailedStatusBecomesTheMessageTheUserReads) {
    PinnedToday today(20260315);
    const TextGrid grid({{"Identifier", "Naam"}, {"1", "Piet"}});
    RecordingPrint fine;
    const KResult printed = OverviewPrint::print(fine, grid);
    EXPECT_EQ(printed.outcome(), KOutcome::Done);
    EXPECT_TRUE(printed.reason().isEmpty());

    for (const char* step : {"BeginJob", "SetGrid", "PrintJob"}) {
        RecordingPrint failing;
        failing.failOn(step);
        const KResult failed = OverviewPrint::print(failing, grid);
        EXPECT_EQ(failed.outcome(), KOutcome::Failed) << step;
        EXPECT_EQ(failed.reason(), QStringLiteral("Probleem bij afdrukken")) << step;
    }
}

using OutcomeEdgesTest = DocFixture;

TEST_F(OutcomeEdgesTest, AnEditOfWhatIsNotThereIsNothingToDoAndNoStep) {
    doc.OnNewDocument();
    const std::int32_t jansen = addMember(doc, "Piet Jansen").id();
    const std::int32_t unknown = doc.handOutId();
    const std::vector<std::pair<const char*, std::function<KResult()>>> edits = {
        {"replaceMember", [&] { return KEdit::replaceMember(doc, unknown, KMember()); }},
        {"replaceScheme",
         [&] { return KEdit::replaceScheme(doc, unknown, KContribution(unknown), true); }},
        {"deleteScheme", [&] { return KEdit::deleteScheme(doc, unknown, true); }},
        {"applyScheme", [&] { return KEdit::applyScheme(doc, unknown, {jansen}).result; }},
    };
    for (const auto& [name, edit] : edits) {
        const int steps = doc.undoStack().count();
        const KResult result = edit();
        EXPECT_EQ(result.outcome(), KOutcome::NothingToDo) << name;
        EXPECT_FALSE(result) << name;
        EXPECT_EQ(doc.undoStack().count(), steps) << name;
    }
}

} // namespace
