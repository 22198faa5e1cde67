// korvel-cli sepa, run as the built program.
#include "tests/support/Charges.h"
#include "tests/support/CliRun.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/IncassoClub.h"
#include "tests/support/Pinned.h"
#include "tests/support/SchemaCheck.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

using CliRun = ProcessRun;

class CliSepa : public ::testing::Test {
protected:
    CliSepa() {
        newDocument(doc);
        addIncassoFields(doc);
    }

    static CliRun cli(const QStringList& args) { return runCli(args, {.today = 20260316}); }

    // The creditor options, the files and the collection date.
    QStringList sepa(const QString& in, const QString& out, const char* date = "20260323") {
        return {"sepa",
                in,
                out,
                "--collection-date",
                date,
                "--creditor-name",
                "TTV De Smash",
                "--creditor-iban",
                "NL91ABNA0417164300",
                "--creditor-id",
                "NL79ZZZ999999990000"};
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // Five members owing: two ready (one a first collection), one without IBAN, one with a
    // wrong IBAN and without mandate (the first reason counts), one whose mandate is later.
    QString club() {
        KContribution scheme(doc.handOutId());
        scheme.setDescription("Contributie 2026");
        scheme.setDate(KDateValue(20260101));
        KEdit::addScheme(doc, scheme);
        schemeId = scheme.id();
        const auto add = [this](const char* name, Debtor d, double amount) {
            KMember m = makeMember(doc, name);
            setDebtor(m, d);
            m.addCharge(chargeOf(schemeId, 20260101, {{"Contributie", amount}}));
            addMember(doc, m);
            return m.id();
        };
        ready1 = add("Aap", readyDebtor(1, true), 40.0);
        ready2 = add("Bes", readyDebtor(2), 12.5);
        Debtor noIban = readyDebtor(3);
        noIban.iban.clear();
        noIban1 = add("Cor", noIban, 10.0);
        Debtor bad = readyDebtor(4);
        bad.iban = "NL00RABO0000000000";
        bad.mandate.clear();
        badIban = add("Dirk", bad, 10.0);
        Debtor late = readyDebtor(5);
        late.mandateDate = 20260401;
        lateMandate = add("Els", late, 10.0);
        addMember(doc, "Fien"); // owes nothing
        const QString file = path("club.kvl");
        EXPECT_TRUE(doc.OnSaveDocument(file));
        return file;
    }

    PinnedToday today{20260316};
    TempProfile profile;
    CKorvelDoc doc;
    std::int32_t schemeId = 0, ready1 = 0, ready2 = 0, noIban1 = 0, badIban = 0, lateMandate = 0;
    QTemporaryDir m_dir;
};

TEST_F(CliSepa, WritesTheFileAndNamesTheMembersSkipped) {
    const QString in = club();
    for (const char* format : {"pain.008.001.08", "pain.008.001.02"}) {
        const QString out = path(format) + QStringLiteral(".xml");
        QStringList args = sepa(in, out);
        args << "--format" << format;
        const CliRun run = cli(args);
        ASSERT_EQ(run.status, 0) << run.err.constData();
        const QJsonObject json = QJsonDocument::fromJson(run.out).object();
        EXPECT_EQ(json["file"].toString(), out);
        EXPECT_TRUE(json["msgid"].toString().startsWith(QStringLiteral("KVL-20260316")));
        EXPECT_EQ(json["transactions"].toInt(), 2);
        EXPECT_EQ(json["total"].toString(), QStringLiteral("52.50"));
        const QJsonArray expected = {
            QJsonObject{{"member", noIban1}, {"reason", "no-iban"}},
            QJsonObject{{"member", badIban}, {"reason", "bad-iban"}},
            QJsonObject{{"member", lateMandate}, {"reason", "mandate-after-collection"}},
        };
        EXPECT_EQ(json["skipped"].toArray(), expected);
        const SchemaVerdict verdict = validateAgainstSchema(
            out, QByteArray(format) == "pain.008.001.02" ? IncassoSettings::Format::Pain00800102
                                                         : IncassoSettings::Format::Pain00800108);
        EXPECT_TRUE(verdict.valid) << verdict.messages.toStdString();
    }
}

TEST_F(CliSepa, BookWritesTheAdministrationWithThePayments) {
    const QString in = club();
    QStringList args = sepa(in, path("uit.xml"));
    args << "--book" << path("geboekt.kvl") << "--scheme" << "Contributie 2026" << "--text"
         << "%omschrijving% %naam%";
    const CliRun run = cli(args);
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const QString msgId = QJsonDocument::fromJson(run.out).object()["msgid"].toString();

    CKorvelDoc booked;
    ASSERT_TRUE(booked.OnOpenDocument(path("geboekt.kvl")));
    for (std::int32_t id : {ready1, ready2}) {
        const KMember* m = booked.findMember(id);
        ASSERT_EQ(m->payments().size(), 1u);
        EXPECT_EQ(m->payments().begin()->remarks(), ("Incasso " + msgId).toStdString());
        EXPECT_EQ(m->payments().begin()->date().value(), 20260323);
        EXPECT_DOUBLE_EQ(m->balance(), 0.0);
    }
    EXPECT_TRUE(booked.findMember(noIban1)->payments().empty());
    for (const KField& v : booked.findMember(ready1)->values()) {
        if (v.label() == "Eerste incasso") {
            EXPECT_EQ(v.number(), 0);
        }
    }

    QFile file(path("uit.xml"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("<Ustrd>Contributie 2026 Aap</Ustrd>"));
}

TEST_F(CliSepa, UsageErrorsAndNothingToCollect) {
    const QString in = club();
    const QString out = path("x.xml");
    const auto status = [&](QStringList args) {
        const CliRun run = cli(args);
        EXPECT_FALSE(run.err.isEmpty());
        return run.status;
    };
    EXPECT_EQ(status(sepa(in, out).mid(0, 9)), 2);              // no --creditor-id
    EXPECT_EQ(status(sepa(in, out, "20260316")), 2);            // today
    EXPECT_EQ(status(sepa(in, out, "20260321")), 2);            // a Saturday
    EXPECT_EQ(status(sepa(in, out, "2026-03-23")), 2);
    QStringList badIbanArgs = sepa(in, out);
    badIbanArgs[8] = "NL92ABNA0417164300";
    EXPECT_EQ(status(badIbanArgs), 2);
    QStringList badId = sepa(in, out);
    badId[10] = "NL78ZZZ999999990000";
    EXPECT_EQ(status(badId), 2);
    EXPECT_EQ(status(sepa(in, out) << "--format" << "pain.008.001.09"), 2);
    EXPECT_EQ(status(sepa(in, out) << "--scheme" << "Onbekend"), 2);
    EXPECT_EQ(status(sepa(path("missing.kvl"), out)), 1);
    EXPECT_FALSE(QFile::exists(out));

    // Nobody can be collected: no file.
    const CliRun none = cli(sepa(in, out) << "--iban-field" << "Rekening");
    EXPECT_EQ(none.status, 1);
    EXPECT_FALSE(none.err.isEmpty());
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
