// The commands of the menu "&Financieel" with scripted dialogs and answers: what they ask, the
// one edit each makes, and when they are enabled.
#include "contrib/KContribCommands.h"
#include "contrib/KContribDialogs.h"
#include "core/KProgressReport.h"
#include "core/contrib/KOverview.h"
#include "core/contrib/KSchemeEditor.h"
#include "core/edit/KEdit.h"
#include "grid/CvsFlexGrid.h"
#include "platform/Profile.h"
#include "res/Commands.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/TestCommandHost.h"

#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>

namespace {

using Ids = std::vector<std::int32_t>;

// Stops the work at the first report.
struct StopAtOnce : KProgressReport {
    bool advance(std::int64_t) override { return false; }
};

// The dialogs, answered by the test: each answer is used once, in order.
class ScriptedContribDialogs : public KContribDialogs {
public:
    std::deque<std::function<bool(KSchemeEditor&)>> schemes;
    std::deque<std::optional<Ids>> members;
    std::deque<std::function<void(const KOverview&, const std::function<void(int, int)>&)>> overviews;
    bool stop = false;

    // What the execution dialog was shown.
    std::string shownDescription;
    std::vector<KExecution::Row> shownRows;

    bool editScheme(KSchemeEditor& editor) override {
        if (schemes.empty()) {
            ADD_FAILURE() << "unexpected scheme dialog";
            return false;
        }
        auto answer = std::move(schemes.front());
        schemes.pop_front();
        return answer(editor);
    }
    std::optional<Ids> chooseMembers(const std::string& description,
                                     const std::vector<KExecution::Row>& rows) override {
        shownDescription = description;
        shownRows = rows;
        if (members.empty()) {
            ADD_FAILURE() << "unexpected execution dialog";
            return std::nullopt;
        }
        auto answer = members.front();
        members.pop_front();
        return answer;
    }
    void showOverview(const KOverview& overview,
                      const std::function<void(int, int)>& cellChosen) override {
        if (overviews.empty()) {
            ADD_FAILURE() << "unexpected overview";
            return;
        }
        auto answer = std::move(overviews.front());
        overviews.pop_front();
        answer(overview, cellChosen);
    }
    std::unique_ptr<KProgressReport> progress() override {
        if (stop)
            return std::make_unique<StopAtOnce>();
        return std::make_unique<KNoProgress>();
    }
};

class ContribCommandsTest : public DocFixture {
protected:
    ContribCommandsTest() : DocFixture({.today = 20260315}) {
        guiApplication();
        doc.OnNewDocument();
        auto scripted = std::make_unique<ScriptedContribDialogs>();
        dialogs = scripted.get();
        commands = std::make_unique<KContribCommands>(host, std::move(scripted));
    }

    ScriptedQuestions& questions() { return host.scripted(); }

    // A scheme of two parts: 85.00 for seniors, 20.00 for everybody.
    std::int32_t addScheme(const char* description = "Contributie 2026", double senior = 85.0) {
        KContribution s(doc.handOutId());
        s.setDescription(description);
        s.setDate(KDateValue(20260101));
        KContrPart part("Contributie", doc.handOutId(), senior);
        KField condition = *doc.fields().findFirst(
            [](const KField& f) { return f.meaning() == FieldMeaning::Senior; });
        condition.setNumber(1);
        part.AddCondition(condition);
        s.AddPart(part);
        s.AddPart(KContrPart("Bond", doc.handOutId(), 20.0));
        KEdit::addScheme(doc, s);
        return s.id();
    }

    double chargeOf(std::int32_t member, std::int32_t scheme) const {
        for (const KCharge& c : doc.findMember(member)->charges())
            if (c.scheme()->id() == scheme)
                return c.total();
        return -1.0;
    }

    TestCommandHost host{doc};
    ScriptedContribDialogs* dialogs = nullptr;
    std::unique_ptr<KContribCommands> commands;
};

} // namespace

TEST_F(ContribCommandsTest, CommandsNeedSchemesAndMembers) {
    EXPECT_TRUE(host.enabled(Cmd::ContrNew));
    EXPECT_TRUE(host.enabled(Cmd::ContrOverview));
    for (int id : {Cmd::ContrChange, Cmd::ContrDelete, Cmd::ContrExecute})
        EXPECT_FALSE(host.enabled(id)) << id;
    const std::int32_t s = addScheme();
    EXPECT_TRUE(host.enabled(Cmd::ContrChange));
    EXPECT_TRUE(host.enabled(Cmd::ContrDelete));
    EXPECT_FALSE(host.enabled(Cmd::ContrExecute));
    addMember(doc, "Jansen");
    EXPECT_TRUE(host.enabled(Cmd::ContrExecute));

    // Deleting the only scheme disables what needs one.
    questions().answerYesNo(true);
    ASSERT_TRUE(host.trigger(Cmd::ContrDelete));
    EXPECT_EQ(doc.findSchemeById(s), nullptr);
    for (int id : {Cmd::ContrChange, Cmd::ContrDelete, Cmd::ContrExecute})
        EXPECT_FALSE(host.enabled(id)) << id;

    // Without schemes or members the commands say so, should they be reached.
    commands->execute();
    commands->changeScheme();
    addScheme();
    KEdit::deleteMembers(doc, {doc.members().front().id()});
    commands->execute();
    EXPECT_EQ(questions().alerts(), (QStringList{"Er zijn geen contributies", "Er zijn geen contributies",
                                                 "Er zijn geen leden"}));
}

