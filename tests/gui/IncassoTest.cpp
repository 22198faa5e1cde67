// The page "Incasso" of the settings sheet, the dialog "Incassobestand maken" and its command
// with scripted dialogs and answers.
#include "config/KSetIncasso.h"
#include "config/KSettings.h"
#include "core/KProgressReport.h"
#include "core/incasso/BusinessDays.h"
#include "core/settings/Settings.h"
#include "grid/CvsFlexGrid.h"
#include "incasso/KDlgIncasso.h"
#include "incasso/KIncassoCommands.h"
#include "res/Commands.h"
#include "tests/support/Charges.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/IncassoClub.h"
#include "tests/support/Pinned.h"
#include "tests/support/ScriptedQuestions.h"
#include "tests/support/TestCommandHost.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <deque>

namespace {

TEST(IncassoSettingsPage, IsCheckedWhenItIsLeftAndOnOk) {
    ScriptedQuestions questions;
    KSettings sheet;
    sheet.setQuestions(&questions);
    IncassoSettings stored;
    stored.mandateField = QStringLiteral("Kenmerk");
    sheet.setIncasso(stored, {QStringLiteral("BIC"), QStringLiteral("IBAN"),
                              QStringLiteral("Kenmerk"), QStringLiteral("Naam")});
    sheet.show();
    EXPECT_FALSE(sheet.incasso()) << "not shown: nothing to store";
    ASSERT_EQ(sheet.pages()->tabText(2), QStringLiteral("Incasso"));
    sheet.pages()->setCurrentIndex(2);
    KSetIncasso* page = sheet.incassoPage();

    // The chosen labels and the defaults; a default no field has is marked.
    EXPECT_EQ(page->ibanFieldBox()->currentText(), QStringLiteral("IBAN"));
    EXPECT_EQ(page->mandateFieldBox()->currentText(), QStringLiteral("Kenmerk"));
    EXPECT_EQ(page->mandateDateFieldBox()->currentText(),
              QStringLiteral("Datum machtiging (veld ontbreekt)"));

    page->nameEdit()->setText(QStringLiteral("TTV De Smash"));
    page->ibanEdit()->setText(QStringLiteral("NL91 ABNA 0417 1643 01"));
    sheet.pages()->setCurrentIndex(0);
    EXPECT_EQ(sheet.pages()->currentWidget(), page) << "a wrong IBAN keeps the page";
    ASSERT_EQ(questions.alerts().size(), 1);
    EXPECT_TRUE(questions.alerts().back().contains(QStringLiteral("NL91ABNA0417164301")));

    page->ibanEdit()->setText(QStringLiteral("NL91 ABNA 0417 1643 00"));
    page->creditorIdEdit()->setText(QStringLiteral("NL78ZZZ999999990000"));
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible()) << "a wrong Incassant-ID keeps the sheet open";
    ASSERT_EQ(questions.alerts().size(), 2);
    EXPECT_TRUE(questions.alerts().back().contains(QStringLiteral("Incassant-ID")));

    page->creditorIdEdit()->setText(QStringLiteral("NL79ZZZ999999990000"));
    page->formatBox()->setCurrentIndex(1);
    page->mandateDateFieldBox()->setCurrentIndex(
        page->mandateDateFieldBox()->findText(QStringLiteral("Naam")));
    sheet.pages()->setCurrentIndex(1);
    EXPECT_NE(sheet.pages()->currentWidget(), page);
    sheet.accept();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(questions.alerts().size(), 2);

    const std::optional<IncassoSettings> result = sheet.incasso();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->creditorName, QStringLiteral("TTV De Smash"));
    EXPECT_EQ(result->creditorIban, QStringLiteral("NL91 ABNA 0417 1643 00"));
    EXPECT_EQ(result->format, IncassoSettings::Format::Pain00800102);
    EXPECT_EQ(result->mandateField, QStringLiteral("Kenmerk"));
    EXPECT_EQ(result->mandateDateField, QStringLiteral("Naam"));
    EXPECT_TRUE(result->ibanField.isEmpty()) << "the default stays the default";
}

TEST(IncassoSettingsPage, AnEmptyPageIsNoProblemButALongNameIs) {
    KSetIncasso page;
    page.setValues(IncassoSettings(), {});
    EXPECT_TRUE(page.problem().isEmpty());
    page.nameEdit()->setText(QString(71, QLatin1Char('a')));
    EXPECT_TRUE(page.problem().contains(QStringLiteral("71")));
}

