#include "core/config/KColumnChoice.h"
#include "core/config/KMemberTypes.h"
#include "core/config/KTabNames.h"
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/ScriptedQuestions.h"

#include <gtest/gtest.h>

#include <algorithm>

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

namespace {

using Entries = KTabNames::Entries;

Names listedNames(const KTabList& tabs) {
    Names names;
    for (const KTabNames::Entry& e : KTabNames::listed(tabs))
        names.push_back(e.name);
    return names;
}

const KTabDef& tabNamed(const KTabList& tabs, const char* name) {
    return *tabs.findFirst([name](const KTabDef& t) { return t.name() == name; });
}

} // namespace

TEST(TabNamesTest, EveryTabIsListedAndAnUnchangedListChangesNothing) {
    // In page order, ties in list order: a tab at -1, beyond the count or at a place taken
    // already is listed too.
    const KTabList tabs = tabsOf({{"Bond", 2}, {"Adres", 0}, {"Club", 1}, {"Extra", 7},
                                  {"Oud", -1}, {"Dubbel", 1}});
    EXPECT_EQ(listedNames(tabs), (Names{"Oud", "Adres", "Club", "Dubbel", "Bond", "Extra"}));
    EXPECT_TRUE(KTabNames::listed(KTabList()).empty());
    EXPECT_FALSE(KTabNames::changes(tabs, KTabNames::listed(tabs)));

    // Any change renumbers: the list's order is the tabs' order, and no tab is lost.
    Entries entries = KTabNames::listed(tabs);
    std::rotate(entries.begin(), entries.begin() + 4, entries.begin() + 5); // Bond to the top
    EXPECT_TRUE(KTabNames::changes(tabs, entries));
    const KTabList applied = KTabNames::applied(tabs, entries);
    EXPECT_EQ(namesOf(applied), (Names{"Adres@2", "Bond@0", "Club@3", "Dubbel@4", "Extra@5",
                                       "Oud@1"}));
    EXPECT_EQ(tabNamed(applied, "Oud").fieldIds(), tabNamed(tabs, "Oud").fieldIds());
    EXPECT_EQ(KTabNames::applied(tabs, {}).size(), 0u);
}

TEST(TabNamesTest, ARenamedTabKeepsItsFieldsAndPlace) {
    const KTabList tabs = tabsOf({{"Adres", 0}, {"Club", 1}, {"Bond", 2}});
    Entries entries = KTabNames::listed(tabs);
    ASSERT_EQ(KTabNames::change(entries, 0, "Adresgegevens"), KTabNames::Edit::Done);
    ASSERT_EQ(KTabNames::add(entries, "Bank"), KTabNames::Edit::Done);
    ASSERT_EQ(KTabNames::remove(entries, 1), KTabNames::Edit::Done); // Club goes
    const KTabList renamed = KTabNames::applied(tabs, entries);
    EXPECT_EQ(namesOf(renamed), (Names{"Adresgegevens@0", "Bank@2", "Bond@1"}));
    EXPECT_EQ(tabNamed(renamed, "Adresgegevens").fieldIds(), tabNamed(tabs, "Adres").fieldIds());
    EXPECT_EQ(tabNamed(renamed, "Bond").fieldIds(), tabNamed(tabs, "Bond").fieldIds());
    EXPECT_TRUE(tabNamed(renamed, "Bank").fieldIds().empty());
}

TEST(TabNamesTest, TheDocumentKeepsTabsOfOneNameInTheirOrder) {
    // Only a file can hold two tabs of one name; each item stays its own tab.
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

    Entries entries = KTabNames::listed(doc.tabs());
    EXPECT_EQ(listedNames(doc.tabs()), (Names{"Club", "Club"}));
    std::swap(entries[0], entries[1]);
    KEdit::replaceTabs(doc, KTabNames::applied(doc.tabs(), entries));
    EXPECT_EQ(doc.tabs().front().fieldIds(), std::vector<std::int32_t>{1});
    EXPECT_EQ(doc.tabs().front().position(), 1);
    EXPECT_EQ(doc.tabs().at(1).fieldIds(), std::vector<std::int32_t>{2});
    EXPECT_EQ(doc.tabs().at(1).position(), 0);
}

TEST(TabNamesTest, TheListsRules) {
    using KTabNames::Edit;
    Entries entries{{"Bond", 0}, {"Adres", 1}};
    const auto names = [&entries] {
        Names out;
        for (const auto& e : entries)
            out.push_back(e.name + "#" + std::to_string(e.tab));
        return out;
    };
    EXPECT_EQ(KTabNames::add(entries, "Bond"), Edit::Nothing);
    EXPECT_EQ(KTabNames::add(entries, ""), Edit::Nothing);
    EXPECT_EQ(KTabNames::add(entries, "bond"), Edit::Done);
    EXPECT_EQ(names(), (Names{"Bond#0", "Adres#1", "bond#-1"}));

    // A change renames in place: the item stays the tab it was.
    EXPECT_EQ(KTabNames::change(entries, 1, "Adresgegevens"), Edit::Done);
    EXPECT_EQ(names(), (Names{"Bond#0", "Adresgegevens#1", "bond#-1"}));
    EXPECT_EQ(KTabNames::change(entries, 0, "bond"), Edit::Duplicate);
    EXPECT_EQ(KTabNames::change(entries, 0, "Bond"), Edit::Done); // its own name
    EXPECT_EQ(KTabNames::change(entries, -1, "X"), Edit::Nothing);
    EXPECT_EQ(KTabNames::change(entries, 0, ""), Edit::Nothing);
    EXPECT_TRUE(KTabNames::duplicateMessage("Bond").contains(QStringLiteral("\"Bond\"")));

    EXPECT_EQ(KTabNames::remove(entries, 3), Edit::Nothing);
    EXPECT_EQ(KTabNames::remove(entries, 0), Edit::Done);
    EXPECT_EQ(names(), (Names{"Adresgegevens#1", "bond#-1"}));
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

TEST(ColumnChoiceTest, ARenamedFieldKeepsItsColumnAndADeletedOneLosesIt) {
    const KFieldList before = fieldsLabelled({"Naam", "Diversen", "IBAN", "Adres"});
    KFieldList after;
    for (const KField& f : before) {
        if (f.label() == "IBAN")
            continue; // deleted
        KField kept = f;
        if (f.label() == "Diversen")
            kept.setLabel("Opmerkingen");
        after.insert(kept);
    }
    const struct {
        const char* stored;
        const char* written;
    } cases[] = {
        {"Nr.|Naam|Diversen|IBAN|Schuld|", "Nr.|Naam|Opmerkingen|Schuld|"},
        // Nothing of it changed: the text stays as the user's, without a final "|" too.
        {"Naam|Adres", "Naam|Adres"},
        {"Naam||Vervallen|", "Naam||Vervallen|"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KColumnChoice::afterFieldChanges(c.stored, before, after), c.written)
            << c.stored;

    // A deleted field's label that another field still has keeps its column.
    KFieldList twice = after;
    twice.insert(KField(99, FieldType::Text, FieldMeaning::Other, "IBAN"));
    EXPECT_EQ(KColumnChoice::afterFieldChanges("IBAN|", before, twice), "IBAN|");
}
