// Finding the member behind each amount of a statement, what was booked before, and booking
// the review in one step.
#include "core/statement/KStatementFile.h"
#include "core/statement/KStatementReview.h"
#include "tests/support/Pinned.h"
#include "tests/support/StatementClub.h"
#include "tests/support/StatementSamples.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using samples::Camt;

const QString kJansenIban = QStringLiteral("NL44RABO0123456789");
const QString kDeVriesIban = QStringLiteral("NL02ABNA0123456789");
const QString kFamilyIban = QStringLiteral("NL55INGB0001234567");
const QString kStranger = QStringLiteral("NL18TRIO0212345678");
const char* const kRun = "KVL-20270110120000123";

class StatementMatch : public ::testing::Test {
protected:
    StatementMatch() {
        newDocument(doc);
        samples::addIbanField(doc);
        jansen = samples::addClubMember(doc, "Piet Jansen", "NL44 rabo 0123 4567 89", 1234567, 42.50);
        // Collected on 15 January by run kRun, so she owes nothing now.
        devries = samples::addClubMember(doc, "Anna de Vries", kDeVriesIban.toStdString(), 2345678, 60.00);
        samples::addPayment(doc, devries, 60.00, 20270115, std::string("Incasso ") + kRun);
        kees = samples::addClubMember(doc, "Kees Bakker", kFamilyIban.toStdString(), 3456789, 45.00);
        lotte = samples::addClubMember(doc, "Lotte Bakker", kFamilyIban.toStdString(), 4567890, 30.00);
        visser = samples::addClubMember(doc, "Sanne Visser", "", 0, 20.00);
    }

    KStatementReview review(const QByteArray& bytes, const QString& clubIban = samples::kClubIban) {
        KStatementRead read = KStatementFile::fromBytes(bytes, QStringLiteral("afschrift"));
        EXPECT_TRUE(read.result.isDone()) << read.result.reason().toStdString();
        return KStatementReview(doc, std::move(read.statements), QStringLiteral("IBAN"), clubIban);
    }
    KStatementReview review(const Camt& camt, int version = 2) {
        const QByteArray xml = camt.xml();
        const QString errors = samples::schemaErrors(xml, version);
        EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();
        return review(xml);
    }
    QString endToEnd(std::int32_t member) const { return QStringLiteral("KVL-%1-20270115").arg(member); }
    double balance(std::int32_t member) const { return doc.findMember(member)->balance(); }

    PinnedToday today{20270120};
    CKorvelDoc doc;
    std::int32_t jansen = 0, devries = 0, kees = 0, lotte = 0, visser = 0;
};

struct Expected {
    KMatchState state;
    KMatchRule rule;
    std::int32_t member;
};

void expectRows(const KStatementReview& review, const std::vector<Expected>& expected) {
    ASSERT_EQ(review.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const KStatementMatch& m = review.row(i).match;
        EXPECT_EQ(m.state, expected[i].state) << "row " << i << ": " << m.note.toStdString();
        EXPECT_EQ(m.rule, expected[i].rule) << "row " << i;
        EXPECT_EQ(m.member, expected[i].member) << "row " << i;
        EXPECT_EQ(review.row(i).checked, expected[i].state == KMatchState::Ready) << "row " << i;
    }
}

