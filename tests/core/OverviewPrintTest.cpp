// The member overview as the print component gets it, and the grid korvel-cli stands in for.
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/output/MemberGridText.h"
#include "core/output/OverviewPrint.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/Pinned.h"
#include "tests/support/RecordingComponents.h"

#include <gtest/gtest.h>

namespace {

using Call = std::vector<std::string>;
using Strings = std::vector<std::string>;

TEST(OverviewPrint, FiveCallsInTheirOrderWhateverEachReturns) {
    PinnedToday today(20260315);
    PinnedDateFormat format("%d/%m/%Y");
    const TextGrid grid({{"Identifier", "Naam"}, {"1", "Piet"}});
    RecordingPrint component;
    EXPECT_TRUE(OverviewPrint::print(component, grid));
    EXPECT_EQ(component.calls(), (std::vector<Call>{{"BeginJob", "Korvel", "Overzicht"},
                                                    {"SetTitleLine", "|Ledenoverzicht|"},
                                                    {"SetGrid", "2 rows"},
                                                    {"SetDateLine", "|15/03/2026|"},
                                                    {"PrintJob", "0"}}));
    EXPECT_EQ(component.grid(), &grid);

    RecordingPrint failing;
    failing.failOn("SetTitleLine");
    EXPECT_FALSE(OverviewPrint::print(failing, grid));
    EXPECT_EQ(failing.calls().size(), 5u) << "a failed step does not stop the later ones";

    // Straight to a file, as korvel-cli prints.
    RecordingPrint file;
    EXPECT_TRUE(OverviewPrint::print(file, grid, "/tmp/leden.pdf"));
    EXPECT_EQ(file.calls()[4], (Call{"SetOutputFile", "/tmp/leden.pdf"}));
    EXPECT_EQ(file.calls()[5], (Call{"PrintJob", "0"}));
}

TEST(MemberGridText, TheGridAsARebuildLeavesIt) {
    CKorvelDoc doc;
    doc.OnNewDocument();
    KMember piet = makeMember(doc, "Piet Jansen");
    piet.addPayment(KPayment(12.5, KDateValue(20240101)));
    const std::int32_t pietId = addMember(doc, piet).id();
    const std::int32_t annaId = addMember(doc, "Anna Visser").id();
    const std::int32_t bobId = addMember(doc, "Bob").id();

    const MemberGridText grid(doc, "Nr.|Naam|Schuld|Onbekend|Nr.|");
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.rows()[0], (Strings{"Identifier", "Nr.", "Naam", "Schuld", "Onbekend", "Nr."}));
    EXPECT_EQ(grid.rows()[1], (Strings{std::to_string(bobId), "1", "Bob", "0.00", "???", "1"}));
    EXPECT_EQ(grid.rows()[2],
              (Strings{std::to_string(pietId), "2", "Piet Jansen", "-12.50", "???", "2"}));
    EXPECT_EQ(grid.rows()[3],
              (Strings{std::to_string(annaId), "3", "Anna Visser", "0.00", "???", "3"}));
    EXPECT_TRUE(grid.columnHidden(0));
    EXPECT_FALSE(grid.columnHidden(1));
    EXPECT_EQ(grid.columnAlignment(3), 7) << "the balance is set to the right";
    EXPECT_EQ(grid.columnAlignment(2), 9);
    EXPECT_EQ(grid.cellText(9, 9), "");

    // Without members the title row; an empty list only the identifiers' column.
    CKorvelDoc empty;
    empty.OnNewDocument();
    EXPECT_EQ(MemberGridText(empty, "Naam").rows(), (std::vector<Strings>{{"Identifier", "Naam"}}));
    EXPECT_EQ(MemberGridText(empty, "").rows(), (std::vector<Strings>{{"Identifier"}}));
    // Without field definitions the main view leaves its grid as it was: nothing here.
    KEdit::replaceFields(empty, KFieldList(), KTabList());
    EXPECT_EQ(MemberGridText(empty, "Naam").rowCount(), 0);
}

} // namespace