TEST_F(ContribCommandsTest, ANewSchemeIsOneStepAndACancelledOneKeepsItsId) {
    const std::int32_t before = doc.lastId();
    dialogs->schemes.push_back([](KSchemeEditor&) { return false; });
    ASSERT_TRUE(host.trigger(Cmd::ContrNew));
    EXPECT_TRUE(doc.schemes().empty());
    EXPECT_EQ(doc.lastId(), before + 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.undoStack().count(), 0);

    dialogs->schemes.push_back([](KSchemeEditor& editor) {
        editor.standard();
        return true;
    });
    ASSERT_TRUE(host.trigger(Cmd::ContrNew));
    ASSERT_EQ(doc.schemes().size(), 1u);
    const KContribution& made = doc.schemes().front();
    EXPECT_EQ(made.id(), before + 2);
    EXPECT_EQ(made.description(), "Contributie 2026");
    EXPECT_EQ(made.parts().size(), 18u); // 2 x 3 member types x 3
    EXPECT_EQ(doc.undoStack().count(), 1);
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("nieuwe contributie"));
    EXPECT_TRUE(questions().asked().empty());
}

TEST_F(ContribCommandsTest, AChangeIsCarriedThroughOnlyWhenTheUserWantsIt) {
    const std::int32_t s = addScheme();
    const std::int32_t jansen = addMember(doc, "Jansen").id();
    const std::int32_t visser = addMember(doc, "Visser", "Lid", false).id();
    const auto dearer = [](KSchemeEditor& editor) {
        editor.selectPart(editor.partRows().front().id);
        editor.changePart(editor.partRows().front().id, "Contributie", "90");
        return true;
    };

    // Nobody charged: one scheme, no choice, no question; the document is changed all the same.
    dialogs->schemes.push_back(dearer);
    ASSERT_TRUE(host.trigger(Cmd::ContrChange));
    EXPECT_TRUE(questions().asked().empty());
    EXPECT_EQ(doc.findSchemeById(s)->parts().front().amount(), 90.0);
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("contributie wijzigen"));

    ASSERT_TRUE(KEdit::applyScheme(doc, s, {jansen}));
    dialogs->schemes.push_back([](KSchemeEditor& editor) {
        editor.selectPart(editor.partRows().front().id);
        editor.changePart(editor.partRows().front().id, "Contributie", "95");
        return true;
    });
    questions().answerYesNo(false);
    ASSERT_TRUE(host.trigger(Cmd::ContrChange));
    EXPECT_EQ(questions().asked().back().message,
              QStringLiteral("Wilt u deze wijziging ook bij de leden doorvoeren?"));
    EXPECT_EQ(chargeOf(jansen, s), 110.0);
    EXPECT_EQ(chargeOf(visser, s), -1.0);

    // OK on an unchanged scheme: nothing to carry through, so nothing asked.
    dialogs->schemes.push_back([](KSchemeEditor&) { return true; });
    ASSERT_TRUE(host.trigger(Cmd::ContrChange));
    EXPECT_TRUE(questions().done());
    EXPECT_EQ(questions().asked().size(), 1u);
    EXPECT_EQ(chargeOf(jansen, s), 110.0);

    // Carried through: charged again, also the member left out when it was executed. The
    // question has "Nee" as its default.
    const std::string before = savedBytes(doc);
    dialogs->schemes.push_back([](KSchemeEditor& editor) {
        editor.setDescription("Contributie 2026 (herzien)");
        return true;
    });
    questions().answerYesNo(true);
    ASSERT_TRUE(host.trigger(Cmd::ContrChange));
    EXPECT_EQ(questions().asked().back().kind, QStringLiteral("yesNoDefaultNo"));
    EXPECT_EQ(chargeOf(jansen, s), 115.0);
    EXPECT_EQ(chargeOf(visser, s), 20.0);
    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);

    // Cancelled: nothing asked, nothing changed.
    dialogs->schemes.push_back([](KSchemeEditor&) { return false; });
    ASSERT_TRUE(host.trigger(Cmd::ContrChange));
    EXPECT_EQ(savedBytes(doc), before);
    EXPECT_TRUE(questions().done());
}