TEST_F(StatementMatch, EachRuleInItsOrder) {
    Camt camt(2);
    camt.statement(QStringLiteral("S1"))
        // 1: Korvel's own collection, even from an account nobody has.
        .transfer(4250, QStringLiteral("R1"), QStringLiteral("X"), kStranger, QString(), endToEnd(jansen))
        // ... booked already by its run.
        .transfer(6000, QStringLiteral("R2"), QStringLiteral("A de Vries"), kDeVriesIban, QString(), endToEnd(devries))
        // 2: the IBAN (the member's field holds it with blanks and small letters).
        .transfer(1000, QStringLiteral("R3"), QStringLiteral("P Jansen"), kJansenIban, QStringLiteral("deel"))
        // 3: the federation number, as a whole number only.
        .transfer(1500, QStringLiteral("R4"), QStringLiteral("Onbekend"), kStranger, QStringLiteral("Contributie lid 2345678"))
        .transfer(1500, QStringLiteral("R5"), QStringLiteral("Onbekend"), kStranger, QStringLiteral("ref 23456789"))
        // 3: the name, with the amount the member owes; in either order of the words.
        .transfer(4250, QStringLiteral("R6"), QStringLiteral("JANSEN, PIET"), kStranger, QStringLiteral("contributie"))
        .transfer(2000, QStringLiteral("R7"), QStringLiteral("Echtgenoot"), kStranger, QStringLiteral("voor sanne visser"))
        // ... but not with another amount: left to the treasurer, the member offered first.
        .transfer(1000, QStringLiteral("R8"), QStringLiteral("Piet Jansen"), kStranger, QStringLiteral("contributie"))
        // 4: nothing to go by.
        .transfer(700, QStringLiteral("R9"), QStringLiteral("Onbekend"), kStranger, QStringLiteral("gift"));
    const KStatementReview r = review(camt);
    expectRows(r, {
                      {KMatchState::Ready, KMatchRule::EndToEnd, jansen},
                      {KMatchState::Already, KMatchRule::EndToEnd, devries},
                      {KMatchState::Ready, KMatchRule::Iban, jansen},
                      {KMatchState::Ready, KMatchRule::Reference, devries},
                      {KMatchState::Unmatched, KMatchRule::None, 0},
                      {KMatchState::Ready, KMatchRule::Name, jansen},
                      {KMatchState::Ready, KMatchRule::Name, visser},
                      {KMatchState::Unmatched, KMatchRule::None, 0},
                      {KMatchState::Unmatched, KMatchRule::None, 0},
                  });
    EXPECT_EQ(r.row(7).match.candidates, std::vector<std::int32_t>{jansen});
    EXPECT_TRUE(r.row(8).match.candidates.empty());
    EXPECT_TRUE(r.warnings().isEmpty()) << r.warnings().join(QLatin1Char('\n')).toStdString();
    const KStatementReview::Totals totals = r.checkedTotals();
    EXPECT_EQ(totals.rows, 5u);
    EXPECT_EQ(totals.cents, 4250 + 1000 + 1500 + 4250 + 2000);
}

TEST_F(StatementMatch, AFamilyOnOneAccount) {
    Camt camt(8);
    camt.statement(QStringLiteral("S1"))
        .transfer(4500, QStringLiteral("R1"), QStringLiteral("Fam Bakker"), kFamilyIban, QString())
        .transfer(3000, QStringLiteral("R2"), QStringLiteral("Fam Bakker"), kFamilyIban, QString())
        .transfer(5000, QStringLiteral("R3"), QStringLiteral("Fam Bakker"), kFamilyIban, QStringLiteral("lotte 4567890"))
        .transfer(5000, QStringLiteral("R4"), QStringLiteral("Fam Bakker"), kFamilyIban, QStringLiteral("contributie"));
    KStatementReview r = review(camt, 8);
    expectRows(r, {
                      {KMatchState::Ready, KMatchRule::Iban, kees},
                      {KMatchState::Ready, KMatchRule::Iban, lotte},
                      {KMatchState::Ready, KMatchRule::Reference, lotte},
                      {KMatchState::Choose, KMatchRule::None, 0},
                  });
    EXPECT_EQ(r.row(3).match.candidates, (std::vector<std::int32_t>{kees, lotte}));
    EXPECT_FALSE(r.checkable(3));
    EXPECT_FALSE(r.setChecked(3, true));
    ASSERT_TRUE(r.choose(3, kees).isDone());
    EXPECT_TRUE(r.row(3).checked);
    EXPECT_EQ(r.row(3).match.rule, KMatchRule::Chosen);
    EXPECT_EQ(r.checkedTotals().cents, 17500);
}

