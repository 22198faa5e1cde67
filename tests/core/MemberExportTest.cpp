// The export of the member grid: which columns, which rows, the parts members owe, the file.
#include "core/KProgressReport.h"
#include "core/contrib/KOutstanding.h"
#include "core/document/CKorvelDoc.h"
#include "core/output/MemberExport.h"
#include "core/output/MemberGridText.h"
#include "tests/support/Charges.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/RecordingComponents.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using Strings = std::vector<std::string>;

MemberExport::Choice everything(const KGridSource& grid, bool split = false) {
    MemberExport::Choice choice;
    choice.items = MemberExport::listItems(grid);
    choice.selected.assign(choice.items.size(), true);
    choice.splitParts = split;
    return choice;
}

void select(MemberExport::Choice& choice, const std::string& item, bool on) {
    for (std::size_t i = 0; i < choice.items.size(); ++i)
        if (choice.items[i] == item)
            choice.selected[i] = on;
}

struct StopAfter : KProgressReport {
    explicit StopAfter(int answers) : left(answers) {}
    bool advance(std::int64_t) override { return left-- > 0; }
    int left;
};

class MemberExportTest : public ::testing::Test {
protected:
    void SetUp() override { doc.OnNewDocument(); }

    const KMember& member(const std::string& name, const std::string& city,
                          std::vector<KCharge> charges = {}, std::vector<double> payments = {}) {
        KMember m = makeMember(doc, name);
        m.setTextByMeaning(FieldMeaning::City, city);
        for (const KCharge& charge : charges)
            m.addCharge(charge);
        std::int32_t day = 20250101;
        for (double amount : payments)
            m.addPayment(KPayment(amount, KDateValue(day++)));
        return addMember(doc, m);
    }

    std::string exported(const std::string& columns, bool split = false) {
        const MemberGridText grid(doc, columns);
        return MemberExport::text(grid, doc, everything(grid, split)).value_or("(stopped)");
    }

    CKorvelDoc doc;
};

TEST_F(MemberExportTest, VisibleColumnsInGridOrderTitleRowFirst) {
    member("Piet Jansen", "Zwolle");
    member("Anna Visser", "Amsterdam");
    member("Bob", "Utrecht");
    EXPECT_EQ(exported("Nr.|Naam|Woonplaats|Onbekend"),
              "Nr.;Naam;Woonplaats;Onbekend\n"
              "1;Bob;Utrecht;???\n"
              "2;Piet Jansen;Zwolle;???\n"
              "3;Anna Visser;Amsterdam;???\n");

    // Deselected items leave their columns out; the list's order does not matter.
    const MemberGridText grid(doc, "Woonplaats|Naam|Nr.");
    MemberExport::Choice choice = everything(grid);
    EXPECT_EQ(choice.items, (Strings{"Naam", "Nr.", "Woonplaats"}));
    select(choice, "Nr.", false);
    EXPECT_EQ(MemberExport::text(grid, doc, choice),
              "Woonplaats;Naam\nUtrecht;Bob\nZwolle;Piet Jansen\nAmsterdam;Anna Visser\n");

    // A club without members exports its title row.
    CKorvelDoc empty;
    empty.OnNewDocument();
    const MemberGridText titles(empty, "Naam|Schuld");
    EXPECT_EQ(MemberExport::text(titles, empty, everything(titles, true)), "Naam;Schuld\n");
}

TEST_F(MemberExportTest, ListItemsAreSortedAndTheBalanceItemIsFoundWithoutCase) {
    const TextGrid grid({{"Identifier", "woonplaats", "Schuld", "Naam", "adres"}, {"1", "a", "b", "c", "d"}});
    const Strings items = MemberExport::listItems(grid);
    EXPECT_EQ(items, (Strings{"adres", "Naam", "Schuld", "woonplaats"}));
    EXPECT_EQ(MemberExport::balanceItem(items), 2);
    EXPECT_EQ(MemberExport::balanceItem({"Naam", "SCHULD"}), 1);
    EXPECT_EQ(MemberExport::balanceItem({"Naam", "Schulden"}), -1);
    EXPECT_TRUE(MemberExport::offersParts(items, {false, false, true, false}));
    EXPECT_FALSE(MemberExport::offersParts(items, {true, true, false, true}));
    EXPECT_FALSE(MemberExport::offersParts({"Naam"}, {true}));
}

