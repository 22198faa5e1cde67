// Finding a member in the grid: folding letter case and accents, the name or every shown
// column, forward and back round the ends.
#include "core/table/MemberFind.h"
#include "tests/support/RecordingComponents.h"

#include <gtest/gtest.h>

namespace {

using Direction = MemberFind::Direction;
using Scope = MemberFind::Scope;

TEST(MemberFind, FoldsCaseAndAccents) {
    const struct {
        const char* bytes; // Windows-1252
        const char* folded;
    } cases[] = {
        {"Jos\xE9 Mu\xF1oz", "jose munoz"},
        {"\xC9" "LISE \xC7" "A\xCF" "D", "elise caid"},
        {"Stra\xDF" "e", "strasse"},
        {"\xC6sop \x8C" "dipe", "aesop oedipe"},
        {"\x8A\x9A\x8E\x9E\x9F\xFF", "sszzyy"},
        {"\xD8ye 123-456", "oye 123-456"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MemberFind::fold(c.bytes), c.folded) << c.bytes;
    // Typed text: characters the code page lacks by their nearest letter first.
    EXPECT_EQ(MemberFind::foldTyped(QString::fromUtf8("Yılmaz Łódź")), "yilmaz lodz");
    EXPECT_EQ(MemberFind::foldTyped(QString::fromUtf8("ÉLISE")), "elise");
}

class MemberFindTest : public ::testing::Test {
protected:
    // Column 0 the hidden id, 1 the name, 2 the city.
    TextGrid grid{{{"Identifier", "Naam", "Woonplaats"},
                   {"11", "Anna Bakker", "Zwolle"},
                   {"12", "Jos\xE9 Jansen", "Assen"},
                   {"13", "Piet Jansen", "Zwolle"},
                   {"14", "Bob", "Jansenville"},
                   {"15", "Els Visser", "\xC9peldoorn"}}};
    MemberFind find;
};

TEST_F(MemberFindTest, TheNextRowHoldingTheTextRoundPastTheEnds) {
    find.read(grid, 1, Scope::Name);
    ASSERT_EQ(find.rowCount(), 5u);
    const std::string jansen = MemberFind::foldTyped(QStringLiteral("JANSEN"));
    // Typing searches from the current row, that row included.
    EXPECT_EQ(find.find(jansen, 1, Direction::Forward, true), 2);
    EXPECT_EQ(find.find(jansen, 2, Direction::Forward, true), 2);
    // F3: the next after it, and round from the last to the first.
    EXPECT_EQ(find.find(jansen, 2, Direction::Forward, false), 3);
    EXPECT_EQ(find.find(jansen, 3, Direction::Forward, false), 2);
    // Shift+F3: the previous, and round from the first to the last.
    EXPECT_EQ(find.find(jansen, 3, Direction::Backward, false), 2);
    EXPECT_EQ(find.find(jansen, 2, Direction::Backward, false), 3);
    // A single match is found again from itself.
    EXPECT_EQ(find.find(MemberFind::foldTyped(QStringLiteral("jose")), 2, Direction::Forward, false), 2);
    EXPECT_EQ(find.find("anna", 5, Direction::Backward, true), 1);
    EXPECT_EQ(find.find("visser", 0, Direction::Forward, true), 5) << "from the title row";
    // The name only: the city is not searched; nothing matched, nothing found.
    EXPECT_EQ(find.find("zwolle", 1, Direction::Forward, true), -1);
    EXPECT_EQ(find.find("", 1, Direction::Forward, true), -1);
    EXPECT_EQ(find.find("jansenx", 1, Direction::Forward, true), -1);
}

TEST_F(MemberFindTest, EveryShownColumnAndNeverAcrossTwoCells) {
    find.read(grid, 1, Scope::AllColumns);
    EXPECT_EQ(find.find("zwolle", 2, Direction::Forward, true), 3);
    EXPECT_EQ(find.find("eldoorn", 1, Direction::Forward, true), 5);
    EXPECT_EQ(find.find("jansenville", 1, Direction::Forward, true), 4);
    // The hidden id is no text to find, and a match never joins a name and a city.
    EXPECT_EQ(find.find("12", 1, Direction::Forward, true), -1);
    EXPECT_EQ(find.find("bakkerzwolle", 1, Direction::Forward, true), -1);
    EXPECT_EQ(find.find("bakker\x01zwolle", 1, Direction::Forward, true), -1);

    // Read for one scope, it says so; a reset reads again.
    EXPECT_TRUE(find.hasRead(Scope::AllColumns, 1));
    EXPECT_FALSE(find.hasRead(Scope::Name, 1));
    find.reset();
    EXPECT_FALSE(find.hasRead(Scope::AllColumns, 1));
    EXPECT_EQ(find.find("zwolle", 1, Direction::Forward, true), -1);
}

TEST(MemberFind, AGridWithoutMembersOrNameColumn) {
    const TextGrid empty(std::vector<std::vector<std::string>>{{"Identifier", "Naam"}});
    MemberFind find;
    find.read(empty, 1, Scope::Name);
    EXPECT_EQ(find.find("a", 1, Direction::Forward, true), -1);
    const TextGrid rows(
        std::vector<std::vector<std::string>>{{"Identifier", "Woonplaats"}, {"1", "Zwolle"}});
    find.read(rows, -1, Scope::Name);
    EXPECT_EQ(find.find("zwolle", 1, Direction::Backward, true), -1);
}

} // namespace