class IncassoDialogTest : public ::testing::Test {
protected:
    IncassoDialogTest() {
        newDocument(doc);
        addIncassoFields(doc);
        KContribution scheme(doc.handOutId());
        scheme.setDescription("Contributie 2026");
        scheme.setDate(KDateValue(20260101));
        KEdit::addScheme(doc, scheme);
        schemeId = scheme.id();
        setup.today = 20260316;
        setup.collectionDate = BusinessDays::defaultCollectionDate(setup.today);
        setup.schemeNames = {QStringLiteral("Contributie 2026")};
        setup.schemeIds = {schemeId};
        a = add("Aap", readyDebtor(1, true), 40.0, 5.0);
        b = add("Bes", readyDebtor(2), 12.5, 0.0);
        Debtor none = readyDebtor(3);
        none.iban.clear();
        c = add("Cor", none, 10.0, 0.0);
    }
    std::int32_t add(const char* name, const Debtor& d, double charged, double extra) {
        KMember m = makeMember(doc, name);
        setDebtor(m, d);
        m.addCharge(chargeOf(schemeId, 20260101, {{"Contributie", charged}}));
        if (extra > 0)
            m.addCharge(chargeOf(777, 20250101, {{"Extra", extra}}));
        addMember(doc, m);
        return m.id();
    }
    KDlgIncasso::ListFor listFor() {
        return [this](const KCollectionRequest& r) {
            ++asked;
            return KCollection::list(doc, settings, r);
        };
    }
    int rowOf(const KDlgIncasso& dialog, std::int32_t id) {
        for (int row = 1; row < dialog.grid()->rowCount(); ++row)
            if (dialog.grid()->cellText(row, 6) == std::to_string(id))
                return row;
        return -1;
    }

    PinnedToday today{20260316};
    CKorvelDoc doc;
    IncassoSettings settings = testCreditor();
    KIncassoSetup setup;
    std::int32_t schemeId = 0, a = 0, b = 0, c = 0;
    int asked = 0;
};

TEST_F(IncassoDialogTest, ListsWhoOwesSelectsWhoCanBeCollectedAndAddsUp) {
    KDlgIncasso dialog(setup, listFor());
    EXPECT_EQ(dialog.dateEdit()->date(), QDate(2026, 3, 23));
    EXPECT_EQ(dialog.dateEdit()->minimumDate(), QDate(2026, 3, 17));
    ASSERT_EQ(dialog.grid()->rowCount(), 4);
    EXPECT_TRUE(dialog.grid()->rowSelected(rowOf(dialog, a)));
    EXPECT_TRUE(dialog.grid()->rowSelected(rowOf(dialog, b)));
    EXPECT_FALSE(dialog.grid()->rowSelected(rowOf(dialog, c)));
    EXPECT_EQ(dialog.grid()->cellText(rowOf(dialog, a), 1), "45,00");
    EXPECT_EQ(dialog.grid()->cellText(rowOf(dialog, c), 5), "Geen IBAN");
    EXPECT_TRUE(dialog.totalsText().contains(QStringLiteral("2 van 2")));
    EXPECT_TRUE(dialog.totalsText().contains(QStringLiteral("57,50")));
    EXPECT_TRUE(dialog.makeButton()->isEnabled());

    // Deselected stays deselected when the list is asked again; a row that cannot be collected
    // is never chosen, even when selected.
    dialog.grid()->setRowSelected(rowOf(dialog, b), false);
    dialog.grid()->setRowSelected(rowOf(dialog, c), true);
    EXPECT_TRUE(dialog.totalsText().contains(QStringLiteral("1 van 2")));
    dialog.schemeButton()->click();
    dialog.refresh();
    EXPECT_EQ(dialog.choice().request.schemeId, schemeId);
    EXPECT_EQ(dialog.grid()->cellText(rowOf(dialog, a), 1), "40,00") << "the scheme's column only";
    EXPECT_FALSE(dialog.grid()->rowSelected(rowOf(dialog, b)));
    EXPECT_EQ(dialog.choice().memberIds, std::vector<std::int32_t>{a});

    dialog.selectNone();
    EXPECT_FALSE(dialog.makeButton()->isEnabled());
    dialog.selectReady();
    EXPECT_EQ(dialog.choice().memberIds.size(), 2u);

    // A Saturday is no collection date.
    dialog.dateEdit()->setDate(QDate(2026, 3, 21));
    dialog.refresh();
    EXPECT_FALSE(dialog.makeButton()->isEnabled());
    EXPECT_TRUE(dialog.dateNote()->text().contains(QStringLiteral("geen werkdag")));
    dialog.textEdit()->setText(QStringLiteral("%naam% %datum%"));
    dialog.dateEdit()->setDate(QDate(2026, 3, 24));
    dialog.refresh();
    EXPECT_TRUE(dialog.makeButton()->isEnabled());
    EXPECT_EQ(dialog.choice().request.collectionDate, 20260324);
    EXPECT_EQ(dialog.choice().request.textTemplate, QStringLiteral("%naam% %datum%"));
}

// The command's windows answered by the test.
class ScriptedIncassoDialogs : public KIncassoDialogs {
public:
    std::function<std::optional<KIncassoChoice>(
        const KIncassoSetup&, const std::function<KCollectionList(const KCollectionRequest&)>&)>
        choose;
    std::optional<QString> path;
    bool stop = false;
    int shown = 0;

