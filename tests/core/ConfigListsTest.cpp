#include "core/config/KColumnChoice.h"
#include "core/config/KMemberTypes.h"
#include "core/config/KTabNames.h"
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/ScriptedQuestions.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

KTabList tabsOf(std::initializer_list<std::pair<const char*, std::int32_t>> tabs) {
    KTabList list;
    std::int32_t id = 100;
    for (const auto& [name, position] : tabs) {
        KTabDef tab(name, position);
        tab.addFieldId(id++);
        list.insert(tab);
    }
    return list;
}

Names namesOf(const KTabList& tabs) {
    Names names;
    for (const KTabDef& t : tabs)
        names.push_back(t.name() + "@" + std::to_string(t.position()));
    return names;
}

} // namespace

TEST(TabNamesTest, ListedByPositionAndAppliedByName) {
    // Listed by position whatever the names; a tab at -1, beyond the count or at a place
    // taken already is not listed, and goes on OK.
    const KTabList tabs = tabsOf({{"Bond", 2}, {"Adres", 0}, {"Club", 1}, {"Extra", 7},
                                  {"Oud", -1}, {"Dubbel", 1}});
    EXPECT_EQ(KTabNames::byPosition(tabs), (Names{"Adres", "Club", "Bond"}));
    EXPECT_EQ(KTabNames::byPosition(KTabList()), Names{});

    // The third dragged to the top.
    const KTabList applied = KTabNames::applied(tabs, {"Bond", "Adres", "Club"});
    EXPECT_EQ(namesOf(applied), (Names{"Adres@1", "Bond@0", "Club@2"}));
    EXPECT_EQ(KTabNames::applied(tabs, {}).size(), 0u);

    // A changed name is a new tab without fields at its place; the old tab and its order go.
    const KTabList renamed = KTabNames::applied(tabs, {"Bond", "Club", "Adresgegevens"});
    EXPECT_EQ(namesOf(renamed), (Names{"Adresgegevens@2", "Bond@0", "Club@1"}));
    EXPECT_TRUE(renamed.front().fieldIds().empty());
    EXPECT_EQ(renamed.at(1).fieldIds(), tabs.findFirst([](const KTabDef& t) {
        return t.name() == "Bond";
    })->fieldIds());
}

TEST(TabNamesTest, TheDocumentKeepsTabsOfOneNameInTheirOrder) {
    // Only a file can hold two tabs of one name; OK on the unchanged list leaves both where
    // they were.
    CKorvelDoc doc;
    doc.OnNewDocument();
    KTabList twins;
    KTabDef first("Club", 0), second("Club", 1);
    first.addFieldId(1);
    second.addFieldId(2);
    twins.insertAt(0, std::make_unique<KTabDef>(first));
    twins.insertAt(1, std::make_unique<KTabDef>(second));
    KEdit::replaceTabs(doc, twins);
    ASSERT_EQ(doc.tabs().size(), 2u);
    EXPECT_EQ(doc.tabs().front().fieldIds(), std::vector<std::int32_t>{1});

    const Names names = KTabNames::byPosition(doc.tabs());
    EXPECT_EQ(names, (Names{"Club", "Club"}));
    KEdit::replaceTabs(doc, KTabNames::applied(doc.tabs(), names));
    EXPECT_EQ(doc.tabs().front().fieldIds(), std::vector<std::int32_t>{1});
    EXPECT_EQ(doc.tabs().at(1).fieldIds(), std::vector<std::int32_t>{2});
}