TEST_F(MemberExportTest, PaymentsClearThePartsInTheOrderTheyWereFirstMet) {
    // Contributie is met first (the larger part comes first in its scheme).
    member("Piet Jansen", "Zwolle",
           {chargeOf(7, 20250101, {{"Contributie", 50.0}, {"Competitie", 20.0}})}, {60.0});
    member("Anna Visser", "Amsterdam",
           {chargeOf(8, 20240101, {{"Inschrijving", 5.0}}),
            chargeOf(7, 20250101, {{"Contributie", 50.0}, {"Competitie", 20.0}})},
           {30.0, 100.0});
    member("Bob", "Utrecht");
    EXPECT_EQ(exported("Naam|Schuld", true),
              "Naam;Schuld;Contributie;Competitie;Inschrijving\n"
              "Bob;0.00;0.00;0.00;0.00\n"
              "Piet Jansen;10.00;0.00;10.00;0.00\n"
              "Anna Visser;-55.00;0.00;0.00;0.00\n");

    const KMember& piet = *doc.members().findFirst(
        [](const KMember& m) { return m.name() == "Piet Jansen"; });
    const KOutstanding outstanding(doc);
    // Paid less than the first part: the payment clears the parts in the overview's order of
    // the names, whatever the order asked for.
    KMember partly = piet;
    partly.payments().clear();
    partly.addPayment(KPayment(30.0, KDateValue(20250301)));
    EXPECT_EQ(MemberExport::outstandingByPart(outstanding, partly, {"Competitie", "Contributie"}),
              (std::vector<double>{20.0, 20.0}));
    EXPECT_EQ(MemberExport::outstandingByPart(outstanding, partly, {"Contributie", "Onbekend"}),
              (std::vector<double>{20.0, 0.0}));
    // Parts of one name add up over every charge.
    KMember twice = piet;
    twice.payments().clear();
    twice.addCharge(chargeOf(9, 20260101, {{"Contributie", 55.0}}));
    EXPECT_EQ(MemberExport::outstandingByPart(outstanding, twice, {"Contributie", "Competitie"}),
              (std::vector<double>{105.0, 20.0}));
}

// The export and the overview give one answer to "what is owed per part": the payments clear
// the oldest charge first, whatever the order of the part names.
TEST_F(MemberExportTest, PartsOwedAreTheOverviewsFigures) {
    member("Anna Bakker", "Zwolle",
           {chargeOf(7, 20250101, {{"Contributie", 50.0}, {"Bond", 10.0}})});
    member("Piet Jansen", "Zwolle",
           {chargeOf(6, 20240101, {{"Bond", 10.0}}), chargeOf(7, 20250101, {{"Contributie", 50.0}})},
           {10.0});
    member("Els Visser", "Zwolle",
           {chargeOf(6, 20240101, {{"Bond", 10.0}, {"Contributie", 40.0}}),
            chargeOf(7, 20250101, {{"Contributie", 50.0}, {"Bond", 10.0}})},
           {45.0});
    EXPECT_EQ(exported("Naam|Schuld", true),
              "Naam;Schuld;Contributie;Bond\n"
              "Anna Bakker;60.00;50.00;10.00\n"
              "Piet Jansen;50.00;50.00;0.00\n"
              "Els Visser;65.00;50.00;15.00\n");

    const KOutstanding outstanding(doc);
    std::vector<double> shares;
    for (const KMember& m : doc.members()) {
        outstanding.memberShares(m, shares);
        const std::vector<double> exportedShares =
            MemberExport::outstandingByPart(outstanding, m, outstanding.partNames());
        for (int name = 0; name < outstanding.nameCount(); ++name) {
            double overview = 0.0;
            for (int column = 0; column < outstanding.columnCount(); ++column)
                overview += shares[static_cast<std::size_t>(column * outstanding.nameCount() + name)];
            EXPECT_DOUBLE_EQ(exportedShares[static_cast<std::size_t>(name)], overview) << m.name();
        }
    }
}

