// The overview of outstanding amounts: what each member owes per part name and scheme, the grid
// with its pruning and totals, and the members behind a cell.
#include "core/contrib/KOutstanding.h"
#include "core/contrib/KOverview.h"
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/generate/ClubGenerator.h"
#include "core/format/Numbers.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

using Grid = std::vector<std::vector<std::string>>;
using Parts = std::vector<std::pair<const char*, double>>;

class OverviewTest : public DocFixture {
protected:
    OverviewTest() : DocFixture({.today = 20260315}) { doc.OnNewDocument(); }

    // A scheme of the document, dated 1 January of the year.
    std::int32_t scheme(const char* description, std::int32_t year) {
        KContribution s(doc.handOutId());
        s.setDescription(description);
        s.setDate(KDateValue(year * 10000 + 101));
        s.AddPart(KContrPart("Contributie", doc.handOutId(), 10.0));
        KEdit::addScheme(doc, s);
        return s.id();
    }

    // A charge as a scheme (or a hand) made it: its own copy with the id, date and parts given.
    static KCharge charge(std::int32_t id, std::int32_t date, const Parts& parts) {
        auto copy = std::make_unique<KContribution>(id);
        copy->setDescription("kopie");
        copy->setDate(KDateValue(date));
        std::int32_t partId = 1;
        for (const auto& [name, amount] : parts)
            copy->AddPart(KContrPart(name, partId++, amount));
        return KCharge(std::move(copy));
    }

    std::int32_t member(const char* name, const std::vector<KCharge>& charges,
                        std::vector<double> payments = {}) {
        KMember m = makeMember(doc, name);
        for (const KCharge& c : charges)
            m.addCharge(c);
        for (double amount : payments)
            m.addPayment(KPayment(amount, KDateValue(20240101)));
        return addMember(doc, m).id();
    }

    static Grid grid(const KOverview& overview) {
        Grid g;
        for (int r = 0; r < overview.rowCount(); ++r) {
            g.emplace_back();
            for (int c = 0; c < overview.colCount(); ++c)
                g.back().push_back(overview.cell(r, c));
        }
        return g;
    }
};

} // namespace

TEST_F(OverviewTest, TheWorkedExamplesGiveTheirFigures) {
    // Paid 100.00 against 100.00 of 2003 and 100.00 of 2004: the older debt is cleared.
    const std::int32_t s2003 = scheme("Contributie 2003", 2003);
    const std::int32_t s2004 = scheme("Contributie 2004", 2004);
    member("Jansen",
           {charge(s2003, 20030101, {{"Contributie", 100}}),
            charge(s2004, 20040101, {{"Contributie", 100}})},
           {100});
    EXPECT_EQ(grid(KOverview(doc)), (Grid{{"", "Contributie 2004", "Totaal"},
                                         {"Contributie", "100.00", "100.00"},
                                         {"Totaal", "100.00", "100.00"}}));

    // Paid 30.00 against 20.00 "Contributie" and 50.00 "Competitie", in that order of names.
    CKorvelDoc second;
    second.OnNewDocument();
    KMember m = makeMember(second, "Visser");
    m.addCharge(charge(500, 20040101, {{"Contributie", 20}, {"Competitie", 50}}));
    m.addPayment(KPayment(30, KDateValue(20040201)));
    KMember first = makeMember(second, "Bakker");
    first.addCharge(charge(500, 20040101, {{"Contributie", 5}}));
    addMember(second, first);
    addMember(second, m);
    KContribution s(500);
    s.setDescription("2004");
    s.setDate(KDateValue(20040101));
    KEdit::addScheme(second, s);
    EXPECT_EQ(grid(KOverview(second)), (Grid{{"", "2004", "Totaal"},
                                            {"Contributie", "5.00", "5.00"},
                                            {"Competitie", "40.00", "40.00"},
                                            {"Totaal", "45.00", "45.00"}}));
}

TEST_F(OverviewTest, APaymentClearsOneDebtOnceOldestFirst) {
    // The filed example: one payment of 20.00 cannot clear 20.00 in two columns.
    const std::int32_t s2025 = scheme("Contributie 2025", 2025);
    const std::int32_t s2026 = scheme("Contributie 2026", 2026);
    member("Aalders", {charge(s2026, 20260101, {{"Contributie", 10}})}, {10});
    member("Jansen",
           {charge(s2025, 20250101, {{"Competitie", 50}}),
            charge(s2026, 20260101, {{"Contributie", 20}})},
           {20});
    const KOverview overview(doc);
    EXPECT_EQ(grid(overview), (Grid{{"", "Contributie 2025", "Contributie 2026", "Totaal"},
                                    {"Contributie", "0.00", "20.00", "20.00"},
                                    {"Competitie", "30.00", "0.00", "30.00"},
                                    {"Totaal", "30.00", "20.00", "50.00"}}));
}