TEST(TabNamesTest, TheListsRules) {
    using KTabNames::Edit;
    Names names{"Bond", "Adres"};
    EXPECT_EQ(KTabNames::add(names, "Bond"), Edit::Nothing);
    EXPECT_EQ(KTabNames::add(names, ""), Edit::Nothing);
    EXPECT_EQ(KTabNames::add(names, "bond"), Edit::Done);
    EXPECT_EQ(names, (Names{"Bond", "Adres", "bond"}));

    EXPECT_EQ(KTabNames::change(names, 1, "Adresgegevens"), Edit::Done);
    EXPECT_EQ(names, (Names{"Bond", "bond", "Adresgegevens"}));
    EXPECT_EQ(KTabNames::change(names, 0, "bond"), Edit::Duplicate);
    EXPECT_EQ(KTabNames::change(names, 0, "Bond"), Edit::Done); // its own name: to the end
    EXPECT_EQ(names, (Names{"bond", "Adresgegevens", "Bond"}));
    EXPECT_EQ(KTabNames::change(names, -1, "X"), Edit::Nothing);
    EXPECT_EQ(KTabNames::change(names, 0, ""), Edit::Nothing);
    EXPECT_TRUE(KTabNames::duplicateMessage("Bond").contains(QStringLiteral("\"Bond\"")));

    EXPECT_EQ(KTabNames::remove(names, 3), Edit::Nothing);
    EXPECT_EQ(KTabNames::remove(names, 0), Edit::Done);
    EXPECT_EQ(names, (Names{"Adresgegevens", "Bond"}));
}

namespace {

class MemberTypesTest : public DocFixture {
protected:
    MemberTypesTest() : DocFixture({.dateFormat = nullptr}) {
        doc.OnNewDocument();
        KEdit::replaceMemberTypes(doc, {"Lid", "Jeugd", "Donateur"});
        a = addMember(doc, "Anna Bakker", "Jeugd").id();
        b = addMember(doc, "Bert Claassen", "Lid").id();
        c = addMember(doc, "Cor Dekker", "Jeugd").id();
        d = addMember(doc, "Dirk Evers", "Onbekend").id();
    }
    std::string typeOf(std::int32_t id) const {
        return doc.findMember(id)->textByMeaning(FieldMeaning::MemberType);
    }

    ScriptedQuestions questions;
    std::int32_t a = 0, b = 0, c = 0, d = 0;
};

} // namespace

TEST_F(MemberTypesTest, ARenamedTypeIsAskedForOnce) {
    const std::string before = savedBytes(doc);
    questions.answerSelect({1});
    KMemberTypes::apply(doc, {"Lid", "Junior", "Donateur"}, questions);
    ASSERT_EQ(questions.asked().size(), 1u);
    EXPECT_EQ(questions.asked()[0].caption, QStringLiteral("Wijzig Jeugd in"));
    EXPECT_EQ(questions.asked()[0].items, (QStringList{"Lid", "Junior", "Donateur"}));
    EXPECT_EQ(typeOf(a), "Junior");
    EXPECT_EQ(typeOf(c), "Junior");
    EXPECT_EQ(typeOf(b), "Lid");
    EXPECT_EQ(typeOf(d), "Onbekend"); // never a member type: never asked about
    EXPECT_EQ(doc.memberTypes(), (Names{"Lid", "Junior", "Donateur"}));

    // One step back to the very same file.
    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);
}

TEST_F(MemberTypesTest, ACancelAsksAgainForTheNextMember) {
    questions.answerSelect({}).answerSelect({0});
    KMemberTypes::apply(doc, {"Lid", "Donateur"}, questions);
    EXPECT_EQ(questions.asked().size(), 2u);
    EXPECT_TRUE(questions.done());
    EXPECT_EQ(typeOf(a), "Jeugd");
    EXPECT_EQ(typeOf(c), "Lid");
}

TEST_F(MemberTypesTest, OnlyReorderedNoQuestionButModified) {
    doc.SetModifiedFlag(false);
    const std::string before = savedBytes(doc);
    KMemberTypes::apply(doc, {"Donateur", "Lid", "Jeugd"}, questions);
    EXPECT_TRUE(questions.asked().empty());
    EXPECT_EQ(typeOf(a), "Jeugd");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_NE(savedBytes(doc), before);

    // With no names left there is nothing to choose from, so nobody is asked.
    KMemberTypes::apply(doc, {}, questions);
    EXPECT_TRUE(questions.asked().empty());
    EXPECT_EQ(typeOf(a), "Jeugd");
}