TEST_F(ContribCommandsTest, DeletingAsksAboutTheChargesToo) {
    const std::int32_t s2025 = addScheme("Contributie 2025");
    const std::int32_t s2026 = addScheme("Contributie 2026");
    const std::int32_t jansen = addMember(doc, "Jansen").id();
    ASSERT_TRUE(KEdit::applyScheme(doc, s2026, {jansen}));

    // Two schemes: chosen by description. "Nee" to the first question ends it.
    questions().answerSelect({1}).answerYesNo(false);
    ASSERT_TRUE(host.trigger(Cmd::ContrDelete));
    EXPECT_EQ(questions().asked().back().message,
              QStringLiteral("Weet u zeker dat u\n\nContributie 2026\n\nwilt verwijderen?"));
    EXPECT_EQ(doc.schemes().size(), 2u);

    // Without charges only the first question.
    questions().answerSelect({0}).answerYesNo(true);
    ASSERT_TRUE(host.trigger(Cmd::ContrDelete));
    EXPECT_EQ(doc.findSchemeById(s2025), nullptr);

    // Keeping the charges: they stay, and the overview counts them as extra.
    questions().answerYesNo(true).answerYesNo(false);
    ASSERT_TRUE(host.trigger(Cmd::ContrDelete));
    EXPECT_EQ(questions().asked().back().message,
              QStringLiteral("Deze contributie is al bij de leden verwerkt.\nWilt u de contributie ook bij de "
                             "leden verwijderen?"));
    EXPECT_TRUE(doc.schemes().empty());
    EXPECT_EQ(chargeOf(jansen, s2026), 105.0);
    EXPECT_EQ(KOverview(doc).cell(0, 1), "Extra betaling");
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("contributie verwijderen"));

    // Removing them: one step, undone whole.
    doc.undoStack().undo();
    questions().answerYesNo(true).answerYesNo(true);
    ASSERT_TRUE(host.trigger(Cmd::ContrDelete));
    EXPECT_EQ(chargeOf(jansen, s2026), -1.0);
    doc.undoStack().undo();
    EXPECT_EQ(chargeOf(jansen, s2026), 105.0);
    ASSERT_EQ(doc.schemes().size(), 1u);
    EXPECT_TRUE(questions().done());
}

TEST_F(ContribCommandsTest, ExecutingChargesTheChosenMembersAndReportsTheTotal) {
    const std::int32_t s = addScheme();
    const std::int32_t jansen = addMember(doc, "Jansen").id();
    const std::int32_t visser = addMember(doc, "Visser", "Lid", false).id();
    ASSERT_TRUE(KEdit::applyScheme(doc, s, {jansen}));
    const int steps = doc.undoStack().count();

    // Cancelled: nothing.
    dialogs->members.push_back(std::nullopt);
    ASSERT_TRUE(host.trigger(Cmd::ContrExecute));
    EXPECT_EQ(dialogs->shownDescription, "Contributie 2026");
    ASSERT_EQ(dialogs->shownRows.size(), 2u);
    EXPECT_EQ(dialogs->shownRows[0].amount, "105.00");
    EXPECT_EQ(doc.undoStack().count(), steps);

    // Jansen's charge would be replaced: asked once, "Nee" the default; "Nee" changes nothing.
    const QString replaceOne = QStringLiteral(
        "Eén van de gekozen leden heeft al een bedrag van deze contributie. Dat bedrag wordt "
        "vervangen, ook wat er met de hand in is gewijzigd.\n\nWilt u doorgaan?");
    dialogs->members.push_back(Ids{visser, jansen});
    questions().answerYesNo(false);
    ASSERT_TRUE(host.trigger(Cmd::ContrExecute));
    EXPECT_EQ(questions().asked().back().message, replaceOne);
    EXPECT_EQ(questions().asked().back().kind, QStringLiteral("yesNoDefaultNo"));
    EXPECT_EQ(doc.undoStack().count(), steps);
    EXPECT_EQ(chargeOf(visser, s), -1.0);
    EXPECT_EQ(host.statusMessages().back(),
              QStringLiteral("Contributie uitvoeren gestopt; er is niets veranderd."));

    dialogs->members.push_back(Ids{visser, jansen});
    questions().answerYesNo(true);
    ASSERT_TRUE(host.trigger(Cmd::ContrExecute));
    EXPECT_EQ(questions().alerts().back(),
              QStringLiteral("Er is een totaal van 125.00 aan contributies uitgeschreven."));
    EXPECT_EQ(chargeOf(visser, s), 20.0);
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("contributie uitvoeren"));

    // Members without a charge of it: nothing to ask.
    doc.undoStack().undo();
    const std::size_t asked = questions().asked().size();
    dialogs->members.push_back(Ids{visser});
    ASSERT_TRUE(host.trigger(Cmd::ContrExecute));
    EXPECT_EQ(questions().asked().size(), asked + 1); // the total only
    EXPECT_EQ(questions().asked().back().kind, QStringLiteral("alert"));

    // For nobody: a total of 0.00 and no step in the history.
    const int stepsNow = doc.undoStack().count();
    dialogs->members.push_back(Ids{});
    ASSERT_TRUE(host.trigger(Cmd::ContrExecute));
    EXPECT_EQ(questions().alerts().back(),
              QStringLiteral("Er is een totaal van 0.00 aan contributies uitgeschreven."));
    EXPECT_EQ(doc.undoStack().count(), stepsNow);

    // Stopped: nothing changed, and the status bar says so. (Progress is reported every few
    // hundred members, so the club grows first.)
    for (int i = 0; i < 300; ++i)
        addMember(doc, "Lid " + std::to_string(i));
    const std::string before = savedBytes(doc);
    const auto alerts = questions().alerts().size();
    const int stepsBefore = doc.undoStack().count();
    dialogs->stop = true;
    dialogs->members.push_back(KExecution::allMembers(KExecution::rows(doc, *doc.findSchemeById(s))));
    questions().answerYesNo(true); // two charges replaced
    ASSERT_TRUE(host.trigger(Cmd::ContrExecute));
    EXPECT_TRUE(questions().asked().back().message.startsWith(QStringLiteral("2 van de gekozen leden")));
    EXPECT_EQ(savedBytes(doc), before);
    EXPECT_EQ(doc.undoStack().count(), stepsBefore);
    EXPECT_EQ(questions().alerts().size(), alerts);
    EXPECT_EQ(host.statusMessages().back(),
              QStringLiteral("Contributie uitvoeren gestopt; er is niets veranderd."));
    EXPECT_TRUE(questions().done());
}

