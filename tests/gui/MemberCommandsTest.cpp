#include "member/KMemberCommands.h"

#include "ScriptedMemberDialogs.h"
#include "grid/CvsFlexGrid.h"
#include "core/edit/KEdit.h"
#include "core/settings/Settings.h"
#include "res/Commands.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/TestCommandHost.h"

#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Ids = std::vector<std::int32_t>;

class MemberCommandsTest : public DocFixture {
protected:
    MemberCommandsTest() : DocFixture({.today = 0}) {}

    void SetUp() override {
        guiApplication();
        Settings::setColumns("Nr.|Naam|Woonplaats|Schuld|");
        doc.OnNewDocument();
        for (const char* name : {"Piet Jansen", "Anna Visser", "Kees Bakker"})
            addMember(doc, name);
        doc.undoStack().clear();
        doc.SetModifiedFlag(false);
        host = std::make_unique<TestCommandHost>(doc);
        auto scripted = std::make_unique<ScriptedMemberDialogs>();
        dialogs = scripted.get();
        commands = std::make_unique<KMemberCommands>(*host, std::move(scripted));
        host->mainView().OnUpdate();
    }

    std::int32_t idOf(const std::string& name) const {
        for (const KMember& m : doc.members())
            if (m.name() == name)
                return m.id();
        return 0;
    }
    CvsFlexGrid& grid() { return host->mainView().grid(); }
    ScriptedQuestions& questions() { return host->scripted(); }
    Ids selected() { return host->mainView().selectedMembers(); }

    // The member dialog renames the member it is given.
    static ScriptedMemberDialogs::MemberAnswer renameTo(const std::string& name) {
        return [name](const KMember& start, bool) {
            KMember changed = start;
            changed.setTextByMeaning(FieldMeaning::Name, name);
            return std::optional<KMember>(changed);
        };
    }
    static std::optional<KMember> cancel(const KMember&, bool) { return std::nullopt; }

    std::unique_ptr<TestCommandHost> host;
    ScriptedMemberDialogs* dialogs = nullptr;
    std::unique_ptr<KMemberCommands> commands;
};

} // namespace

TEST_F(MemberCommandsTest, AddingHandsOutTheIdOnlyAfterOk) {
    PinnedToday today(20240415);
    const std::int32_t lastId = doc.lastId();
    const std::string before = savedBytes(doc);
    dialogs->answerMember([](const KMember& start, bool adding) {
        EXPECT_TRUE(adding);
        EXPECT_EQ(start.values().size(), 16u); // one value per field
        EXPECT_EQ(start.name(), "");
        // Born on no day; registered on the day of adding, as the first member type.
        EXPECT_EQ(start.dateByMeaning(FieldMeaning::BirthDate).value(), 0);
        EXPECT_EQ(start.dateByMeaning(FieldMeaning::RegistrationDate).value(), 20240415);
        EXPECT_EQ(start.textByMeaning(FieldMeaning::MemberType), "Lid");
        return std::nullopt;
    });
    ASSERT_TRUE(host->trigger(Cmd::MemberAdd));
    EXPECT_EQ(doc.lastId(), lastId);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.undoStack().count(), 0);

    dialogs->answerMember(renameTo("Zoe Zwart"));
    ASSERT_TRUE(host->trigger(Cmd::MemberAdd));
    const std::int32_t id = idOf("Zoe Zwart");
    EXPECT_EQ(id, lastId + 1);
    EXPECT_EQ(doc.lastId(), lastId + 1);
    EXPECT_EQ(doc.members().size(), 4u);
    EXPECT_EQ(selected(), Ids{id});
    EXPECT_EQ(grid().cellText(grid().currentRow(), 0), std::to_string(id));
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("lid toevoegen"));

    doc.undoStack().undo();
    EXPECT_EQ(doc.members().size(), 3u);
    EXPECT_EQ(doc.findMember(id), nullptr);
    // The id stays handed out: the counter is saved and never goes back.
    EXPECT_NE(savedBytes(doc), before);
    EXPECT_EQ(doc.lastId(), lastId + 1);
}

TEST_F(MemberCommandsTest, AMemberWithoutValuesIsEditedWithEveryField) {
    KMember bare;
    bare.setId(doc.handOutId());
    bare.addPayment(KPayment(3.0, KDateValue(20240101)));
    KEdit::addMember(doc, bare);
    host->mainView().OnUpdate();
    host->mainView().selectMemberRow(bare.id());
    dialogs->answerMember([&](const KMember& start, bool adding) {
        EXPECT_FALSE(adding);
        EXPECT_EQ(start.values().size(), doc.fields().size());
        EXPECT_EQ(start.dateByMeaning(FieldMeaning::BirthDate).value(), 0);
        EXPECT_EQ(start.payments().size(), 1u);
        KMember named = start;
        named.setTextByMeaning(FieldMeaning::Name, "Gevonden");
        return std::optional<KMember>(named);
    });
    ASSERT_TRUE(host->trigger(Cmd::MemberEdit));
    EXPECT_EQ(doc.findMember(bare.id())->name(), "Gevonden");
    EXPECT_TRUE(dialogs->done());
}