TEST_F(StatementMatch, AnEmptyIbanFieldIsNeverMatched) {
    // Sanne has no IBAN; an amount from no account, or from an account of blanks, is not hers.
    Camt camt(2);
    samples::Entry noAccount;
    noAccount.cents = 2000;
    noAccount.reference = QStringLiteral("R1");
    noAccount.additional = QStringLiteral("storting");
    camt.statement(QStringLiteral("S1")).entry(noAccount);
    KStatementReview r = review(camt);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r.row(0).match.state, KMatchState::Unmatched);
    EXPECT_EQ(r.row(0).match.member, 0);

    // Without the field nothing is matched by IBAN, and the treasurer is told so.
    const QByteArray family =
        Camt(2).statement(QStringLiteral("S")).transfer(4500, QStringLiteral("R"), QStringLiteral("Fam Bakker"), kFamilyIban, QString()).xml();
    ASSERT_EQ(samples::schemaErrors(family, 2), QString());
    KStatementRead read = KStatementFile::fromBytes(family, QStringLiteral("a.xml"));
    const KStatementReview other(doc, std::move(read.statements), QStringLiteral("Rekening"), samples::kClubIban);
    EXPECT_EQ(other.row(0).match.rule, KMatchRule::None);
    ASSERT_EQ(other.warnings().size(), 1);
    EXPECT_TRUE(other.warnings().front().contains(QStringLiteral("\"Rekening\""))) << other.warnings().front().toStdString();
}

TEST_F(StatementMatch, AStornoAfterABookedCollectionMakesTheMemberOweAgain) {
    ASSERT_EQ(balance(devries), 0.0);
    Camt camt(8);
    camt.statement(QStringLiteral("S1"))
        .storno(6000, QStringLiteral("R1"), endToEnd(devries), QStringLiteral("MD06"), QStringLiteral("A de Vries"), kDeVriesIban)
        // Jansen's collection was never booked: his storno waits for the treasurer ...
        .storno(4250, QStringLiteral("R2"), endToEnd(jansen), QStringLiteral("AM04"), QStringLiteral("P Jansen"), kJansenIban)
        // ... unless the collection is in the same statement.
        .transfer(4500, QStringLiteral("R3"), QStringLiteral("K Bakker"), kFamilyIban, QString(), endToEnd(kees))
        .storno(4500, QStringLiteral("R4"), endToEnd(kees), QStringLiteral("MS02"), QStringLiteral("K Bakker"), kFamilyIban);
    KStatementReview r = review(camt, 8);
    expectRows(r, {
                      {KMatchState::Ready, KMatchRule::Storno, devries},
                      {KMatchState::Confirm, KMatchRule::Storno, jansen},
                      {KMatchState::Ready, KMatchRule::EndToEnd, kees},
                      {KMatchState::Ready, KMatchRule::Storno, kees},
                  });
    EXPECT_TRUE(r.checkable(1));
    // Chosen by the treasurer, a returned collection stays a storno.
    ASSERT_TRUE(r.choose(1, jansen).isDone());
    EXPECT_EQ(r.payment(1).remarks(), "Storno AM04 Bank 2027-01-15 R2");
    EXPECT_TRUE(r.setChecked(1, false));
    EXPECT_EQ(r.book(doc), 3u);
    EXPECT_DOUBLE_EQ(balance(devries), 60.0);
    EXPECT_DOUBLE_EQ(balance(kees), 45.0);
    const KPayment& storno = *doc.findMember(devries)->payments().findFirst(
        [](const KPayment& p) { return p.amount() < 0; });
    EXPECT_DOUBLE_EQ(storno.amount(), -60.0);
    EXPECT_EQ(storno.date(), KDateValue(20270115));
    EXPECT_EQ(storno.remarks(), "Storno MD06 Bank 2027-01-15 R1");
}