TEST_F(ContribCommandsTest, TheExecutionListsTheMembersInTheGridsOrder) {
    const std::int32_t s = addScheme();
    addMember(doc, "Jansen");
    addMember(doc, "Visser");
    addMember(doc, "Bakker");
    Profile::writeString(QStringLiteral("Settings"), QStringLiteral("Columns"),
                         QStringLiteral("Nr.|Naam|Schuld"));
    KMainView& view = host.mainView();
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.OnUpdate();
    CvsFlexGrid& grid = view.grid();
    int nameColumn = -1;
    for (int col = 0; col < grid.colCount(); ++col)
        if (grid.cellText(0, col) == "Naam")
            nameColumn = col;
    ASSERT_GE(nameColumn, 0);
    // The grid sorted on the name, descending: another order than the document's.
    grid.setCurrentCol(nameColumn);
    grid.setSortOrder(2);
    const Ids shown = view.memberRows();
    ASSERT_EQ(shown.size(), 3u);
    ASSERT_EQ(doc.findMember(shown.front())->name(), "Visser");

    dialogs->members.push_back(std::nullopt);
    ASSERT_TRUE(host.trigger(Cmd::ContrExecute));
    Ids listed;
    for (const KExecution::Row& row : dialogs->shownRows)
        listed.push_back(row.memberId);
    EXPECT_EQ(listed, shown);
    EXPECT_NE(doc.findSchemeById(s), nullptr);
}

TEST_F(ContribCommandsTest, TheOverviewListsTheMembersBehindACell) {
    dialogs->overviews.push_back([](const KOverview& overview, const auto&) {
        EXPECT_EQ(overview.rowCount(), 0);
    });
    ASSERT_TRUE(host.trigger(Cmd::ContrOverview));
    EXPECT_EQ(questions().alerts(), QStringList{"Er zijn geen leden"});

    const std::int32_t s = addScheme();
    const std::int32_t jansen = addMember(doc, "Jansen").id();
    const std::int32_t visser = addMember(doc, "Visser", "Lid", false).id();
    ASSERT_TRUE(KEdit::applyScheme(doc, s, {jansen, visser}));
    questions().answerSelect({});
    dialogs->overviews.push_back([](const KOverview& overview, const auto& cellChosen) {
        ASSERT_EQ(overview.cell(3, 0), "Totaal");
        cellChosen(3, 1);
        cellChosen(0, 1); // a title: nothing
    });
    ASSERT_TRUE(host.trigger(Cmd::ContrOverview));
    const auto& asked = questions().asked().back();
    EXPECT_EQ(asked.kind, QStringLiteral("selectString"));
    EXPECT_EQ(asked.caption, QStringLiteral("Contributie 2026 / Totaal"));
    EXPECT_EQ(asked.items, (QStringList{"Jansen: 105.00", "Visser: 20.00"}));
    EXPECT_TRUE(questions().done());
}
