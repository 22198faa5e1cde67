#include "core/KProgressReport.h"
#include "core/edit/KEdit.h"
#include "core/edit/SchemeCommands.h"
#include "core/model/ContributionRules.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/RecordingListener.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Ids = std::vector<std::int32_t>;

// Stops after a number of questions.
struct StopAfter : KProgressReport {
    explicit StopAfter(int answers) : left(answers) {}
    bool advance(std::int64_t) override { return left-- > 0; }
    int left;
};

class EditTest : public DocFixture {
protected:
    EditTest() {
        doc.OnNewDocument();
        jansen = addMember(doc, "Piet Jansen").id();
        devries = addMember(doc, "Els de Vries", "Donateur", false).id();
        bakker = addMember(doc, "Anna Bakker").id();
        doc.addListener(&heard);
    }

    // A scheme with a part for seniors and a part for everybody; not yet in the document.
    KContribution scheme(std::int32_t year, double seniorFee) {
        KContribution s(doc.handOutId());
        s.setDescription("Contributie " + std::to_string(year));
        s.setDate(KDateValue(year * 10000 + 101));
        KContrPart senior("Contributie", doc.handOutId(), seniorFee);
        KField condition = *doc.fields().findFirst(
            [](const KField& f) { return f.meaning() == FieldMeaning::Senior; });
        condition.setNumber(1);
        senior.AddCondition(condition);
        s.AddPart(senior);
        s.AddPart(KContrPart("Inschrijving", doc.handOutId(), 5.0));
        return s;
    }

    Ids allMembers() const {
        Ids ids;
        for (const KMember& m : doc.members())
            ids.push_back(m.id());
        return ids;
    }

    // The edit, then undo and redo: undone, the file is byte for byte what it was before;
    // redone, what it was after. Ids are handed out before the edit, as the program does.
    void roundTrip(const std::function<void()>& change) {
        const std::string before = savedBytes(doc);
        change();
        const std::string after = savedBytes(doc);
        EXPECT_NE(after, before);
        doc.undoStack().undo();
        EXPECT_EQ(savedBytes(doc), before);
        doc.undoStack().redo();
        EXPECT_EQ(savedBytes(doc), after);
        doc.undoStack().undo();
        EXPECT_EQ(savedBytes(doc), before);
    }

    RecordingListener heard;
    std::int32_t jansen = 0, devries = 0, bakker = 0;
};

} // namespace

TEST_F(EditTest, MemberEditsUndoToTheSameBytes) {
    KMember newcomer = makeMember(doc, "Zoë Zwart");
    roundTrip([&] { KEdit::addMember(doc, newcomer); });

    roundTrip([&] {
        KMember changed = *doc.findMember(devries);
        changed.setTextByMeaning(FieldMeaning::Name, "Aaltje Aarts"); // would sort first now
        changed.addPayment(KPayment(12.345, KDateValue(20240102), "kas"));
        ASSERT_TRUE(KEdit::replaceMember(doc, devries, changed));
        // A changed member keeps its place in the list.
        EXPECT_EQ(doc.members().at(1).id(), devries);
    });

    roundTrip([&] { EXPECT_EQ(KEdit::deleteMembers(doc, {bakker, 999, jansen}), 2u); });
    EXPECT_FALSE(KEdit::replaceMember(doc, 999, KMember()));
}

TEST_F(EditTest, ManyMembersChangeInOneStep) {
    std::vector<std::pair<std::int32_t, KMember>> contents;
    for (std::int32_t id : {jansen, 999, bakker}) {
        KMember changed = doc.findMember(id) ? *doc.findMember(id) : KMember();
        changed.addPayment(KPayment(10.0, KDateValue(20240105), "Bank 2024-01-05 REF1"));
        contents.emplace_back(id, changed);
    }
    const int steps = doc.undoStack().count();
    roundTrip([&] {
        EXPECT_EQ(KEdit::replaceMembers(doc, QStringLiteral("betalingen boeken"), contents), 2u);
        EXPECT_EQ(doc.undoStack().count(), steps + 1);
        EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("betalingen boeken"));
        EXPECT_EQ(doc.findMember(bakker)->payments().size(), 1u);
    });
    EXPECT_EQ(heard.changes.back().added, Ids{});
    EXPECT_EQ(heard.changes.back().changed, (Ids{jansen, bakker}));
    EXPECT_EQ(KEdit::replaceMembers(doc, QStringLiteral("niets"), {{999, KMember()}}), 0u);
    EXPECT_EQ(doc.undoStack().count(), steps + 1); // no step for nothing
}