TEST_F(StatementMatch, ReadingAStatementTwiceBooksNothingTwice) {
    Camt camt(2);
    camt.statement(QStringLiteral("S1"))
        .transfer(1000, QStringLiteral("R1"), QStringLiteral("P Jansen"), kJansenIban, QString())
        .transfer(4250, QStringLiteral("R2"), QStringLiteral("X"), kStranger, QString(), endToEnd(jansen))
        .storno(6000, QStringLiteral("R3"), endToEnd(devries), QStringLiteral("MD06"), QStringLiteral("A de Vries"), kDeVriesIban)
        .transfer(700, QStringLiteral("R4"), QStringLiteral("Onbekend"), kStranger, QStringLiteral("gift"));
    KStatementReview first = review(camt);
    ASSERT_TRUE(first.choose(3, visser).isDone());
    EXPECT_EQ(first.book(doc), 4u);
    const std::string afterFirst = savedBytes(doc);
    const int steps = doc.undoStack().count();

    KStatementReview second = review(camt);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(second.row(i).match.state, KMatchState::Already) << i;
    // The one the treasurer chose is not found again, and cannot be booked for her twice.
    EXPECT_EQ(second.row(3).match.state, KMatchState::Unmatched);
    const KResult again = second.choose(3, visser);
    EXPECT_TRUE(again.isFailed());
    EXPECT_TRUE(again.reason().contains(QStringLiteral("al geboekt bij Sanne Visser"))) << again.reason().toStdString();
    EXPECT_EQ(second.book(doc), 0u);
    EXPECT_EQ(doc.undoStack().count(), steps) << "nothing to book is no step";
    EXPECT_EQ(savedBytes(doc), afterFirst);

    // The same statement twice in one archive: each amount once.
    const QByteArray twice = samples::zip({{QStringLiteral("a.xml"), camt.xml()}, {QStringLiteral("b.xml"), camt.xml()}});
    doc.undoStack().undo();
    KStatementReview both = review(twice);
    ASSERT_EQ(both.size(), 8u);
    EXPECT_EQ(both.checkedTotals().rows, 3u);
    for (std::size_t i = 4; i < 8; ++i)
        EXPECT_EQ(both.row(i).match.state, KMatchState::Already) << i;
}

TEST_F(StatementMatch, BookingIsOneStepThatUndoesToTheSameBytes) {
    Camt camt(8);
    camt.statement(QStringLiteral("S1"))
        .transfer(1000, QStringLiteral("R1"), QStringLiteral("P Jansen"), kJansenIban, QString())
        .transfer(3250, QStringLiteral("R 2"), QStringLiteral("P Jansen"), kJansenIban, QString())
        .transfer(4500, QStringLiteral("R3"), QStringLiteral("Fam Bakker"), kFamilyIban, QString());
    KStatementReview r = review(camt, 8);
    const std::string before = savedBytes(doc);
    const int steps = doc.undoStack().count();
    EXPECT_EQ(r.book(doc), 3u);
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("Bankafschrift boeken"));
    EXPECT_DOUBLE_EQ(balance(jansen), 0.0);
    EXPECT_DOUBLE_EQ(balance(kees), 0.0);
    const KPaymentList& payments = doc.findMember(jansen)->payments();
    ASSERT_EQ(payments.size(), 2u);
    EXPECT_EQ(payments.at(0).remarks(), "Bank 2027-01-15 R1");
    EXPECT_EQ(payments.at(1).remarks(), "Bank 2027-01-15 R 2");
    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);
}

TEST_F(StatementMatch, AnotherAccountAnotherCurrencyAndAmountsTheBankHasNotBooked) {
    Camt camt(2);
    camt.statement(QStringLiteral("S1"), QStringLiteral("NL20INGB0001234567"))
        .transfer(1000, QStringLiteral("R1"), QStringLiteral("P Jansen"), kJansenIban, QString());
    samples::Entry dollars;
    dollars.cents = 1000;
    dollars.currency = QStringLiteral("USD");
    dollars.reference = QStringLiteral("R2");
    samples::Entry pending = dollars;
    pending.currency = QStringLiteral("EUR");
    pending.status = QStringLiteral("PDNG");
    pending.reference = QStringLiteral("R3");
    camt.entry(dollars).entry(pending);
    KStatementReview r = review(camt);
    ASSERT_EQ(r.warnings().size(), 1);
    EXPECT_TRUE(r.warnings().front().contains(QStringLiteral("NL20INGB0001234567"))) << r.warnings().front().toStdString();
    EXPECT_EQ(r.row(0).match.state, KMatchState::Ready) << "shown with the warning, not refused";
    for (std::size_t i : {1u, 2u}) {
        EXPECT_EQ(r.row(i).match.state, KMatchState::NotBookable) << i;
        EXPECT_FALSE(r.setChecked(i, true));
        EXPECT_TRUE(r.choose(i, jansen).isFailed());
    }
    EXPECT_TRUE(r.row(1).match.note.contains(QStringLiteral("USD")));
    EXPECT_TRUE(r.row(2).match.note.contains(QStringLiteral("PDNG")));
}