TEST_F(MemberCommandsTest, ChangingEditsTheFirstSelectedMember) {
    ASSERT_TRUE(host->trigger(Cmd::MemberEdit));
    EXPECT_EQ(questions().alerts(), QStringList{"Selecteer eerst een lid."});

    const std::int32_t anna = idOf("Anna Visser");
    const std::int32_t kees = idOf("Kees Bakker");
    host->mainView().selectMemberRow(anna);
    for (int row = 1; row < grid().rowCount(); ++row)
        if (grid().cellText(row, 0) == std::to_string(kees))
            grid().setRowSelected(row, true);
    const Ids both = selected(); // from the top: Bakker before Visser
    ASSERT_EQ(both, (Ids{kees, anna}));

    const std::string before = savedBytes(doc);
    dialogs->answerMember([&](const KMember& start, bool adding) {
        EXPECT_FALSE(adding);
        EXPECT_EQ(start.name(), doc.findMember(both.front())->name());
        KMember changed = start;
        changed.setTextByMeaning(FieldMeaning::City, "Zwolle");
        changed.addPayment(KPayment(12.5, KDateValue(20240101)));
        return std::optional<KMember>(changed);
    });
    ASSERT_TRUE(host->trigger(Cmd::MemberEdit));
    const KMember& edited = *doc.findMember(both.front());
    EXPECT_EQ(edited.textByMeaning(FieldMeaning::City), "Zwolle");
    EXPECT_EQ(edited.balance(), -12.5);
    EXPECT_EQ(selected(), Ids{both.front()});
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("lid wijzigen"));
    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);

    dialogs->answerMember(cancel);
    ASSERT_TRUE(host->trigger(Cmd::MemberEdit));
    EXPECT_EQ(savedBytes(doc), before);
    EXPECT_FALSE(doc.undoStack().canUndo());

    commands->editMemberById(999999);
    EXPECT_EQ(questions().alerts().back(), QStringLiteral("Kan gegevens niet vinden."));
    EXPECT_TRUE(dialogs->done());
}

TEST_F(MemberCommandsTest, DeletingOneAsksWithTheNameSeveralAskOnce) {
    ASSERT_TRUE(host->trigger(Cmd::MemberDelete));
    EXPECT_EQ(questions().alerts(), QStringList{"Geen leden geselecteerd om te verwijderen."});

    const std::string before = savedBytes(doc);
    const std::int32_t piet = idOf("Piet Jansen");
    host->mainView().selectMemberRow(piet);
    questions().answerYesNo(false).answerYesNo(true);
    ASSERT_TRUE(host->trigger(Cmd::MemberDelete));
    EXPECT_EQ(doc.members().size(), 3u);
    EXPECT_EQ(questions().asked().back().message,
              QStringLiteral("Weet u zeker dat u\nPiet Jansen\nwilt verwijderen?"));
    ASSERT_TRUE(host->trigger(Cmd::MemberDelete));
    EXPECT_EQ(doc.findMember(piet), nullptr);
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("leden verwijderen"));
    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);

    for (int row = 1; row < grid().rowCount(); ++row)
        grid().setRowSelected(row, true);
    questions().answerYesNo(false).answerYesNo(true);
    ASSERT_TRUE(host->trigger(Cmd::MemberDelete));
    EXPECT_EQ(doc.members().size(), 3u);
    ASSERT_TRUE(host->trigger(Cmd::MemberDelete));
    EXPECT_TRUE(doc.members().empty());
    EXPECT_EQ(questions().asked().back().message,
              QStringLiteral("Weet u zeker dat u de geselecteerde leden wilt verwijderen?"));
    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);
    EXPECT_TRUE(questions().done());
}

TEST_F(MemberCommandsTest, OfTwoNamesakesOnlyTheSelectedOneGoes) {
    const std::int32_t first = idOf("Piet Jansen");
    const std::int32_t twin = addMember(doc, "Piet Jansen").id();
    ASSERT_NE(twin, first);
    host->mainView().selectMemberRow(twin);
    questions().answerYesNo(true);
    ASSERT_TRUE(host->trigger(Cmd::MemberDelete));
    EXPECT_EQ(doc.findMember(twin), nullptr);
    EXPECT_NE(doc.findMember(first), nullptr);

    // Ids that find no member are passed over; with none found nothing is done at all.
    commands->deleteMembersByIds({twin});
    EXPECT_EQ(doc.undoStack().count(), 2); // the member added above and its delete
}