TEST_F(OverviewTest, ChargesBelongToTheSchemeWithTheirIdOrAreExtra) {
    const std::int32_t s2025 = scheme("Contributie 2025", 2025);
    // A copy dated before its scheme's date changed counts under the scheme and is cleared by
    // the scheme's date; a charge whose id no scheme has is extra and cleared by its own date,
    // here first.
    member("Jansen",
           {charge(s2025, 20200101, {{"Contributie", 40}}),
            charge(777, 20220101, {{"Boete", 15}})},
           {10});
    // Paid in full, an extra charge's column goes like any other.
    member("Visser", {charge(778, 20220101, {{"Boete", 15}})}, {15});
    const KOverview overview(doc);
    EXPECT_EQ(grid(overview), (Grid{{"", "Contributie 2025", "Extra betaling", "Totaal"},
                                    {"Contributie", "40.00", "0.00", "40.00"},
                                    {"Boete", "0.00", "5.00", "5.00"},
                                    {"Totaal", "40.00", "5.00", "45.00"}}));
}

TEST_F(OverviewTest, PartsOfOneNameAddUpAndADiscountLowersItsOwnCharge) {
    const std::int32_t s = scheme("Contributie 2026", 2026);
    member("Jansen", {charge(s, 20260101, {{"Contributie", 30}, {"Contributie", 20}, {"Korting", -10}})});
    member("Visser", {charge(s, 20260101, {{"Contributie", 30}})}, {100});
    member("Bakker", {charge(s, 20260101, {{"Contributie", 0}})});
    EXPECT_EQ(grid(KOverview(doc)), (Grid{{"", "Contributie 2026", "Totaal"},
                                         {"Contributie", "40.00", "40.00"},
                                         {"Totaal", "40.00", "40.00"}}));
}

TEST_F(OverviewTest, WhatADiscountLeavesClearsLikeAPayment) {
    // The 2026 discount is larger than its own charge; the rest clears the 2025 debt, so the
    // overview says what the balance says: 60 + 5 - 25 - 10 = 30.
    const std::int32_t s2025 = scheme("Contributie 2025", 2025);
    const std::int32_t s2026 = scheme("Contributie 2026", 2026);
    const std::int32_t id = member(
        "Jansen",
        {charge(s2025, 20250101, {{"Contributie", 60}}),
         charge(s2026, 20260101, {{"Competitie", 5}, {"Korting", -25}})},
        {10});
    EXPECT_EQ(grid(KOverview(doc)), (Grid{{"", "Contributie 2025", "Totaal"},
                                         {"Contributie", "30.00", "30.00"},
                                         {"Totaal", "30.00", "30.00"}}));
    const KOutstanding outstanding(doc);
    std::vector<double> shares;
    outstanding.memberShares(*doc.findMember(id), shares);
    double sum = 0.0;
    for (double share : shares)
        sum += share;
    EXPECT_DOUBLE_EQ(sum, doc.findMember(id)->balance());
}

TEST_F(OverviewTest, NothingOutstandingLeavesTheTotalRowAlone) {
    const std::int32_t s = scheme("Contributie 2026", 2026);
    member("Jansen", {charge(s, 20260101, {{"Contributie", 30}})}, {30});
    const KOverview overview(doc);
    EXPECT_EQ(grid(overview), (Grid{{""}, {"Totaal"}}));
    EXPECT_FALSE(overview.bold(1, 0));
    EXPECT_TRUE(overview.alerts().isEmpty());
}

TEST_F(OverviewTest, WithoutMembersOrChargesTheGridStaysEmpty) {
    const KOverview noMembers(doc);
    EXPECT_EQ(noMembers.rowCount(), 0);
    EXPECT_EQ(noMembers.alerts(), QStringList{"Er zijn geen leden"});

    scheme("Contributie 2026", 2026);
    member("Jansen", {}, {25});
    const KOverview noCharges(doc);
    EXPECT_EQ(noCharges.rowCount(), 0);
    EXPECT_EQ(noCharges.alerts(), QStringList{"Er zijn geen schulden."});
}

TEST_F(OverviewTest, TotalsAreBoldAndSchemesOfOneDateAndIdShareAColumn) {
    const std::int32_t s = scheme("Contributie 2026", 2026);
    // A second scheme with the same date and id (a damaged file) is no column of its own; the
    // first of them in list order, here the one added last, gives the column its title.
    KContribution twin(s);
    twin.setDescription("Tweeling");
    twin.setDate(KDateValue(20260101));
    KEdit::addScheme(doc, twin);
    member("Jansen", {charge(s, 20260101, {{"Contributie", 30}, {"Competitie", 12.5}})});
    const KOverview overview(doc);
    ASSERT_EQ(grid(overview), (Grid{{"", "Tweeling", "Totaal"},
                                    {"Contributie", "30.00", "30.00"},
                                    {"Competitie", "12.50", "12.50"},
                                    {"Totaal", "42.50", "42.50"}}));
    for (int r = 0; r < overview.rowCount(); ++r)
        for (int c = 0; c < overview.colCount(); ++c)
            EXPECT_EQ(overview.bold(r, c), r == 3 || c == 2) << r << "," << c;
}

