#include "core/config/KFieldSetup.h"
#include "core/edit/KEdit.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Ids = std::vector<std::int32_t>;
using Outcome = KFieldSetup::Outcome;

// The fields dialog's working copies on a new administration: tabs "NTTB" (position 1) and
// "Persoonlijk" (position 0), as the dialog finds them.
class FieldSetupTest : public DocFixture {
protected:
    FieldSetupTest() {
        doc.OnNewDocument();
        jansen = addMember(doc, "Piet Jansen").id();
        bakker = addMember(doc, "Anna Bakker").id();
    }

    KFieldSetup open() {
        KFieldSetup setup(doc.fields(), doc.tabs(), [this] { return doc.handOutId(); });
        const auto names = setup.tabNames();
        shown = setup.showTab({}, names.at(static_cast<std::size_t>(setup.initialTab())));
        return setup;
    }
    Ids ids() const {
        Ids out;
        for (const auto& item : shown)
            out.push_back(item.id);
        return out;
    }
    std::vector<std::string> labels() const {
        std::vector<std::string> out;
        for (const auto& item : shown)
            out.push_back(item.label);
        return out;
    }
    bool listed(std::int32_t id) const {
        const Ids now = ids();
        return std::find(now.begin(), now.end(), id) != now.end();
    }
    std::int32_t idOf(const std::string& label) const {
        for (const auto& item : shown)
            if (item.label == label)
                return item.id;
        ADD_FAILURE() << label << " is not listed";
        return -1;
    }
    // The controls as the dialog reads them, the list as it shows now.
    KFieldSetup::Controls controls(const std::string& tab, const std::string& label = {},
                                   FieldType type = FieldType::Text) const {
        KFieldSetup::Controls c;
        c.listIds = ids();
        c.tab = tab;
        c.target = tab;
        c.label = label;
        c.type = type;
        return c;
    }
    void act(KFieldSetup& setup, Outcome (KFieldSetup::*action)(const KFieldSetup::Controls&),
             const KFieldSetup::Controls& c, Outcome expected = Outcome::Done) {
        ASSERT_EQ((setup.*action)(c), expected);
        if (expected == Outcome::Done)
            shown = setup.items();
    }

    std::vector<KFieldSetup::Item> shown;
    std::int32_t jansen = 0, bakker = 0;
};

} // namespace

TEST_F(FieldSetupTest, OpensOnTheFirstTabInItsOrder) {
    KFieldSetup setup = open();
    EXPECT_EQ(setup.tabNames(), (std::vector<std::string>{"NTTB", "Persoonlijk"}));
    EXPECT_EQ(setup.initialTab(), 1);
    EXPECT_EQ(labels().front(), "Naam");
    EXPECT_EQ(labels().size(), 11u);

    // The tab placed first is chosen whatever its name; ties go to the first in name order;
    // with every tab at 999 or beyond, the first tab.
    KTabList tabs;
    tabs.insert(KTabDef("A", 1000));
    tabs.insert(KTabDef("B", 3));
    tabs.insert(KTabDef("C", 3));
    EXPECT_EQ(KFieldSetup(doc.fields(), tabs, {}).initialTab(), 1);
    tabs.removeFirst([](const KTabDef& t) { return t.name() != "A"; });
    tabs.removeFirst([](const KTabDef& t) { return t.name() != "A"; });
    EXPECT_EQ(KFieldSetup(doc.fields(), tabs, {}).initialTab(), 0);
    EXPECT_EQ(KFieldSetup(doc.fields(), KTabList(), {}).initialTab(), -1);
}

TEST_F(FieldSetupTest, ADraggedOrderReachesTheTabBeforeEveryAction) {
    KFieldSetup setup = open();
    Ids dragged = ids();
    std::rotate(dragged.begin(), dragged.end() - 1, dragged.end()); // the last to the top
    // Switching to another tab and back keeps the drag.
    shown = setup.showTab(dragged, "NTTB");
    shown = setup.showTab(ids(), "Persoonlijk");
    EXPECT_EQ(ids(), dragged);
    EXPECT_EQ(labels().front(), "Diversen");

    // A refused action leaves the list on its tab: a drag made after it still counts on OK.
    std::swap(dragged[0], dragged[1]);
    KFieldSetup::Controls c = controls("Persoonlijk");
    c.listIds = dragged;
    act(setup, &KFieldSetup::add, c, Outcome::NoLabel);
    std::swap(dragged[1], dragged[2]);
    setup.keepOrder(dragged);
    ASSERT_NE(setup.shownTab(), nullptr);
    EXPECT_EQ(setup.shownTab()->fieldIds(), dragged);

    KEdit::replaceFields(doc, setup.fields(), setup.tabs());
    const KTabDef* personal =
        doc.tabs().findFirst([](const KTabDef& t) { return t.name() == "Persoonlijk"; });
    EXPECT_EQ(personal->fieldIds(), dragged);
}