TEST_F(MemberTypesTest, WithoutMembersNoQuestion) {
    CKorvelDoc empty;
    empty.OnNewDocument();
    empty.SetModifiedFlag(false);
    KMemberTypes::apply(empty, {"Senior"}, questions);
    EXPECT_TRUE(questions.asked().empty());
    EXPECT_EQ(empty.memberTypes(), Names{"Senior"});
    EXPECT_TRUE(empty.IsModified());
}

TEST(MemberTypeListTest, TheListsRules) {
    using KMemberTypes::Edit;
    Names names{"Lid"};
    EXPECT_EQ(KMemberTypes::add(names, ""), Edit::Empty);
    EXPECT_EQ(KMemberTypes::add(names, "Lid"), Edit::Done); // equal names are allowed
    EXPECT_EQ(KMemberTypes::change(names, 0, "Junior"), Edit::Done);
    EXPECT_EQ(names, (Names{"Junior", "Lid"}));
    EXPECT_EQ(KMemberTypes::change(names, 1, ""), Edit::Empty);
    EXPECT_EQ(KMemberTypes::change(names, 5, ""), Edit::Nothing);
    EXPECT_EQ(KMemberTypes::remove(names, 0), Edit::Done);
    EXPECT_EQ(names, Names{"Lid"});
    EXPECT_EQ(KMemberTypes::emptyNameMessage(), QStringLiteral("Vul eerst een soort lid in."));
}

namespace {

KFieldList fieldsLabelled(const Names& labels) {
    KFieldList fields;
    std::int32_t id = 1;
    for (const std::string& label : labels)
        fields.insert(KField(id++, FieldType::Text, FieldMeaning::Other, label));
    return fields;
}

} // namespace

TEST(ColumnChoiceTest, TheStoredListReadAndWrittenExactly) {
    const KFieldList fields = fieldsLabelled({"Naam", "Adres", "Post", "Postcode", "woonplaats"});
    struct Case {
        const char* stored;
        Names shown;
        Names notShown;
        const char* written;
    };
    const Case cases[] = {
        {"Naam|Adres|", {"Naam", "Adres"}, {"Nr.", "Post", "Postcode", "Schuld", "woonplaats"},
         "Naam|Adres|"},
        {"Naam|Adres", {"Naam", "Adres"}, {"Nr.", "Post", "Postcode", "Schuld", "woonplaats"},
         "Naam|Adres|"},
        // Post occurs in Postcode: in neither list.
        {"Postcode|Nr.|", {"Postcode", "Nr."}, {"Adres", "Naam", "Schuld", "woonplaats"},
         "Postcode|Nr.|"},
        // Empty items and an item no field has any longer stay.
        {"Naam||Vervallen|Schuld|", {"Naam", "", "Vervallen", "Schuld"},
         {"Adres", "Nr.", "Post", "Postcode", "woonplaats"}, "Naam||Vervallen|Schuld|"},
        {"", {}, {"Adres", "Naam", "Nr.", "Post", "Postcode", "Schuld", "woonplaats"}, ""},
        {"|", {""}, {"Adres", "Naam", "Nr.", "Post", "Postcode", "Schuld", "woonplaats"}, "|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const KColumnChoice choice = KColumnChoice::fromColumnList(c.stored, fields);
        EXPECT_EQ(choice.shown, c.shown);
        EXPECT_EQ(choice.notShown, c.notShown);
        EXPECT_EQ(KColumnChoice::columnList(choice.shown), c.written);
    }
}

TEST(ColumnChoiceTest, NotShownItemsGoInAlphabetically) {
    const Names list{"Adres", "Naam", "woonplaats"};
    EXPECT_EQ(KColumnChoice::sortedPlace(list, "aanhef"), 0u);
    EXPECT_EQ(KColumnChoice::sortedPlace(list, "Nr."), 2u);
    EXPECT_EQ(KColumnChoice::sortedPlace(list, "Zwemmer"), 3u);
    EXPECT_EQ(KColumnChoice::sortedPlace(list, "Naam"), 2u); // after its equal
}
