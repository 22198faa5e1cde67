// korvel-cli statement, run as the built program.
#include "core/document/CKorvelDoc.h"
#include "tests/support/CliRun.h"
#include "tests/support/StatementClub.h"
#include "tests/support/StatementSamples.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

using CliRun = ProcessRun;

class CliStatement : public ::testing::Test {
protected:
    CliStatement() {
        doc.OnNewDocument();
        samples::addIbanField(doc);
        jansen = samples::addClubMember(doc, "Piet Jansen", "NL44RABO0123456789", 1234567, 42.50);
        devries = samples::addClubMember(doc, "Anna de Vries", "NL02ABNA0123456789", 2345678, 60.00);
        EXPECT_TRUE(doc.OnSaveDocument(path("club.kvl")));
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // Runs in a profile of its own, so that the user's incasso settings play no part.
    CliRun cli(const QStringList& args) const {
        return runCli(args, {.today = 20270120, .dateFormat = nullptr},
                      m_dir.filePath(QStringLiteral("profiel")));
    }

    QByteArray statement() const {
        samples::Camt camt(8);
        samples::Entry dollars;
        dollars.cents = 500;
        dollars.currency = QStringLiteral("USD");
        dollars.reference = QStringLiteral("R5");
        camt.statement(QStringLiteral("S1"))
            .transfer(4250, QStringLiteral("R1"), QStringLiteral("P Jansen"), QStringLiteral("NL44RABO0123456789"), QString())
            .storno(6000, QStringLiteral("R2"), QStringLiteral("KVL-%1-20270115").arg(devries), QStringLiteral("MD06"),
                    QStringLiteral("A de Vries"), QStringLiteral("NL02ABNA0123456789"))
            .transfer(-1999, QStringLiteral("R3"), QStringLiteral("Sporthal \"De Hal\""), QStringLiteral("NL18TRIO0212345678"),
                      QStringLiteral("Huur januari"))
            .transfer(1500, QStringLiteral("R4"), QStringLiteral("Onbekend"), QStringLiteral("NL18TRIO0212345678"),
                      QStringLiteral("lid 2345678"))
            .entry(dollars);
        const QByteArray xml = camt.xml();
        EXPECT_TRUE(samples::schemaErrors(xml, 8).isEmpty());
        return xml;
    }

    static QJsonObject json(const CliRun& run) {
        QJsonParseError error;
        const QJsonDocument parsed = QJsonDocument::fromJson(run.out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.constData();
        return parsed.object();
    }

    QTemporaryDir m_dir;
    CKorvelDoc doc;
    std::int32_t jansen = 0, devries = 0;
};

TEST_F(CliStatement, BooksWhatIsMatchedAndListsTheRest) {
    const QString file = samples::writeFile(m_dir, QStringLiteral("afschrift.xml"), statement());
    const QStringList args{QStringLiteral("statement"), path("club.kvl"), file, path("uit.kvl"),
                           QStringLiteral("--iban-field"), QStringLiteral("IBAN"),
                           QStringLiteral("--creditor-iban"), samples::kClubIban};
    const CliRun run = cli(args);
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
    const QJsonObject out = json(run);
    EXPECT_EQ(out.value(QStringLiteral("entries")).toInt(), 5);
    EXPECT_EQ(out.value(QStringLiteral("already")).toInt(), 0);
    EXPECT_EQ(out.value(QStringLiteral("not-bookable")).toInt(), 1);
    const QJsonArray booked = out.value(QStringLiteral("booked")).toArray();
    ASSERT_EQ(booked.size(), 2);
    EXPECT_EQ(booked[0].toObject(), (QJsonObject{{"member", jansen}, {"amount", "42.50"}, {"date", 20270115}, {"rule", "iban"}}));
    EXPECT_EQ(booked[1].toObject(), (QJsonObject{{"member", devries}, {"amount", "15.00"}, {"date", 20270115}, {"rule", "reference"}}));
    // De Vries's collection was never booked, so her storno waits for the treasurer; the rent
    // is nobody's.
    const QJsonArray unmatched = out.value(QStringLiteral("unmatched")).toArray();
    ASSERT_EQ(unmatched.size(), 2);
    EXPECT_EQ(unmatched[0].toObject().value(QStringLiteral("amount")).toString(), QStringLiteral("-60.00"));
    EXPECT_EQ(unmatched[1].toObject(), (QJsonObject{{"amount", "-19.99"}, {"date", 20270115},
                                                    {"name", "Sporthal \"De Hal\""}, {"text", "Huur januari"}}));

    CKorvelDoc result;
    ASSERT_TRUE(result.OnOpenDocument(path("uit.kvl")));
    EXPECT_DOUBLE_EQ(result.findMember(jansen)->balance(), 0.0);
    EXPECT_EQ(result.findMember(devries)->payments().at(0).remarks(), "Bank 2027-01-15 R4");

    // The result read again books nothing twice.
    const CliRun again = cli({QStringLiteral("statement"), path("uit.kvl"), file, path("uit2.kvl"),
                              QStringLiteral("--iban-field"), QStringLiteral("IBAN")});
    ASSERT_EQ(again.status, 0) << again.err.constData();
    EXPECT_EQ(json(again).value(QStringLiteral("already")).toInt(), 2);
    EXPECT_TRUE(json(again).value(QStringLiteral("booked")).toArray().isEmpty());
}

TEST_F(CliStatement, ASettingsProfileGivesTheFieldAndTheClubsAccount) {
    QDir().mkpath(m_dir.filePath(QStringLiteral("profiel/Orvanta")));
    QFile profile(m_dir.filePath(QStringLiteral("profiel/Orvanta/Korvel.conf")));
    ASSERT_TRUE(profile.open(QIODevice::WriteOnly));
    profile.write("[Incasso]\nCreditorIban=NL20INGB0001234567\nIbanField=Rekening\n");
    profile.close();
    const QString file = samples::writeFile(m_dir, QStringLiteral("afschrift.xml"), statement());
    const CliRun run = cli({QStringLiteral("statement"), path("club.kvl"), file, path("uit.kvl")});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const QString warnings = QString::fromLocal8Bit(run.err);
    EXPECT_TRUE(warnings.contains(QStringLiteral("niet van de rekening van de vereniging (NL20INGB0001234567)")))
        << warnings.toStdString();
    EXPECT_TRUE(warnings.contains(QStringLiteral("\"Rekening\""))) << warnings.toStdString();
    // Without the IBAN field only the federation number finds a member.
    EXPECT_EQ(json(run).value(QStringLiteral("booked")).toArray().size(), 1);
}

TEST_F(CliStatement, AStatementThatCannotBeReadWritesNothing) {
    const QByteArray whole = statement();
    const QString cut = samples::writeFile(m_dir, QStringLiteral("afschrift.xml"), whole.left(whole.size() - 40));
    const CliRun run = cli({QStringLiteral("statement"), path("club.kvl"), cut, path("uit.kvl")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(QString::fromLocal8Bit(run.err).contains(QStringLiteral("afgebroken"))) << run.err.constData();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_FALSE(QFile::exists(path("uit.kvl")));

    EXPECT_EQ(cli({QStringLiteral("statement"), path("club.kvl"), cut}).status, 2);
    EXPECT_EQ(cli({QStringLiteral("statement"), path("club.kvl"), cut, path("uit.kvl"), QStringLiteral("--iban")}).status, 2);
    EXPECT_EQ(cli({QStringLiteral("statement"), path("geen.kvl"), cut, path("uit.kvl")}).status, 1);
}

} // namespace