TEST_F(FieldSetupTest, AddChangeDeleteAndMove) {
    KFieldSetup setup = open();
    const std::int32_t last = doc.lastId();

    // The tab is tested before the label.
    act(setup, &KFieldSetup::add, controls("Bank"), Outcome::NoTab);
    act(setup, &KFieldSetup::add, controls("Persoonlijk"), Outcome::NoLabel);
    EXPECT_EQ(doc.lastId(), last);
    act(setup, &KFieldSetup::add, controls("Persoonlijk", "IBAN"));
    const std::int32_t iban = last + 1;
    EXPECT_EQ(ids().back(), iban);
    EXPECT_EQ(setup.field(iban)->type(), FieldType::Text);

    // Changed: same id, a new type, and at its new place in the field order.
    KFieldSetup::Controls c = controls("Persoonlijk", "Aaa-lid sinds", FieldType::Date);
    c.selected = iban;
    act(setup, &KFieldSetup::change, c);
    EXPECT_EQ(setup.fields().front().id(), iban);
    EXPECT_EQ(setup.field(iban)->date().value(), 20240301); // a new default: today
    EXPECT_EQ(ids().back(), iban);
    c.label.clear();
    act(setup, &KFieldSetup::change, c, Outcome::NoLabel);
    c = controls("Persoonlijk", "X");
    act(setup, &KFieldSetup::change, c, Outcome::Nothing); // nothing selected

    // Moved to the end of another tab; to its own tab, to its own end.
    const std::int32_t phone = idOf("Telefoon");
    c = controls("Persoonlijk");
    c.selected = phone;
    c.target = "NTTB";
    act(setup, &KFieldSetup::move, c);
    EXPECT_FALSE(listed(phone));
    const std::int32_t city = idOf("Woonplaats");
    c = controls("Persoonlijk");
    c.selected = city;
    act(setup, &KFieldSetup::move, c);
    EXPECT_EQ(ids().back(), city);
    c.target.reset();
    act(setup, &KFieldSetup::move, c, Outcome::Nothing);

    // Deleted, without asking.
    c = controls("Persoonlijk");
    c.selected = iban;
    act(setup, &KFieldSetup::remove, c);
    EXPECT_EQ(setup.field(iban), nullptr);
    EXPECT_FALSE(listed(iban));

    shown = setup.showTab(ids(), "NTTB");
    EXPECT_EQ(ids().back(), phone);
}

TEST_F(FieldSetupTest, CancelLeavesTheFieldsButTheIdIsUsed) {
    doc.SetModifiedFlag(false);
    const std::string before = savedBytes(doc);
    const std::int32_t last = doc.lastId();
    {
        KFieldSetup setup = open();
        act(setup, &KFieldSetup::add, controls("NTTB", "Rating", FieldType::Number));
    }
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.handOutId(), last + 2);
    EXPECT_EQ(doc.fields().size(), 16u);
    EXPECT_NE(savedBytes(doc), before); // the id counter is in the file
}

TEST_F(FieldSetupTest, OkBringsEveryMemberInStep) {
    KMember m = *doc.findMember(jansen);
    m.valueByMeaning(FieldMeaning::Licence)->setText("Ja");
    KEdit::replaceMember(doc, jansen, m);
    m = *doc.findMember(bakker);
    m.valueByMeaning(FieldMeaning::Licence)->setText("ja, B");
    KEdit::replaceMember(doc, bakker, m);
    // A member without any value gets every field, as a new member does: its dates empty.
    KMember empty;
    empty.setId(doc.handOutId());
    KEdit::addMember(doc, empty);

    KFieldSetup setup = open();
    shown = setup.showTab(ids(), "NTTB");
    const std::int32_t licence = idOf("Licentie");
    const std::int32_t federation = idOf("Bondsnummer");
    KFieldSetup::Controls c = controls("NTTB", "Licentie", FieldType::Boolean);
    c.meaning = FieldMeaning::Licence;
    c.selected = licence;
    act(setup, &KFieldSetup::change, c);
    c = controls("NTTB");
    c.selected = federation;
    act(setup, &KFieldSetup::remove, c);
    act(setup, &KFieldSetup::add, controls("NTTB", "Lid sinds", FieldType::Date));
    const std::int32_t since = ids().back();
    KEdit::replaceFields(doc, setup.fields(), setup.tabs());

    for (std::int32_t id : {jansen, bakker}) {
        const KMember& member = *doc.findMember(id);
        EXPECT_EQ(member.values().size(), doc.fields().size());
        EXPECT_EQ(member.valueById(federation), nullptr);
        EXPECT_EQ(member.valueById(since)->date().value(), 20240301);
    }
    EXPECT_EQ(doc.findMember(jansen)->valueById(licence)->getNumber(), 1);
    EXPECT_EQ(doc.findMember(bakker)->valueById(licence)->getNumber(), 0);
    const KMember& filled = *doc.findMember(empty.id());
    EXPECT_EQ(filled.values().size(), doc.fields().size());
    EXPECT_EQ(filled.valueById(since)->date().value(), 0);
    EXPECT_EQ(filled.dateByMeaning(FieldMeaning::BirthDate).value(), 0);
    // One step back, it holds none again.
    doc.undoStack().undo();
    EXPECT_TRUE(doc.findMember(empty.id())->values().empty());
    doc.undoStack().redo();

    // Without any field left, every value goes.
    KEdit::replaceFields(doc, KFieldList(), doc.tabs());
    EXPECT_TRUE(doc.findMember(jansen)->values().empty());
}

TEST_F(FieldSetupTest, ARenamedFieldKeepsEveryMembersValue) {
    KMember m = *doc.findMember(jansen);
    m.valueByMeaning(FieldMeaning::City)->setText("Zwolle");
    KEdit::replaceMember(doc, jansen, m);
    KFieldSetup setup = open();
    KFieldSetup::Controls c = controls("Persoonlijk", "Plaats");
    c.meaning = FieldMeaning::City;
    c.selected = idOf("Woonplaats");
    act(setup, &KFieldSetup::change, c);
    const std::string before = savedBytes(doc);
    KEdit::replaceFields(doc, setup.fields(), setup.tabs());
    const KField* city = doc.findMember(jansen)->valueByMeaning(FieldMeaning::City);
    EXPECT_EQ(city->label(), "Plaats");
    EXPECT_EQ(city->text(), "Zwolle");
    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);
}
