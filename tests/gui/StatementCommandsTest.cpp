// "Financieel > Bankafschrift inlezen..." with scripted windows, and its review dialog as a
// person uses it.
#include "core/settings/Settings.h"
#include "core/statement/KStatementFile.h"
#include "grid/CvsFlexGrid.h"
#include "res/Commands.h"
#include "statement/KDlgPickMember.h"
#include "statement/KDlgStatement.h"
#include "statement/KStatementCommands.h"
#include "statement/KStatementDialogs.h"
#include "statement/KStatementModel.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/Pinned.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/StatementClub.h"
#include "tests/support/StatementSamples.h"
#include "tests/support/TestCommandHost.h"
#include "view/KMainView.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <deque>
#include <functional>

namespace {

// The windows, answered by the test.
class ScriptedStatementDialogs : public KStatementDialogs {
public:
    QString file;
    // Ticks and chooses on the review; returns whether "Boeken" was pressed.
    std::function<bool(KStatementReview&)> answer;
    int reviews = 0;

    QString statementFile() override { return file; }
    bool review(KStatementReview& review) override {
        ++reviews;
        return answer ? answer(review) : false;
    }
};

class StatementTest : public ::testing::Test {
protected:
    StatementTest() {
        guiApplication();
        doc.OnNewDocument();
        samples::addIbanField(doc);
        jansen = samples::addClubMember(doc, "Piet Jansen", "NL44RABO0123456789", 1234567, 42.50);
        devries = samples::addClubMember(doc, "Anna de Vries", "NL02ABNA0123456789", 2345678, 60.00);
        IncassoSettings incasso;
        incasso.creditorIban = samples::kClubIban;
        Settings::setIncasso(incasso);
        Settings::setColumns("Naam|Schuld|");
    }

    QByteArray statement() const {
        samples::Camt camt(2);
        camt.statement(QStringLiteral("S1"))
            .transfer(4250, QStringLiteral("R1"), QStringLiteral("P Jansen"), QStringLiteral("NL44RABO0123456789"), QString())
            .transfer(1000, QStringLiteral("R2"), QStringLiteral("A de Vries"), QStringLiteral("NL02ABNA0123456789"), QString())
            .transfer(700, QStringLiteral("R3"), QStringLiteral("Onbekend"), QStringLiteral("NL18TRIO0212345678"),
                      QStringLiteral("gift"));
        const QByteArray xml = camt.xml();
        EXPECT_EQ(samples::schemaErrors(xml, 2), QString());
        return xml;
    }

    // The Schuld cell of the member in the main view's grid.
    std::string owedInGrid(std::int32_t member) {
        CvsFlexGrid& grid = host.mainView().grid();
        int owedColumn = -1;
        for (int col = 0; col < grid.colCount(); ++col)
            if (grid.cellText(0, col) == "Schuld")
                owedColumn = col;
        const std::string name = doc.findMember(member)->name();
        for (int row = 1; row < grid.rowCount(); ++row)
            for (int col = 0; col < grid.colCount(); ++col)
                if (grid.cellText(row, col) == name && owedColumn >= 0)
                    return grid.cellText(row, owedColumn);
        return {};
    }

    PinnedToday today{20270120};
    PinnedDateFormat format{"Standard"};
    PinnedLocale locale{"nl_NL"};
    TempProfile profile;
    QTemporaryDir dir;
    CKorvelDoc doc;
    TestCommandHost host{doc};
    std::int32_t jansen = 0, devries = 0;
};

TEST_F(StatementTest, TheCommandBooksWhatTheTreasurerLeftTickedInOneStep) {
    auto dialogs = std::make_unique<ScriptedStatementDialogs>();
    ScriptedStatementDialogs& scripted = *dialogs;
    const KStatementCommands commands(host, std::move(dialogs));
    scripted.file = samples::writeFile(dir, QStringLiteral("afschrift.xml"), statement());
    host.mainView().OnUpdate();
    ASSERT_EQ(owedInGrid(jansen), "42.50");

    // Cancelled: nothing changes.
    const std::string before = savedBytes(doc);
    const int steps = doc.undoStack().count();
    ASSERT_TRUE(host.trigger(Cmd::ContrStatement));
    EXPECT_EQ(scripted.reviews, 1);
    EXPECT_EQ(savedBytes(doc), before);

    // De Vries's amount unticked, the gift chosen for Jansen.
    scripted.answer = [this](KStatementReview& review) {
        EXPECT_EQ(review.size(), 3u);
        EXPECT_TRUE(review.setChecked(1, false));
        EXPECT_TRUE(review.choose(2, jansen).isDone());
        return true;
    };
    ASSERT_TRUE(host.trigger(Cmd::ContrStatement));
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    EXPECT_EQ(host.scripted().alerts().back(), QStringLiteral("Er zijn 2 bedragen geboekt, samen €\u00A049,50."));
    EXPECT_DOUBLE_EQ(doc.findMember(jansen)->balance(), -7.0);
    EXPECT_DOUBLE_EQ(doc.findMember(devries)->balance(), 60.0);
    EXPECT_EQ(owedInGrid(jansen), "-7.00") << "the grid follows the booking";

    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);
    EXPECT_EQ(owedInGrid(jansen), "42.50");
}