TEST_F(EditTest, DeletingAnIdTwiceRemovesTwoMembersOfThatId) {
    // Only a damaged file has two members of one id; each id given takes the first left.
    KMember twin = makeMember(doc, "Kees Tweeling");
    twin.setId(jansen);
    KEdit::addMember(doc, twin);
    roundTrip([&] { EXPECT_EQ(KEdit::deleteMembers(doc, {jansen, jansen}), 2u); });
}

TEST_F(EditTest, ListenersHearWhatChanged) {
    KMember newcomer = makeMember(doc, "Zoë Zwart");
    KEdit::addMember(doc, newcomer);
    KEdit::replaceMember(doc, jansen, *doc.findMember(jansen));
    KEdit::deleteMembers(doc, {bakker});
    doc.undoStack().undo();
    ASSERT_EQ(heard.changes.size(), 4u);
    EXPECT_EQ(heard.changes[0].added, Ids{newcomer.id()});
    EXPECT_EQ(heard.changes[1].changed, Ids{jansen});
    EXPECT_EQ(heard.changes[2].removed, Ids{bakker});
    EXPECT_EQ(heard.changes[3].added, Ids{bakker});
    EXPECT_EQ(doc.findMember(bakker)->name(), "Anna Bakker");
}

TEST_F(EditTest, TheModifiedMarkFollowsTheHistory) {
    doc.SetModifiedFlag(false);
    heard.modifiedMarks.clear();
    KMember changed = *doc.findMember(jansen);
    changed.setTextByMeaning(FieldMeaning::City, "Zwolle");
    KEdit::replaceMember(doc, jansen, changed);
    EXPECT_TRUE(doc.IsModified());
    doc.undoStack().undo();
    EXPECT_FALSE(doc.IsModified()); // back at the saved state
    doc.undoStack().redo();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(heard.modifiedMarks, (std::vector<bool>{true, false, true}));

    // Saved after the change, undoing it modifies; redoing gets back to the saved state.
    doc.SetModifiedFlag(false);
    doc.undoStack().undo();
    EXPECT_TRUE(doc.IsModified());
    doc.undoStack().redo();
    EXPECT_FALSE(doc.IsModified());

    // An id handed out since the save is in the file: undoing does not make it unmodified.
    KEdit::addMember(doc, makeMember(doc, "Zoë Zwart"));
    doc.undoStack().undo();
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(EditTest, SchemeEditsUndoToTheSameBytes) {
    const KContribution s2024 = scheme(2024, 80.0);
    roundTrip([&] { KEdit::addScheme(doc, s2024); });
    KEdit::addScheme(doc, s2024);
    ASSERT_TRUE(KEdit::applyScheme(doc, s2024.id(), allMembers()));

    // Changed and carried through: every member is charged by the new amounts.
    KContribution dearer = s2024;
    dearer.ClearParts();
    for (const KContrPart& part : s2024.parts()) {
        KContrPart p = part;
        p.setAmount(part.amount() * 2);
        dearer.AddPart(p);
    }
    dearer.setDescription("Contributie 2024 (herzien)");
    roundTrip([&] {
        ASSERT_TRUE(KEdit::replaceScheme(doc, s2024.id(), dearer, true));
        EXPECT_DOUBLE_EQ(doc.findMember(jansen)->balance(), 170.0);
        EXPECT_DOUBLE_EQ(doc.findMember(devries)->balance(), 10.0);
    });
    roundTrip([&] {
        ASSERT_TRUE(KEdit::replaceScheme(doc, s2024.id(), dearer, false));
        EXPECT_DOUBLE_EQ(doc.findMember(jansen)->balance(), 85.0);
    });
    roundTrip([&] {
        ASSERT_TRUE(KEdit::deleteScheme(doc, s2024.id(), true));
        EXPECT_DOUBLE_EQ(doc.findMember(jansen)->balance(), 0.0);
    });
    roundTrip([&] {
        ASSERT_TRUE(KEdit::deleteScheme(doc, s2024.id(), false));
        EXPECT_DOUBLE_EQ(doc.findMember(jansen)->balance(), 85.0); // the charge stays behind
    });
}

TEST_F(EditTest, ExecutingChargesReplacesAndTotalsAsTheRulesDo) {
    const KContribution s2024 = scheme(2024, 80.0);
    const KContribution s2025 = scheme(2025, 90.0);
    KEdit::addScheme(doc, s2024);
    KEdit::addScheme(doc, s2025);
    // Jansen already has the later scheme: charged by 2024, but not counted in the total.
    ASSERT_TRUE(KEdit::applyScheme(doc, s2025.id(), {jansen}));
    std::optional<double> total;
    roundTrip([&] {
        total = KEdit::applyScheme(doc, s2024.id(), {jansen, devries, 4242, bakker});
        EXPECT_TRUE(doc.findMember(jansen)->hasChargeForScheme(s2024.id()));
    });
    ASSERT_TRUE(total);
    EXPECT_DOUBLE_EQ(*total, 5.0 + 85.0);

    // Executed again, a member's earlier charge is replaced, not added to.
    KEdit::applyScheme(doc, s2024.id(), allMembers());
    KEdit::applyScheme(doc, s2024.id(), allMembers());
    EXPECT_EQ(doc.findMember(bakker)->charges().size(), 1u);
    EXPECT_FALSE(KEdit::applyScheme(doc, 4242, allMembers()));

    // Nobody selected: still a step, the document modified.
    doc.SetModifiedFlag(false);
    EXPECT_EQ(KEdit::applyScheme(doc, s2024.id(), {}), 0.0);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(EditTest, AStoppedExecutionLeavesNothingBehind) {
    for (int i = 0; i < 600; ++i)
        KEdit::addMember(doc, makeMember(doc, "Lid " + std::to_string(i)));
    const KContribution s2024 = scheme(2024, 80.0);
    KEdit::addScheme(doc, s2024);
    const std::string before = savedBytes(doc);
    const int steps = doc.undoStack().count();
    StopAfter stop(1);
    EXPECT_FALSE(KEdit::applyScheme(doc, s2024.id(), allMembers(), &stop));
    EXPECT_EQ(savedBytes(doc), before);
    EXPECT_EQ(doc.undoStack().count(), steps);
}

TEST_F(EditTest, FieldsBroughtInStepAndBackAgain) {
    KMember rich = *doc.findMember(jansen);
    rich.valueByMeaning(FieldMeaning::Phone)->setText("ja");
    KEdit::replaceMember(doc, jansen, rich);

    KFieldList fields = doc.fields();
    KTabList tabs = doc.tabs();
    KField* phone = fields.findFirst([](const KField& f) { return f.label() == "Telefoon"; });
    phone->changeType(FieldType::Boolean); // converted: "ja" is not "Ja", so 0
    KField* city = fields.findFirst([](const KField& f) { return f.label() == "Woonplaats"; });
    city->setLabel("Plaats"); // only relabelled
    const std::int32_t email =
        fields.findFirst([](const KField& f) { return f.label() == "E-mail"; })->id();
    fields.removeFirst([email](const KField& f) { return f.id() == email; }); // removed
    KField iban(doc.handOutId(), FieldType::Text, FieldMeaning::Other, "IBAN");
    iban.setText("NL00");
    fields.insert(iban); // added with its default
    tabs.front().removeFieldId(email);

    roundTrip([&] {
        KEdit::replaceFields(doc, fields, tabs);
        const KMember& m = *doc.findMember(jansen);
        EXPECT_EQ(m.valueByMeaning(FieldMeaning::Phone)->type(), FieldType::Boolean);
        EXPECT_EQ(m.valueByMeaning(FieldMeaning::Phone)->getNumber(), 0);
        EXPECT_EQ(m.valueByMeaning(FieldMeaning::City)->label(), "Plaats");
        EXPECT_EQ(m.valueByMeaning(FieldMeaning::Email), nullptr);
        EXPECT_EQ(m.valueById(iban.id())->text(), "NL00");
        EXPECT_EQ(m.values().size(), doc.fields().size());
    });
    EXPECT_GE(heard.configurations, 3);
}

TEST_F(EditTest, TabsAndMemberTypes) {
    KTabList tabs = doc.tabs();
    tabs.insert(KTabDef("Bank", 2));
    roundTrip([&] { KEdit::replaceTabs(doc, tabs); });

    roundTrip([&] {
        KEdit::replaceMemberTypes(doc, {"Lid", "Steunlid", "Erelid"},
                                  {{devries, "Steunlid"}, {4242, "Lid"}});
        EXPECT_EQ(doc.findMember(devries)->textByMeaning(FieldMeaning::MemberType), "Steunlid");
    });
}

TEST_F(EditTest, TheHistoryIsBoundedAndAnExecutionIsStoredCompactly) {
    for (int i = 0; i < 120; ++i)
        KEdit::replaceMember(doc, jansen, *doc.findMember(jansen));
    EXPECT_LE(doc.undoStack().count(), 50);

    for (int i = 0; i < 1000; ++i)
        KEdit::addMember(doc, makeMember(doc, "Lid " + std::to_string(i)));
    const KContribution s2024 = scheme(2024, 80.0);
    KEdit::addScheme(doc, s2024);
    KApplySchemeCommand command(doc, s2024, allMembers());
    ASSERT_TRUE(command.perform(nullptr));
    // A first execution takes no charge out; its record is a few words a member.
    EXPECT_LT(command.memoryBytes(), 40u * doc.members().size());
}