TEST_F(OverviewTest, TheMembersBehindACell) {
    const std::int32_t s2025 = scheme("Contributie 2025", 2025);
    const std::int32_t s2026 = scheme("Contributie 2026", 2026);
    member("Jansen", {charge(s2025, 20250101, {{"Contributie", 30}}),
                      charge(s2026, 20260101, {{"Contributie", 40}, {"Competitie", 16}})});
    member("Visser", {charge(s2026, 20260101, {{"Contributie", 40}})}, {40});
    // Paid all but a hair: no member is listed with 0.00.
    member("Bakker", {charge(s2026, 20260101, {{"Contributie", 40.1}})}, {20.1, 19.999});
    const KOverview overview(doc);
    ASSERT_EQ(grid(overview), (Grid{{"", "Contributie 2025", "Contributie 2026", "Totaal"},
                                    {"Contributie", "30.00", "40.00", "70.00"},
                                    {"Competitie", "0.00", "16.00", "16.00"},
                                    {"Totaal", "30.00", "56.00", "86.00"}}));

    const KOverview::Members total = overview.membersOf(3, 2);
    EXPECT_EQ(total.title, "Contributie 2026 / Totaal");
    EXPECT_EQ(total.lines, (std::vector<std::string>{"Jansen: 56.00"}));
    EXPECT_EQ(overview.membersOf(3, 3).lines, (std::vector<std::string>{"Jansen: 86.00"}));
    EXPECT_EQ(overview.membersOf(1, 1).title, "Contributie 2025 / Contributie");
    EXPECT_TRUE(overview.membersOf(2, 1).lines.empty()); // a cell of 0.00
    EXPECT_TRUE(overview.membersOf(0, 1).lines.empty());
    EXPECT_TRUE(overview.membersOf(1, 0).lines.empty());
}

TEST_F(OverviewTest, TheGrandTotalIsWhatTheBalancesSayIsOwed) {
    // A generated club: two schemes charged, payments of all sizes, members who overpaid.
    ClubGenerator(7).generate(doc, 400);
    double owed = 0.0;
    for (const KMember& m : doc.members())
        owed += std::max(0.0, m.balance());
    ASSERT_GT(owed, 0.0);
    const KOverview overview(doc);
    ASSERT_GT(overview.rowCount(), 2);
    const std::string& corner = overview.cell(overview.rowCount() - 1, overview.colCount() - 1);
    EXPECT_NEAR(Numbers::leadingReal(corner), owed, 0.005 * overview.rowCount() * overview.colCount());

    // And member by member: a member's shares add up to the member's positive balance.
    const KOutstanding outstanding(doc);
    std::vector<double> shares;
    for (const KMember& m : doc.members()) {
        outstanding.memberShares(m, shares);
        double sum = 0.0;
        for (double share : shares) {
            EXPECT_GE(share, 0.0);
            sum += share;
        }
        EXPECT_NEAR(sum, std::max(0.0, m.balance()), 1e-6) << m.name();
    }
}

TEST_F(OverviewTest, ACellListsTheMembersOfItsOwnColumnAndRow) {
    // Two schemes of one description, and a part named like the total row: a cell lists the
    // members behind its own amount, not those of the first column or row with its title.
    const std::int32_t first = scheme("Contributie", 2025);
    const std::int32_t second = scheme("Contributie", 2026);
    member("Jansen", {charge(first, 20250101, {{"Totaal", 10}})});
    member("Visser", {charge(second, 20260101, {{"Totaal", 20}})});
    const KOverview overview(doc);
    ASSERT_EQ(grid(overview), (Grid{{"", "Contributie", "Contributie", "Totaal"},
                                    {"Totaal", "10.00", "20.00", "30.00"},
                                    {"Totaal", "10.00", "20.00", "30.00"}}));
    EXPECT_EQ(overview.membersOf(1, 2).lines, (std::vector<std::string>{"Visser: 20.00"}));
    EXPECT_EQ(overview.membersOf(2, 1).lines, (std::vector<std::string>{"Jansen: 10.00"}));
    EXPECT_EQ(overview.membersOf(1, 3).lines,
              (std::vector<std::string>{"Jansen: 10.00", "Visser: 20.00"}));
    EXPECT_TRUE(overview.bold(2, 1));
    EXPECT_FALSE(overview.bold(1, 1));
}