TEST_F(StatementTest, AFileThatIsNoStatementIsToldAndNotReviewed) {
    auto dialogs = std::make_unique<ScriptedStatementDialogs>();
    ScriptedStatementDialogs& scripted = *dialogs;
    const KStatementCommands commands(host, std::move(dialogs));

    const QByteArray whole = statement();
    scripted.file = samples::writeFile(dir, QStringLiteral("kapot.xml"), whole.left(whole.size() / 2));
    ASSERT_TRUE(host.trigger(Cmd::ContrStatement));
    ASSERT_EQ(host.scripted().alerts().size(), 1);
    EXPECT_TRUE(host.scripted().alerts().back().startsWith(QStringLiteral("kapot.xml: het bestand is afgebroken")))
        << host.scripted().alerts().back().toStdString();

    samples::Camt empty(8);
    empty.statement(QStringLiteral("S"));
    EXPECT_EQ(samples::schemaErrors(empty.xml(), 8), QString());
    scripted.file = samples::writeFile(dir, QStringLiteral("leeg.xml"), empty.xml());
    ASSERT_TRUE(host.trigger(Cmd::ContrStatement));
    EXPECT_EQ(host.scripted().alerts().back(), QString::fromUtf8(KStatementCommands::kNoEntries));
    EXPECT_EQ(scripted.reviews, 0);

    // Without members there is nobody to book for.
    KEdit::deleteMembers(doc, {jansen, devries});
    EXPECT_FALSE(host.enabled(Cmd::ContrStatement));
}

class StatementDialogTest : public StatementTest {
protected:
    KStatementReview review() {
        KStatementRead read = KStatementFile::fromBytes(statement(), QStringLiteral("afschrift.xml"));
        EXPECT_TRUE(read.result.isDone());
        return KStatementReview(doc, std::move(read.statements), QStringLiteral("IBAN"), QStringLiteral("NL20INGB0001234567"));
    }
};