TEST_F(StatementMatch, ABatchIsSplitOrKnownByItsRun) {
    Camt camt(8);
    samples::Entry withDetails;
    withDetails.cents = 7500;
    withDetails.reference = QStringLiteral("B1");
    samples::Tx tx;
    tx.cents = 4500;
    tx.endToEndId = endToEnd(kees);
    samples::Tx other = tx;
    other.cents = 3000;
    other.endToEndId = endToEnd(lotte);
    withDetails.transactions = {tx, other};
    samples::Entry booked;
    booked.cents = 6000;
    booked.reference = QStringLiteral("B2");
    booked.batchIds = {QStringLiteral("MSG"), QString::fromLatin1(kRun) + QStringLiteral("-FRST")};
    samples::Entry unknown = booked;
    unknown.reference = QStringLiteral("B3");
    unknown.batchIds = {QStringLiteral("KVL-20260101120000000")};
    camt.statement(QStringLiteral("S1")).entry(withDetails).entry(booked).entry(unknown);
    KStatementReview r = review(camt, 8);
    expectRows(r, {
                      {KMatchState::Ready, KMatchRule::EndToEnd, kees},
                      {KMatchState::Ready, KMatchRule::EndToEnd, lotte},
                      {KMatchState::Already, KMatchRule::None, 0},
                      {KMatchState::Unmatched, KMatchRule::None, 0},
                  });
}

TEST_F(StatementMatch, MoneyPaidToAMemberIsBookedOnlyAsARefund) {
    // Visser paid 15.00 too much; paying it back is a refund, another debit waits.
    samples::addPayment(doc, visser, 35.00, 20270105, "contant");
    const std::int32_t treasurer = samples::addClubMember(doc, "Jan Smit", "NL66INGB0007654321", 0, 0);
    Camt camt(2);
    camt.statement(QStringLiteral("S1"))
        .transfer(-1500, QStringLiteral("R1"), QStringLiteral("S Visser"), kStranger, QStringLiteral("terug"))
        .transfer(-2399, QStringLiteral("R2"), QStringLiteral("J Smit"), QStringLiteral("NL66INGB0007654321"), QStringLiteral("ballen"));
    KStatementReview r = review(camt);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r.row(0).match.rule, KMatchRule::None) << "no name, IBAN or number: the name needs S. Visser in full";
    EXPECT_EQ(r.row(1).match.state, KMatchState::Confirm);
    EXPECT_EQ(r.row(1).match.member, treasurer);
    EXPECT_FALSE(r.row(1).checked);
    EXPECT_TRUE(r.setChecked(1, true));

    Camt refund(2);
    refund.statement(QStringLiteral("S2")).transfer(-1500, QStringLiteral("R3"), QStringLiteral("Sanne Visser"), kStranger, QString());
    KStatementReview back = review(refund);
    EXPECT_EQ(back.row(0).match.state, KMatchState::Ready);
    EXPECT_EQ(back.row(0).match.rule, KMatchRule::Name);
    EXPECT_EQ(back.row(0).match.member, visser);
}

TEST_F(StatementMatch, Mt940IsMatchedLikeCamt) {
    samples::Mt940::Line collection(4250, QStringLiteral("P JANSEN"), kJansenIban, QStringLiteral("Contributie"));
    collection.endToEndId = endToEnd(jansen);
    samples::Mt940::Line family(3000, QStringLiteral("FAM BAKKER"), kFamilyIban, QStringLiteral("contributie"));
    samples::Mt940 file(samples::Mt940::Style::CounterParty);
    file.statement(QStringLiteral("940S")).line(collection).line(family);
    KStatementReview r = review(file.bytes());
    expectRows(r, {
                      {KMatchState::Ready, KMatchRule::EndToEnd, jansen},
                      {KMatchState::Ready, KMatchRule::Iban, lotte},
                  });
    r.book(doc);
    EXPECT_EQ(doc.findMember(jansen)->payments().at(0).remarks().substr(0, 16), "Bank 2027-01-15 ");
}

} // namespace