    std::optional<KIncassoChoice>
    chooseCollection(const KIncassoSetup& setup,
                     const std::function<KCollectionList(const KCollectionRequest&)>& listFor) override {
        ++shown;
        return choose(setup, listFor);
    }
    std::optional<QString> savePath(const QString&) override { return path; }
    std::unique_ptr<KProgressReport> progress() override {
        struct Stop : KProgressReport {
            bool advance(std::int64_t) override { return false; }
        };
        if (stop)
            return std::make_unique<Stop>();
        return std::make_unique<KNoProgress>();
    }
};

class IncassoCommandsTest : public IncassoDialogTest {
protected:
    IncassoCommandsTest() {
        Settings::setIncasso(testCreditor());
        auto scripted = std::make_unique<ScriptedIncassoDialogs>();
        dialogs = scripted.get();
        commands = std::make_unique<KIncassoCommands>(host, std::move(scripted));
        dialogs->path = dir.filePath(QStringLiteral("incasso.xml"));
        dialogs->choose = [this](const KIncassoSetup& s, const auto& list) {
            shownSetup = s;
            KIncassoChoice choice;
            choice.request.collectionDate = s.collectionDate;
            for (const KCollectionItem& item : list(choice.request).items)
                choice.memberIds.push_back(item.memberId);
            return std::optional<KIncassoChoice>(choice);
        };
    }

    TempProfile profile;
    TestCommandHost host{doc};
    ScriptedIncassoDialogs* dialogs = nullptr;
    std::unique_ptr<KIncassoCommands> commands;
    KIncassoSetup shownSetup;
    QTemporaryDir dir;
};

TEST_F(IncassoCommandsTest, WritesTheFileAndBooksItInOneStepWhenAsked) {
    host.scripted().answerYesNo(true);
    const int steps = doc.undoStack().count();
    ASSERT_TRUE(host.trigger(Cmd::ContrSepa));
    EXPECT_EQ(shownSetup.collectionDate, 20260323);
    EXPECT_EQ(shownSetup.schemeIds, std::vector<std::int32_t>{schemeId});
    EXPECT_TRUE(QFile::exists(*dialogs->path));
    ASSERT_EQ(host.scripted().alerts().size(), 1);
    EXPECT_TRUE(host.scripted().alerts().front().contains(QStringLiteral("Aantal incasso's: 2")));
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    EXPECT_DOUBLE_EQ(doc.findMember(a)->balance(), 0.0);
    EXPECT_DOUBLE_EQ(doc.findMember(b)->balance(), 0.0);
    EXPECT_DOUBLE_EQ(doc.findMember(c)->balance(), 10.0) << "without IBAN: not collected";
    EXPECT_TRUE(host.scripted().done());
}

TEST_F(IncassoCommandsTest, NeeBooksNothing) {
    host.scripted().answerYesNo(false);
    const int steps = doc.undoStack().count();
    host.trigger(Cmd::ContrSepa);
    EXPECT_TRUE(QFile::exists(*dialogs->path));
    EXPECT_EQ(doc.undoStack().count(), steps);
    EXPECT_DOUBLE_EQ(doc.findMember(a)->balance(), 45.0);
    EXPECT_TRUE(host.scripted().done());
}

TEST_F(IncassoCommandsTest, AStopWritesNoFileAndAsksNothingMore) {
    for (int i = 0; i < 600; ++i)
        add("Lid", readyDebtor(100 + i), 10.0, 0.0);
    dialogs->stop = true;
    const int steps = doc.undoStack().count();
    host.trigger(Cmd::ContrSepa);
    EXPECT_FALSE(QFile::exists(*dialogs->path));
    ASSERT_EQ(host.scripted().alerts().size(), 1);
    EXPECT_EQ(host.scripted().alerts().front(),
              QString::fromUtf8(KIncassoCommands::kStopped));
    EXPECT_EQ(doc.undoStack().count(), steps);
}

TEST_F(IncassoCommandsTest, WithoutCreditorDataNoDialogOpens) {
    Settings::setIncasso(IncassoSettings());
    host.trigger(Cmd::ContrSepa);
    EXPECT_EQ(dialogs->shown, 0);
    ASSERT_EQ(host.scripted().alerts().size(), 1);
    EXPECT_TRUE(host.scripted().alerts().front().contains(QStringLiteral("pagina Incasso")));

    // Cancelling the dialog or the file does nothing.
    Settings::setIncasso(testCreditor());
    dialogs->choose = [](const auto&, const auto&) { return std::optional<KIncassoChoice>(); };
    host.trigger(Cmd::ContrSepa);
    dialogs->choose = [](const KIncassoSetup& s, const auto&) {
        KIncassoChoice choice;
        choice.request.collectionDate = s.collectionDate;
        return std::optional<KIncassoChoice>(choice);
    };
    host.trigger(Cmd::ContrSepa);
    EXPECT_TRUE(host.scripted().alerts().back().contains(QStringLiteral("geen lid gekozen")));
    EXPECT_FALSE(QFile::exists(*dialogs->path));
}

} // namespace