TEST_F(StatementDialogTest, TicksAndChoicesChangeTheTotals) {
    KStatementReview r = review();
    KDlgStatement dialog(r);
    QAbstractItemModelTester tester(dialog.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    KStatementModel& model = *dialog.model();
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.index(0, KStatementModel::Member).data().toString(), QStringLiteral("Piet Jansen"));
    EXPECT_EQ(model.index(0, KStatementModel::How).data().toString(), QStringLiteral("IBAN"));
    EXPECT_EQ(model.index(0, KStatementModel::Amount).data().toString(), QStringLiteral("42.50"));
    EXPECT_EQ(model.index(2, KStatementModel::How).data().toString(), QStringLiteral("niet gevonden"));
    EXPECT_TRUE(dialog.warnings()->isVisibleTo(&dialog)) << "another account than the club's";
    EXPECT_TRUE(dialog.warnings()->text().contains(QStringLiteral("NL20INGB0001234567")));
    EXPECT_EQ(dialog.totals()->text(), QStringLiteral("Aangevinkt: 2 van 3 bedragen, samen €\u00A052,50"));

    // An amount without a member has no tick to set.
    EXPECT_FALSE(model.flags(model.index(2, KStatementModel::Check)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.setData(model.index(2, KStatementModel::Check), Qt::Checked, Qt::CheckStateRole));
    ASSERT_TRUE(model.setData(model.index(0, KStatementModel::Check), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(dialog.totals()->text(), QStringLiteral("Aangevinkt: 1 van 3 bedragen, samen €\u00A010,00"));

    // Choosing the gift's member ticks it; the suggested ones come first.
    std::vector<KStatementReview::Choice> offered;
    dialog.setPicker([&](std::vector<KStatementReview::Choice> choices, const QString&) {
        offered = std::move(choices);
        return devries;
    });
    dialog.table()->setCurrentIndex(model.index(2, KStatementModel::Text));
    ASSERT_TRUE(dialog.chooseButton()->isEnabled());
    QTest::mouseClick(dialog.chooseButton(), Qt::LeftButton);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0].text, QStringLiteral("Anna de Vries (2345678)"));
    EXPECT_EQ(model.index(2, KStatementModel::Member).data().toString(), QStringLiteral("Anna de Vries"));
    EXPECT_EQ(model.index(2, KStatementModel::Check).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(dialog.totals()->text(), QStringLiteral("Aangevinkt: 2 van 3 bedragen, samen €\u00A017,00"));
}

// Every way an amount can end up, as the review shows it. With KORVEL_SCREENSHOT_DIR set it
// leaves the manual's picture there.
TEST_F(StatementDialogTest, ShowsHowEachAmountWasFound) {
    PinnedDateFormat dates("System");
    const std::int32_t kees = samples::addClubMember(doc, "Kees Bakker", "NL55INGB0001234567", 3456789, 45.00);
    samples::addClubMember(doc, "Lotte Bakker", "NL55INGB0001234567", 4567890, 30.00);
    samples::addPayment(doc, devries, 60.00, 20270115, "Incasso KVL-20270110120000123");
    // Fleur's transfer was booked from an earlier download of the same day.
    const std::int32_t fleur = samples::addClubMember(doc, "Fleur Visser", "NL30ABNA0987654321", 5678901, 25.00);
    samples::addPayment(doc, fleur, 25.00, 20270115, "Bank 2027-01-15 0115-003");
    const QString stranger = QStringLiteral("NL18TRIO0212345678");
    samples::Camt camt(8);
    camt.statement(QStringLiteral("2027-01-15"))
        .transfer(4500, QStringLiteral("0115-001"), QStringLiteral("K BAKKER"), QStringLiteral("NL55INGB0001234567"),
                  QStringLiteral("Contributie 2027"), QStringLiteral("KVL-%1-20270115").arg(kees))
        .storno(6000, QStringLiteral("0115-002"), QStringLiteral("KVL-%1-20270115").arg(devries), QStringLiteral("MD06"),
                QStringLiteral("A DE VRIES"), QStringLiteral("NL02ABNA0123456789"))
        .transfer(2500, QStringLiteral("0115-003"), QStringLiteral("F VISSER"), QStringLiteral("NL30ABNA0987654321"),
                  QStringLiteral("contributie fleur"))
        .transfer(3000, QStringLiteral("0115-004"), QStringLiteral("BAKKER EO"), QStringLiteral("NL55INGB0001234567"),
                  QStringLiteral("Contributie Lotte 4567890"))
        .transfer(2500, QStringLiteral("0115-005"), QStringLiteral("BAKKER EO"), QStringLiteral("NL55INGB0001234567"),
                  QStringLiteral("Contributie"))
        .transfer(1500, QStringLiteral("0115-006"), QStringLiteral("J DE GROOT"), stranger,
                  QStringLiteral("bijdrage lid 2345678"))
        .transfer(4250, QStringLiteral("0115-007"), QStringLiteral("Piet Jansen"), stranger, QStringLiteral("contributie"))
        .transfer(2000, QStringLiteral("0115-008"), QStringLiteral("STICHTING SPORT"), stranger, QStringLiteral("subsidie"));
    samples::Entry dollars;
    dollars.cents = 2500;
    dollars.currency = QStringLiteral("USD");
    dollars.reference = QStringLiteral("0115-009");
    dollars.additional = QStringLiteral("Toernooi Chicago");
    camt.entry(dollars);
    ASSERT_EQ(samples::schemaErrors(camt.xml(), 8), QString());
    KStatementRead read = KStatementFile::fromBytes(camt.xml(), QStringLiteral("afschrift.xml"));
    ASSERT_TRUE(read.result.isDone());
    KStatementReview r(doc, std::move(read.statements), QStringLiteral("IBAN"), samples::kClubIban);
    KDlgStatement dialog(r);
    const KStatementModel& model = *dialog.model();
    QStringList how;
    for (int row = 0; row < model.rowCount(); ++row)
        how.push_back(model.index(row, KStatementModel::How).data().toString());
    EXPECT_EQ(how, (QStringList{"incasso", "storno", "al geboekt", "IBAN", "kiezen", "bondsnummer", "naam",
                                "niet gevonden", "niet te boeken"}));
    EXPECT_EQ(dialog.totals()->text(), QStringLiteral("Aangevinkt: 5 van 9 bedragen, samen €\u00A072,50"));
    EXPECT_FALSE(dialog.warnings()->isVisibleTo(&dialog));

    const QString screenshots = qEnvironmentVariable("KORVEL_SCREENSHOT_DIR");
    if (!screenshots.isEmpty()) {
        dialog.show();
        dialog.table()->setCurrentIndex(model.index(4, KStatementModel::Member));
        dialog.resize(dialog.width(), 420);
        QTest::qWait(50);
        EXPECT_TRUE(dialog.grab().save(screenshots + QStringLiteral("/bankafschrift.png")));
    }
}

TEST_F(StatementDialogTest, TheMemberIsFoundByTypingPartOfTheName) {
    KStatementReview r = review();
    KDlgPickMember picker(r.choices(2), QStringLiteral("Voor wie?"));
    EXPECT_EQ(picker.chosen(), r.choices(2).front().member) << "the first one is current";
    QTest::keyClicks(picker.filter(), QStringLiteral("vries"));
    EXPECT_EQ(picker.list()->model()->rowCount(), 1);
    EXPECT_EQ(picker.chosen(), devries);
    QTest::keyClicks(picker.filter(), QStringLiteral("xyz"));
    EXPECT_EQ(picker.chosen(), 0);
}

} // namespace
