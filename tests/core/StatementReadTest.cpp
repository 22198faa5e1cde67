// Reading bank statements: both camt.053 versions (checked against their schemas first), zip
// archives, MT940 in two banks' styles, and files that are no statement, cut off or damaged.
#include "core/statement/KBankConventions.h"
#include "core/statement/KBankText.h"
#include "core/statement/KStatementFile.h"
#include "tests/support/StatementSamples.h"

#include <gtest/gtest.h>

namespace {

using samples::Camt;
using samples::Mt940;

// Reads a camt sample after xmllint has found it valid.
KStatementRead readValid(const QByteArray& xml, int version) {
    const QString errors = samples::schemaErrors(xml, version);
    EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();
    return KStatementFile::fromBytes(xml, QStringLiteral("afschrift.xml"));
}

Camt januaryStatement(int version, const QString& prefix = {}) {
    Camt camt(version, prefix);
    camt.statement(QStringLiteral("STMT-1"))
        .transfer(4250, QStringLiteral("REF-1"), QStringLiteral("P. Jansen"),
                  QStringLiteral("NL44rabo0123456789"), QStringLiteral("Contributie 2027"))
        .storno(6000, QStringLiteral("REF-2"), QStringLiteral("KVL-12-20270115"),
                QStringLiteral("MD06"), QStringLiteral("A. de Vries"), QStringLiteral("NL02ABNA0123456789"))
        .transfer(-1999, QStringLiteral("REF-3"), QStringLiteral("Sporthal BV"),
                  QStringLiteral("NL69INGB0123456789"), QStringLiteral("Huur januari"));
    samples::Entry batch;
    batch.cents = 9000;
    batch.reference = QStringLiteral("REF-4");
    batch.batchIds = {QStringLiteral("KVL-20270110120000123"), QStringLiteral("KVL-20270110120000123-RCUR")};
    samples::Tx first;
    first.cents = 5000;
    first.endToEndId = QStringLiteral("KVL-12-20270115");
    first.name = QStringLiteral("A. de Vries");
    first.iban = QStringLiteral("NL02ABNA0123456789");
    samples::Tx second = first;
    second.cents = 4000;
    second.endToEndId = QStringLiteral("KVL-14-20270115");
    second.name = QStringLiteral("K. Bakker");
    batch.transactions = {first, second};
    camt.entry(batch);
    samples::Entry dollars;
    dollars.cents = 1000;
    dollars.currency = QStringLiteral("USD");
    dollars.reference = QStringLiteral("REF-5");
    camt.entry(dollars);
    camt.statement(QStringLiteral("STMT-2"));
    samples::Entry pending;
    pending.cents = 500;
    pending.status = QStringLiteral("PDNG");
    pending.additional = QStringLiteral("Nog niet verwerkt");
    camt.entry(pending);
    return camt;
}

class CamtVersions : public ::testing::TestWithParam<std::pair<int, const char*>> {};

TEST_P(CamtVersions, ReadTheSameStatementAlike) {
    const auto [version, prefix] = GetParam();
    const KStatementRead read = readValid(januaryStatement(version, QString::fromLatin1(prefix)).xml(), version);
    ASSERT_TRUE(read.result.isDone()) << read.result.reason().toStdString();
    ASSERT_EQ(read.statements.size(), 2u);
    const KBankStatement& s = read.statements[0];
    EXPECT_EQ(s.id, QStringLiteral("STMT-1"));
    EXPECT_EQ(s.accountIban, samples::kClubIban);
    ASSERT_EQ(s.entries.size(), 6u) << "the batch gives one amount per transaction";

    const KBankEntry& transfer = s.entries[0];
    EXPECT_EQ(transfer.cents, 4250);
    EXPECT_EQ(transfer.currency, QStringLiteral("EUR"));
    EXPECT_EQ(transfer.bookingDate, 20270115);
    EXPECT_EQ(transfer.reference, QStringLiteral("REF-1"));
    EXPECT_EQ(transfer.name, QStringLiteral("P. Jansen"));
    EXPECT_EQ(transfer.iban, QStringLiteral("NL44RABO0123456789"));
    EXPECT_EQ(transfer.text, QStringLiteral("Contributie 2027"));
    EXPECT_EQ(transfer.status, QStringLiteral("BOOK"));

    // A returned collection: money out, the member (the debtor) as the other party.
    const KBankEntry& storno = s.entries[1];
    EXPECT_EQ(storno.cents, -6000);
    EXPECT_EQ(storno.endToEndId, QStringLiteral("KVL-12-20270115"));
    EXPECT_EQ(storno.returnReason, QStringLiteral("MD06"));
    EXPECT_EQ(storno.name, QStringLiteral("A. de Vries"));
    EXPECT_EQ(storno.iban, QStringLiteral("NL02ABNA0123456789"));

    const KBankEntry& rent = s.entries[2];
    EXPECT_EQ(rent.cents, -1999);
    EXPECT_EQ(rent.name, QStringLiteral("Sporthal BV")) << "a debit's other party is the creditor";

    EXPECT_EQ(s.entries[3].cents, 5000);
    EXPECT_EQ(s.entries[4].cents, 4000);
    EXPECT_EQ(s.entries[4].endToEndId, QStringLiteral("KVL-14-20270115"));
    EXPECT_EQ(s.entries[4].name, QStringLiteral("K. Bakker"));
    EXPECT_NE(s.entries[3].reference, s.entries[4].reference);
    EXPECT_FALSE(s.entries[3].batch);

    EXPECT_EQ(s.entries[5].currency, QStringLiteral("USD"));
    const KBankEntry& pending = read.statements[1].entries.at(0);
    EXPECT_EQ(pending.status, QStringLiteral("PDNG"));
    EXPECT_EQ(pending.text, QStringLiteral("Nog niet verwerkt"));
    EXPECT_EQ(pending.bookingDate, 20270115);
    EXPECT_FALSE(pending.reference.isEmpty()) << "a reference of its own where the bank gave none";
}

INSTANTIATE_TEST_SUITE_P(Statement, CamtVersions,
                         ::testing::Values(std::make_pair(2, ""), std::make_pair(8, ""),
                                           std::make_pair(8, "ns2")));

TEST(CamtRead, ABatchWithoutDetailsKeepsItsRunAndAnotherMessageIsRefused) {
    Camt camt(2);
    samples::Entry batch;
    batch.cents = 12000;
    batch.reference = QStringLiteral("REF-9");
    batch.batchIds = {QStringLiteral("KVL-20270110120000123"), QStringLiteral("KVL-20270110120000123-FRST")};
    camt.statement(QStringLiteral("S")).entry(batch);
    const KStatementRead read = readValid(camt.xml(), 2);
    ASSERT_TRUE(read.result.isDone()) << read.result.reason().toStdString();
    const KBankEntry& e = read.statements.at(0).entries.at(0);
    EXPECT_TRUE(e.batch);
    EXPECT_TRUE(e.batchReferences.contains(QStringLiteral("KVL-20270110120000123-FRST")));

    // A direct-debit file is no statement.
    const QByteArray pain = "<?xml version=\"1.0\"?><Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:"
                            "pain.008.001.08\"><CstmrDrctDbtInitn/></Document>";
    const KStatementRead refused = KStatementFile::fromBytes(pain, QStringLiteral("incasso.xml"));
    EXPECT_TRUE(refused.result.isFailed());
    EXPECT_TRUE(refused.result.reason().contains(QStringLiteral("incassobestand"))) << refused.result.reason().toStdString();
}

TEST(CamtRead, CutOffDamagedOrUnsafeFilesGiveAReasonAndNoStatement) {
    const QByteArray whole = januaryStatement(8).xml();
    const struct {
        QByteArray bytes;
        const char* says;
    } cases[] = {
        {whole.left(whole.size() / 2), "afgebroken"},
        {QByteArray(whole).replace("</Ntry>", "</Ntr>"), "beschadigd"},
        {QByteArray(whole).replace("<Amt Ccy=\"EUR\">42.50</Amt>", "<Amt Ccy=\"EUR\">42,50</Amt>"), "onleesbaar"},
        {QByteArray(whole).replace("<CdtDbtInd>CRDT</CdtDbtInd>\n<Sts>", "<CdtDbtInd>X</CdtDbtInd>\n<Sts>"), "CRDT of DBIT"},
        {"<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaa\">]><Document/>", "documenttypedefinitie"},
        {"<html><body>niets</body></html>", "geen bankafschrift"},
        {"Datum;Bedrag\n15-01-2027;12,50\n", "geen bankafschrift"},
    };
    for (const auto& c : cases) {
        const KStatementRead read = KStatementFile::fromBytes(c.bytes, QStringLiteral("x.xml"));
        EXPECT_TRUE(read.result.isFailed()) << c.says;
        EXPECT_TRUE(read.result.reason().contains(QString::fromUtf8(c.says)))
            << c.says << ": " << read.result.reason().toStdString();
        EXPECT_TRUE(read.statements.empty());
    }
}

TEST(StatementZip, ReadsEveryFileAndRefusesOneThatIsNoStatement) {
    for (int version : {2, 8})
        ASSERT_EQ(samples::schemaErrors(januaryStatement(version).xml(), version), QString());
    const QByteArray both = samples::zip({{QStringLiteral("a.xml"), januaryStatement(2).xml()},
                                          {QStringLiteral("map/"), {}},
                                          {QStringLiteral("map/b.xml"), januaryStatement(8).xml()}});
    const KStatementRead read = KStatementFile::fromBytes(both, QStringLiteral("export.zip"));
    ASSERT_TRUE(read.result.isDone()) << read.result.reason().toStdString();
    ASSERT_EQ(read.statements.size(), 4u);
    EXPECT_EQ(read.statements[2].source, QStringLiteral("export.zip/map/b.xml"));
    EXPECT_EQ(read.entryCount(), 14u);

    const QByteArray mixed = samples::zip({{QStringLiteral("a.xml"), januaryStatement(2).xml()},
                                           {QStringLiteral("leesmij.pdf"), "%PDF-1.4 ..."}});
    const KStatementRead refused = KStatementFile::fromBytes(mixed, QStringLiteral("export.zip"));
    EXPECT_TRUE(refused.result.isFailed());
    EXPECT_TRUE(refused.result.reason().contains(QStringLiteral("export.zip/leesmij.pdf"))) << refused.result.reason().toStdString();
    EXPECT_TRUE(refused.statements.empty()) << "nothing of the archive is booked";

    QByteArray damaged = both;
    damaged.truncate(damaged.size() / 2);
    EXPECT_TRUE(KStatementFile::fromBytes(damaged, QStringLiteral("export.zip")).result.isFailed());
    EXPECT_TRUE(KStatementFile::fromBytes(samples::zip({}), QStringLiteral("leeg.zip")).result.isFailed());
}

TEST(StatementFile, AFileThatCannotBeOpenedSaysSoInDutch) {
    const KStatementRead read = KStatementFile::read(QStringLiteral("/bestaat/niet/afschrift.xml"));
    EXPECT_TRUE(read.result.isFailed());
    EXPECT_TRUE(read.result.reason().startsWith(QStringLiteral("Het bestand afschrift.xml kan niet worden geopend")))
        << read.result.reason().toStdString();
}

class Mt940Styles : public ::testing::TestWithParam<Mt940::Style> {};

TEST_P(Mt940Styles, ReadTheStructuredDescription) {
    Mt940::Line paid(4250, QStringLiteral("P JANSEN"), QStringLiteral("NL44RABO0123456789"),
                         QStringLiteral("Contributie 2027 lid 1234567 en een lange omschrijving die over de regel loopt"));
    paid.bankReference = QStringLiteral("B7A15");
    Mt940::Line returned(-6000, QStringLiteral("A DE VRIES"), QStringLiteral("NL02ABNA0123456789"),
                       QStringLiteral("Contributie"));
    returned.endToEndId = QStringLiteral("KVL-12-20270115");
    returned.returnReason = QStringLiteral("MD06");
    Mt940::Line reversed(1000, QStringLiteral("K BAKKER"), QStringLiteral("NL02ABNA0123456789"),
                         QStringLiteral("Terug"));
    reversed.date = QStringLiteral("261231");
    reversed.bookingDay = QStringLiteral("0102");
    reversed.reversal = true;
    Mt940 file(GetParam());
    file.statement(QStringLiteral("940S270115")).line(paid).line(returned).line(reversed);
    const KStatementRead read = KStatementFile::fromBytes(file.bytes(), QStringLiteral("afschrift.sta"));
    ASSERT_TRUE(read.result.isDone()) << read.result.reason().toStdString();
    ASSERT_EQ(read.statements.size(), 1u);
    const KBankStatement& s = read.statements[0];
    EXPECT_EQ(s.accountIban, samples::kClubIban);
    EXPECT_EQ(s.currency, QStringLiteral("EUR"));
    ASSERT_EQ(s.entries.size(), 3u);

    const KBankEntry& transfer = s.entries[0];
    EXPECT_EQ(transfer.cents, 4250);
    EXPECT_EQ(transfer.currency, QStringLiteral("EUR"));
    EXPECT_EQ(transfer.bookingDate, 20270115);
    EXPECT_EQ(transfer.reference, QStringLiteral("B7A15"));
    EXPECT_EQ(transfer.name, QStringLiteral("P JANSEN"));
    EXPECT_EQ(transfer.iban, QStringLiteral("NL44RABO0123456789"));
    EXPECT_EQ(transfer.text, QStringLiteral("Contributie 2027 lid 1234567 en een lange omschrijving die over de regel loopt"));
    EXPECT_TRUE(transfer.endToEndId.isEmpty()) << "NOTPROVIDED is no id";

    const KBankEntry& storno = s.entries[1];
    EXPECT_EQ(storno.cents, -6000);
    EXPECT_EQ(storno.endToEndId, QStringLiteral("KVL-12-20270115"));
    EXPECT_EQ(storno.returnReason, QStringLiteral("MD06"));
    EXPECT_FALSE(storno.reference.isEmpty());
    EXPECT_NE(storno.reference, s.entries[2].reference);

    // "RD": a debit reversed is money in; booked on 2 January of the next year.
    EXPECT_EQ(s.entries[2].cents, 1000);
    EXPECT_EQ(s.entries[2].bookingDate, 20270102);
}

INSTANTIATE_TEST_SUITE_P(Banks, Mt940Styles, ::testing::Values(Mt940::Style::Fields, Mt940::Style::CounterParty));

TEST(Mt940Read, CutOffOrDamagedFilesGiveAReasonAndNoStatement) {
    Mt940 file(Mt940::Style::Fields);
    file.statement(QStringLiteral("A")).line(Mt940::Line(1250, QStringLiteral("X"), QString(), QStringLiteral("Y")));
    file.statement(QStringLiteral("B")).line(Mt940::Line(800, QStringLiteral("Z"), QString(), QStringLiteral("W")));
    const QByteArray whole = file.bytes();
    ASSERT_TRUE(KStatementFile::fromBytes(whole, QStringLiteral("a.940")).result.isDone());
    const struct {
        QByteArray bytes;
        const char* says;
    } cases[] = {
        {whole.left(whole.lastIndexOf(":62F:")), "afgebroken"},
        {QByteArray(whole).replace("C12,50", "C12,55"), "kloppen niet"},
        {QByteArray(whole).replace(":61:270115C12,50", ":61:2701XXC12,50"), "onleesbaar"},
        {QByteArray(whole).replace(":60F:", ":6OF:").replace(":20:B", ":20:B"), "beginsaldo"},
    };
    for (const auto& c : cases) {
        const KStatementRead read = KStatementFile::fromBytes(c.bytes, QStringLiteral("a.940"));
        EXPECT_TRUE(read.result.isFailed()) << c.says;
        EXPECT_TRUE(read.result.reason().contains(QString::fromUtf8(c.says)))
            << c.says << ": " << read.result.reason().toStdString();
        EXPECT_TRUE(read.statements.empty());
    }
}

TEST(BankText, AmountsAsBanksWriteThem) {
    const struct {
        const char* text;
        char separator;
        std::optional<std::int64_t> cents;
        bool exact;
    } cases[] = {
        {"12.50", '.', 1250, true},   {"0.5", '.', 50, true},        {"7", '.', 700, true},
        {"12.505", '.', 1251, false}, {"12.50000", '.', 1250, true}, {" 3.00 ", '.', 300, true},
        {"1,234.50", '.', {}, true},  {"-12.50", '.', {}, true},     {"12,50", '.', {}, true},
        {"", '.', {}, true},          {".50", '.', {}, true},        {"12,50", ',', 1250, true},
        {"12,", ',', 1200, true},     {"1.250,00", ',', {}, true},   {"12.50", ',', {}, true},
    };
    for (const auto& c : cases) {
        const auto amount = KBankText::readAmount(QString::fromLatin1(c.text), QLatin1Char(c.separator));
        ASSERT_EQ(amount.has_value(), c.cents.has_value()) << c.text;
        if (amount) {
            EXPECT_EQ(amount->cents, *c.cents) << c.text;
            EXPECT_EQ(amount->exactCents, c.exact) << c.text;
        }
    }
}

TEST(BankText, NamesAndNumbersAsTheyStandInADescription) {
    EXPECT_EQ(KBankText::foldName(QStringLiteral("  Dé  Vries-Bákker ")), "de vries bakker");
    EXPECT_EQ(KBankText::foldName(QStringLiteral("JOËL VAN DEN BERG")), "joel van den berg");
    EXPECT_EQ(KBankText::sortedWords("piet jansen"), KBankText::sortedWords("jansen piet"));
    EXPECT_EQ(KBankText::wholeNumbers(QStringLiteral("lid 0012345, 2027; 12345678/x9")),
              (std::vector<std::string>{"12345", "2027", "12345678", "9"}));
    EXPECT_EQ(KBankText::memberNumber(" 0012345 "), "12345");
    EXPECT_EQ(KBankText::memberNumber("0"), "") << "0 stands for no number";
    EXPECT_EQ(KBankText::memberNumber("NL-12"), "");
    EXPECT_EQ(KBankText::readIsoDate(u"2027-02-29"), 0);
    EXPECT_EQ(KBankText::readIsoDate(u"2028-02-29T10:00:00+01:00"), 20280229);
}

TEST(BankConventions, KorvelsOwnReferencesAndRemarks) {
    const auto collection = KBankConventions::readEndToEndId(u"KVL-1234-20270115");
    ASSERT_TRUE(collection);
    EXPECT_EQ(collection->memberId, 1234);
    EXPECT_EQ(collection->date, 20270115);
    for (const char16_t* no : {u"KVL-1234-2027011", u"KVL--20270115", u"KVL-12a-20270115", u"KVL-12-20270230",
                               u"XKVL-12-20270115", u"NOTPROVIDED"})
        EXPECT_FALSE(KBankConventions::readEndToEndId(no)) << QString::fromUtf16(no).toStdString();

    EXPECT_EQ(KBankConventions::runOf(u"KVL-20261209143012345-RCUR"), QStringLiteral("KVL-20261209143012345"));
    EXPECT_EQ(KBankConventions::runOf(u"KVL-20261209143012345"), QStringLiteral("KVL-20261209143012345"));
    EXPECT_FALSE(KBankConventions::runOf(u"KVL-20261209143012345-XXXX"));
    EXPECT_FALSE(KBankConventions::runOf(u"KVL-2026120914301234"));
    EXPECT_EQ(KBankConventions::findRun(u"Incasso KVL-20261209143012345-FRST 12 posten"),
              QStringLiteral("KVL-20261209143012345"));

    const std::string received = KBankConventions::receivedRemark(20270115, QStringLiteral("REF 7"));
    EXPECT_EQ(received, "Bank 2027-01-15 REF 7");
    const std::string storno =
        KBankConventions::stornoRemark(QStringLiteral("MD06"), 20270115, QStringLiteral("R-1"));
    EXPECT_EQ(storno, "Storno MD06 Bank 2027-01-15 R-1");
    for (const std::string& remark : {received, storno}) {
        const auto booked = KBankConventions::readBookedRemark(remark);
        ASSERT_TRUE(booked) << remark;
        EXPECT_EQ(booked->date, 20270115);
    }
    EXPECT_EQ(KBankConventions::readBookedRemark(received)->reference, "REF 7");
    EXPECT_FALSE(KBankConventions::readBookedRemark("Bank 2027-13-15 X"));
    EXPECT_FALSE(KBankConventions::readBookedRemark("Contant betaald"));
    EXPECT_EQ(KBankConventions::collectionRun("Incasso KVL-20261209143012345"), "KVL-20261209143012345");
    EXPECT_TRUE(KBankConventions::collectionRun("Incasso handmatig").empty());
}

} // namespace