TEST_F(MemberExportTest, PartValuesOnlyWithTheBalanceItemSelectedAndTheBoxTicked) {
    member("Piet Jansen", "Zwolle", {chargeOf(7, 20250101, {{"Contributie", 50.0}})});
    const MemberGridText grid(doc, "Naam|Schuld");
    MemberExport::Choice choice = everything(grid, true);
    select(choice, "Schuld", false);
    EXPECT_EQ(MemberExport::text(grid, doc, choice), "Naam\nPiet Jansen\n");
    choice = everything(grid, false);
    EXPECT_EQ(MemberExport::text(grid, doc, choice), "Naam;Schuld\nPiet Jansen;50.00\n");
    // The part names come from the members in the grid only; a row whose member is gone gets
    // no part values, so its line is shorter.
    const std::string id = std::to_string(doc.members().begin()->id());
    const TextGrid rows({{"Identifier", "Naam", "Schuld"},
                         {"999", "Weg", "1.00"},
                         {id, "Piet Jansen", "50.00"}});
    EXPECT_EQ(MemberExport::text(rows, doc, everything(rows, true)),
              "Naam;Schuld;Contributie\nWeg;1.00\nPiet Jansen;50.00;50.00\n");
}

TEST_F(MemberExportTest, AValueThatWouldBreakItsLineIsQuoted) {
    EXPECT_EQ(MemberExport::fileValue("Jansen; Piet"), "\"Jansen; Piet\"");
    EXPECT_EQ(MemberExport::fileValue("de \"Kei\""), "\"de \"\"Kei\"\"\"");
    EXPECT_EQ(MemberExport::fileValue("regel\nregel"), "\"regel\nregel\"");
    EXPECT_EQ(MemberExport::fileValue("a\rb"), "\"a\rb\"");
    EXPECT_EQ(MemberExport::fileValue(" zoals 't is , \xE9"), " zoals 't is , \xE9");
    EXPECT_EQ(MemberExport::fileValue(""), "");

    member("Piet \"de Kei\" Jansen", "Zwolle; Noord",
           {chargeOf(7, 20250101, {{"Bar;consumpties", 12.5}})});
    EXPECT_EQ(exported("Naam|Woonplaats|Schuld", true),
              "Naam;Woonplaats;Schuld;\"Bar;consumpties\"\n"
              "\"Piet \"\"de Kei\"\" Jansen\";\"Zwolle; Noord\";12.50;12.50\n");
}

TEST_F(MemberExportTest, TheFileIsTheOneChosen) {
    // Only a name without an extension gets ".txt"; what the user chose is kept, whatever its
    // characters.
    const struct {
        const char* chosen;
        const char* written;
    } cases[] = {
        {"/home/piet/leden.csv", "/home/piet/leden.csv"},
        {"/home/piet/leden", "/home/piet/leden.txt"},
        {"/home/piet.de.vries/leden", "/home/piet.de.vries/leden.txt"},
        {"leden.2025.txt", "leden.2025.txt"},
        {"leden.TXT", "leden.TXT"},
        {"/home/ömer/ledenlijst łódź", "/home/ömer/ledenlijst łódź.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MemberExport::exportPath(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.written))
            << c.chosen;
}

TEST_F(MemberExportTest, TheFileIsWrittenWholeOrNotAtAll) {
    member("Ren\xE9 Jansen", "Zwolle");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("leden.txt"));
    const MemberGridText grid(doc, "Naam|Woonplaats");
    ASSERT_EQ(MemberExport::write(path, grid, doc, everything(grid)).outcome(), KOutcome::Done);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Naam;Woonplaats\nRen\xE9 Jansen;Zwolle\n"))
        << "Windows-1252 bytes, as the grid holds them";
    file.close();

    // Stopped half-way, the file that was there stays as it was.
    for (int i = 0; i < 2000; ++i)
        member("Lid " + std::to_string(i), "Zwolle");
    const MemberGridText big(doc, "Naam|Woonplaats");
    StopAfter stop(1);
    EXPECT_EQ(MemberExport::write(path, big, doc, everything(big), &stop).outcome(),
              KOutcome::Stopped);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Naam;Woonplaats\nRen\xE9 Jansen;Zwolle\n"));

    for (const QString& unusable : {dir.filePath(QStringLiteral("geen/map/leden.txt")), dir.path()}) {
        const KResult written = MemberExport::write(unusable, grid, doc, everything(grid));
        EXPECT_TRUE(written.isFailed());
        EXPECT_EQ(written.reason(),
                  QStringLiteral("Kan bestand %1 niet openen om te schrijven.").arg(unusable));
    }
}

} // namespace
