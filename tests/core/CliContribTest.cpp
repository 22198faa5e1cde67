// korvel-cli execute and overview, run as the built program.
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "tests/support/CliRun.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

ProcessRun cli(const QStringList& args) {
    return runCli(args, {.today = 20260315});
}

class CliContrib : public DocFixture {
protected:
    CliContrib() : DocFixture({.today = 20260315}) { doc.OnNewDocument(); }

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // A club of three, one of them charged 105.00 already by "Contributie 2026" (85.00 for a
    // senior "Lid", 20.00 for everybody), and an older scheme.
    QString club() {
        KContribution s(doc.handOutId());
        s.setDescription("Contributie 2026");
        s.setDate(KDateValue(20260101));
        KContrPart senior("Contributie", doc.handOutId(), 85.0);
        KField condition = *doc.fields().findFirst(
            [](const KField& f) { return f.meaning() == FieldMeaning::Senior; });
        condition.setNumber(1);
        senior.AddCondition(condition);
        s.AddPart(senior);
        s.AddPart(KContrPart("Bond", doc.handOutId(), 20.0));
        KEdit::addScheme(doc, s);
        KContribution old(doc.handOutId());
        old.setDescription("Contributie 2025");
        old.setDate(KDateValue(20250101));
        old.AddPart(KContrPart("Contributie", doc.handOutId(), 50.0));
        KEdit::addScheme(doc, old);
        const std::int32_t jansen = addMember(doc, "Jansen").id();
        addMember(doc, "Visser", "Lid", false);
        addMember(doc, "Bakker", "Lid", false);
        KEdit::applyScheme(doc, s.id(), {jansen});
        KEdit::applyScheme(doc, old.id(), {jansen});
        return save("club.kvl");
    }

    QString save(const char* name) {
        const QString file = path(name);
        EXPECT_TRUE(doc.OnSaveDocument(file));
        return file;
    }

    static QJsonObject json(const ProcessRun& run) {
        QJsonParseError error;
        const QJsonDocument parsed = QJsonDocument::fromJson(run.out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.constData();
        return parsed.object();
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(CliContrib, ExecuteChargesTheSelectedMembersAndSaves) {
    const QString in = club();
    const ProcessRun without = cli({"execute", in, path("a.kvl"), "--scheme", "Contributie 2026",
                                    "--select", "without-amount"});
    ASSERT_EQ(without.status, 0) << without.err.constData();
    EXPECT_EQ(without.out, "Er is een totaal van 40.00 aan contributies uitgeschreven.\n");
    CKorvelDoc a;
    ASSERT_TRUE(a.OnOpenDocument(path("a.kvl")));
    for (const KMember& m : a.members())
        EXPECT_EQ(m.latestCharge()->total(), m.name() == "Jansen" ? 105.0 : 20.0) << m.name();

    // Everybody: Jansen's charge is made again, the rest as before.
    const ProcessRun all = cli({"execute", path("a.kvl"), path("b.kvl"), "--scheme",
                                "Contributie 2026", "--select", "all"});
    ASSERT_EQ(all.status, 0) << all.err.constData();
    EXPECT_EQ(all.out, "Er is een totaal van 145.00 aan contributies uitgeschreven.\n");

    // The older scheme's new charges are nobody's latest: they count for nothing.
    const ProcessRun old = cli({"execute", path("a.kvl"), path("c.kvl"), "--scheme",
                                "Contributie 2025", "--select", "all"});
    EXPECT_EQ(old.out, "Er is een totaal van 0.00 aan contributies uitgeschreven.\n");
}

TEST_F(CliContrib, ExecuteFailsAsTheOtherCommandsDo) {
    const QString in = club();
    const auto status = [this](QStringList args) { return cli(args).status; };
    // Usage errors, an unknown description among them, write nothing.
    EXPECT_EQ(status({"execute", in, path("x.kvl"), "--scheme", "Onbekend", "--select", "all"}), 2);
    EXPECT_EQ(status({"execute", in, path("x.kvl"), "--scheme", "Contributie 2026"}), 2);
    EXPECT_EQ(status({"execute", in, path("x.kvl"), "--scheme", "Contributie 2026", "--select",
                      "some"}),
              2);
    EXPECT_EQ(status({"execute", in, "--scheme", "Contributie 2026", "--select", "all"}), 2);
    EXPECT_EQ(status({"execute", in, path("x.kvl"), "--select", "all"}), 2);
    EXPECT_EQ(status({"execute", in, path("x.kvl"), "--scheme", "Contributie 2026", "--select",
                      "all", "--members", "3"}),
              2);
    EXPECT_FALSE(QFile::exists(path("x.kvl")));
    // A file that cannot be read.
    EXPECT_EQ(status({"execute", path("missing.kvl"), path("x.kvl"), "--scheme", "Contributie 2026",
                      "--select", "all"}),
              1);
}

TEST_F(CliContrib, OverviewPrintsTheGridAndTheAlerts) {
    const QString empty = save("empty.kvl");
    const ProcessRun none = cli({"overview", empty});
    ASSERT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "{\"grid\": [], \"alerts\": [\"Er zijn geen leden\"]}\n");

    const QString in = club();
    const ProcessRun run = cli({"overview", in});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const QJsonObject overview = json(run);
    EXPECT_EQ(overview["alerts"].toArray(), QJsonArray());
    // Jansen owes 50.00 of 2025 and 105.00 of 2026.
    const QJsonArray expected = {
        QJsonArray{"", "Contributie 2025", "Contributie 2026", "Totaal"},
        QJsonArray{"Contributie", "50.00", "85.00", "135.00"},
        QJsonArray{"Bond", "0.00", "20.00", "20.00"},
        QJsonArray{"Totaal", "50.00", "105.00", "155.00"},
    };
    EXPECT_EQ(overview["grid"].toArray(), expected);

    EXPECT_EQ(cli({"overview"}).status, 2);
    EXPECT_EQ(cli({"overview", in, in}).status, 2);
    EXPECT_EQ(cli({"overview", path("missing.kvl")}).status, 1);
}