TEST_F(MemberCommandsTest, AChangedMembersRowIsWhereTheKeyboardGoesOn) {
    for (int i = 0; i < 60; ++i)
        addMember(doc, "Lid " + std::to_string(100 + i) + " Aa");
    host->mainView().resize(600, 200);
    host->mainView().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host->mainView()));
    QTableView* view = grid().view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      view->visualRect(view->model()->index(0, 2)).center());

    const std::int32_t piet = idOf("Piet Jansen"); // far down, sorted by surname
    dialogs->answerMember(renameTo("Piet Jansen"));
    commands->editMemberById(piet);
    const int row = grid().currentRow();
    EXPECT_EQ(grid().cellText(row, 0), std::to_string(piet));
    EXPECT_GT(row, 50);
    EXPECT_TRUE(
        view->viewport()->rect().intersects(view->visualRect(view->model()->index(row - 1, 2))));
    QTest::keyClick(view, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(grid().selectedRowCount(), 2);
    EXPECT_EQ(grid().selectedRowAt(0), row - 1);
    EXPECT_EQ(grid().selectedRowAt(1), row);
}

TEST_F(MemberCommandsTest, AgesUpdateSeniorInOneStepAfterSayingHowMany) {
    PinnedToday pinned(20260315);
    const auto born = [this](const char* name, std::int32_t date, bool senior) {
        const std::int32_t id = idOf(name);
        KMember m = *doc.findMember(id);
        m.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(date));
        m.valueByMeaning(FieldMeaning::Senior)->setNumber(senior ? 1 : 0);
        ASSERT_TRUE(KEdit::replaceMember(doc, id, m));
    };
    born("Piet Jansen", 20090101, false); // 18 on 1 January 2027
    born("Anna Visser", 20100101, true);  // 17: no senior any more
    born("Kees Bakker", 0, true);         // no birth date: stays
    const int steps = doc.undoStack().count();
    const auto senior = [this](const char* name) {
        return doc.findMember(idOf(name))->valueByMeaning(FieldMeaning::Senior)->number() == 1;
    };

    // The dialog starts at 1 January of next year and 18; cancelled, nothing happens.
    KMemberDialogs::AgeChoice shown;
    dialogs->answerAge([&shown](const KMemberDialogs::AgeChoice& start) {
        shown = start;
        return std::optional<KMemberDialogs::AgeChoice>();
    });
    ASSERT_TRUE(host->trigger(Cmd::MemberAgeUpdate));
    EXPECT_EQ(shown.reference.value(), 20270101);
    EXPECT_EQ(shown.age, 18);
    EXPECT_EQ(doc.undoStack().count(), steps);

    // "Nee" to the count: nothing changes.
    const auto asShown = [](const KMemberDialogs::AgeChoice& start) {
        return std::optional<KMemberDialogs::AgeChoice>(start);
    };
    dialogs->answerAge(asShown);
    questions().answerYesNo(false);
    ASSERT_TRUE(host->trigger(Cmd::MemberAgeUpdate));
    EXPECT_EQ(questions().asked().back().message,
              QStringLiteral("Bij 1 lid wordt Senior \"Ja\", bij 1 lid \"Nee\". 1 lid zonder "
                             "geboortedatum blijft zoals het is.\n\nWilt u doorgaan?"));
    EXPECT_EQ(doc.undoStack().count(), steps);

    dialogs->answerAge(asShown);
    questions().answerYesNo(true);
    ASSERT_TRUE(host->trigger(Cmd::MemberAgeUpdate));
    EXPECT_TRUE(senior("Piet Jansen"));
    EXPECT_FALSE(senior("Anna Visser"));
    EXPECT_TRUE(senior("Kees Bakker"));
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("leeftijd bijwerken"));
    EXPECT_EQ(host->statusMessages().back(), QStringLiteral("Senior bijgewerkt bij 2 leden."));

    // Again: nothing to change, no step.
    dialogs->answerAge(asShown);
    ASSERT_TRUE(host->trigger(Cmd::MemberAgeUpdate));
    EXPECT_EQ(questions().alerts().back(), QStringLiteral("Bij geen enkel lid verandert Senior."));
    EXPECT_EQ(doc.undoStack().count(), steps + 1);

    doc.undoStack().undo();
    EXPECT_FALSE(senior("Piet Jansen"));
    EXPECT_TRUE(senior("Anna Visser"));
    EXPECT_TRUE(dialogs->done());
    EXPECT_TRUE(questions().done());
}
