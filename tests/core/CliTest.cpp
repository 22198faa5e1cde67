// korvel-cli, run as the built program: what it writes, what it dumps and how it fails.
#include "core/document/CKorvelDoc.h"
#include "core/model/ContributionRules.h"
#include "tests/support/Bytes.h"
#include "tests/support/CliRun.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <limits>
#include <set>

namespace {

constexpr std::int32_t kToday = 20260315;

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QJsonObject dump(const QString& path) {
    const ProcessRun run = runCli({QStringLiteral("dump"), path});
    EXPECT_EQ(run.status, 0) << run.err.constData();
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(run.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return json.object();
}

QJsonObject valueByLabel(const QJsonObject& member, const char* label) {
    for (const QJsonValue& v : member[QStringLiteral("values")].toArray())
        if (v[QStringLiteral("label")].toString() == QLatin1String(label))
            return v.toObject();
    return {};
}

class Cli : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(Cli, NewWritesTheDefaultConfiguration) {
    ASSERT_EQ(runCli({QStringLiteral("new"), path("n.kvl"), QStringLiteral("--today"),
                      QStringLiteral("20260315")})
                  .status,
              0);
    const QJsonObject doc = dump(path("n.kvl"));
    EXPECT_EQ(doc[QStringLiteral("formatVersion")].toInt(), 11);
    EXPECT_EQ(doc[QStringLiteral("lastId")].toInt(), 17);
    std::set<int> ids;
    for (const QJsonValue& f : doc[QStringLiteral("fields")].toArray())
        ids.insert(f[QStringLiteral("id")].toInt());
    EXPECT_EQ(ids.size(), 16u);
    EXPECT_EQ(*ids.begin(), 2);
    EXPECT_EQ(*ids.rbegin(), 17);
    // The field list orders by label; the dates of a new file are today.
    const QJsonArray fields = doc[QStringLiteral("fields")].toArray();
    EXPECT_EQ(fields[0][QStringLiteral("label")].toString(), QStringLiteral("Aangemeld"));
    const QJsonArray tabs = doc[QStringLiteral("tabs")].toArray();
    ASSERT_EQ(tabs.size(), 2);
    EXPECT_EQ(tabs[0][QStringLiteral("name")].toString(), QStringLiteral("NTTB"));
    EXPECT_EQ(tabs[1][QStringLiteral("fieldIds")].toArray().size(), 11);
    EXPECT_EQ(
        doc[QStringLiteral("memberTypes")].toArray(),
        QJsonArray({QStringLiteral("Lid"), QStringLiteral("Donateur"), QStringLiteral("Erelid")}));
    EXPECT_TRUE(doc[QStringLiteral("members")].toArray().isEmpty());
    for (const QJsonValue& f : fields) {
        if (f[QStringLiteral("type")].toInt() == 2) {
            EXPECT_EQ(f[QStringLiteral("value")].toInt(), kToday);
        }
    }
}

TEST_F(Cli, GenerateIsDeterministicPerSeed) {
    auto generate = [&](const char* name, const char* seed) {
        return runCli({QStringLiteral("generate"), path(name), QStringLiteral("--members"),
                       QStringLiteral("300"), QStringLiteral("--seed"), QString::fromLatin1(seed),
                       QStringLiteral("--today"), QStringLiteral("20260315")})
            .status;
    };
    ASSERT_EQ(generate("a.kvl", "5"), 0);
    ASSERT_EQ(generate("b.kvl", "5"), 0);
    ASSERT_EQ(generate("c.kvl", "6"), 0);
    const QByteArray a = readBytes(path("a.kvl"));
    EXPECT_EQ(a, readBytes(path("b.kvl")));
    EXPECT_NE(a, readBytes(path("c.kvl")));
    // Names are held in the code page: the diaeresis of "ë" is one byte, not UTF-8.
    EXPECT_TRUE(a.contains("\xEB") || a.contains("\xEF"));
    EXPECT_FALSE(a.contains("\xC3\xAB"));

    const QJsonObject doc = dump(path("a.kvl"));
    const QJsonArray schemes = doc[QStringLiteral("schemes")].toArray();
    ASSERT_EQ(schemes.size(), 2);
    EXPECT_EQ(schemes[0][QStringLiteral("description")].toString(),
              QStringLiteral("Contributie 2025"));
    EXPECT_EQ(schemes[1][QStringLiteral("date")].toInt(), 20260101);
    const QJsonArray members = doc[QStringLiteral("members")].toArray();
    ASSERT_EQ(members.size(), 300);
    std::set<int> ids;
    bool accented = false;
    for (const QJsonValue& m : members) {
        ids.insert(m[QStringLiteral("id")].toInt());
        accented |= valueByLabel(m.toObject(), "Naam")[QStringLiteral("value")].toString().contains(
            QRegularExpression(QStringLiteral("[ëïéèöü]")));
    }
    EXPECT_EQ(ids.size(), 300u);
    EXPECT_TRUE(accented);
}

TEST_F(Cli, GeneratedMembersAreConsistent) {
    ASSERT_EQ(runCli({QStringLiteral("generate"), path("g.kvl"), QStringLiteral("--members"),
                      QStringLiteral("500"), QStringLiteral("--today"), QStringLiteral("20260315")})
                  .status,
              0);
    PinnedToday today(kToday);
    PinnedDateFormat format("Standard");
    CKorvelDoc doc;
    KFileReport report;
    ASSERT_TRUE(doc.OnOpenDocument(path("g.kvl"), &report)) << report.error.toStdString();
    ASSERT_EQ(doc.members().size(), 500u);
    const QDate now(2026, 3, 15);
    int paidInFull = 0, partly = 0, overpaid = 0;
    std::set<std::string> types;
    for (const KMember& member : doc.members()) {
        const std::int32_t b = member.dateByMeaning(FieldMeaning::BirthDate).value();
        const QDate birth(b / 10000, (b / 100) % 100, b % 100);
        ASSERT_TRUE(birth.isValid());
        int age = now.year() - birth.year();
        if (now.month() < birth.month() ||
            (now.month() == birth.month() && now.day() < birth.day()))
            --age;
        EXPECT_GE(age, 6);
        EXPECT_LE(age, 90);
        EXPECT_EQ(member.valueByMeaning(FieldMeaning::Senior)->number(), age >= 18 ? 1 : 0);
        types.insert(member.textByMeaning(FieldMeaning::MemberType));
        const std::string postcode = member.textByMeaning(FieldMeaning::PostalCode);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[1-9][0-9]{3} [A-Z]{2}$"))
                        .match(QString::fromLatin1(postcode.c_str()))
                        .hasMatch())
            << postcode;

        // The charges are what the schemes give this member now.
        KMember again(member);
        for (const KContribution& scheme : doc.schemes())
            ApplyContribution(again, scheme);
        double charged = 0.0, expected = 0.0;
        for (const KCharge& c : member.charges())
            charged += c.total();
        for (const KCharge& c : again.charges())
            expected += c.total();
        EXPECT_DOUBLE_EQ(charged, expected);
        if (member.payments().empty())
            continue;
        const double balance = member.balance();
        if (std::abs(balance) < 0.005)
            ++paidInFull;
        else if (balance > 0.0)
            ++partly;
        else
            ++overpaid;
    }
    EXPECT_EQ(types, (std::set<std::string>{"Donateur", "Erelid", "Lid"}));
    EXPECT_GT(paidInFull, 0);
    EXPECT_GT(partly, 0);
    EXPECT_GT(overpaid, 0);
}

TEST_F(Cli, DumpEscapesTextsAndWritesRealsInFull) {
    {
        PinnedToday today(kToday);
        CKorvelDoc doc;
        doc.OnNewDocument();
        KMember m = makeMember(doc, std::string("Quote\" back\\ tab\t ctl\x01 euro\x80 \xEB", 30));
        m.addPayment(KPayment(0.1 + 0.2, KDateValue(20260102), "a\nb"));
        m.addPayment(KPayment(std::numeric_limits<double>::quiet_NaN(), KDateValue(20260103)));
        addMember(doc, m);
        ASSERT_TRUE(doc.OnSaveDocument(path("e.kvl")));
    }
    const ProcessRun run = runCli({QStringLiteral("dump"), path("e.kvl")});
    ASSERT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains(R"("Quote\" back\\ tab\u0009 ctl\u0001 euro€ ë")"))
        << run.out.constData();
    EXPECT_TRUE(
        run.out.contains(R"("amount":0.30000000000000004,"date":20260102,"remarks":"a\u000ab")"));
    EXPECT_TRUE(run.out.contains(R"("amount":null,"date":20260103)"));
    EXPECT_FALSE(QJsonDocument::fromJson(run.out).isNull());
}

TEST_F(Cli, DumpShowsOnlyTheSnapshotsAKindHolds) {
    Bytes file;
    file.marker(11).i32(0).i32(0).i32(3);
    // kind, key, then the members the kind holds: id, no charges, no payments, no values
    file.u16(1).i32(10).i32(5).i32(0).i32(0).i32(0);
    file.u16(2).i32(11).i32(6).i32(0).i32(0).i32(0);
    file.u16(7).i32(12);
    file.i32(40).i32(0).i32(0).i32(0);
    writeBytes(path("s.kvl"), file);
    const QJsonArray snapshots = dump(path("s.kvl"))[QStringLiteral("snapshots")].toArray();
    ASSERT_EQ(snapshots.size(), 3);
    EXPECT_EQ(snapshots[0][QStringLiteral("first")][QStringLiteral("id")].toInt(), 5);
    EXPECT_TRUE(snapshots[0][QStringLiteral("second")].isNull());
    EXPECT_TRUE(snapshots[1][QStringLiteral("first")].isNull());
    EXPECT_EQ(snapshots[1][QStringLiteral("second")][QStringLiteral("id")].toInt(), 6);
    EXPECT_TRUE(snapshots[2][QStringLiteral("first")].isNull());
    EXPECT_TRUE(snapshots[2][QStringLiteral("second")].isNull());
}

TEST_F(Cli, ConvertWritesVersion11AndKeepsABackup) {
    // A version-8 file: reserved word, lastId, one member in the old layout.
    Bytes old;
    old.marker(8).i32(0).i32(50);
    old.byte(1).byte(1).byte(0).byte(0).byte(1).byte('B');
    old.hstr("Jansen, Piet").hstr("Kerkstraat 1").hstr("Zwolle").hstr("8011 AB");
    old.hstr("038-1234567").hstr("piet@example.nl").i32(19800101).hstr("1234567").i32(7);
    writeBytes(path("old.kvl"), old);
    writeBytes(path("out.kvl"), "previous");

    ASSERT_EQ(runCli({QStringLiteral("convert"), path("old.kvl"), path("out.kvl")}).status, 0);
    const QByteArray converted = readBytes(path("out.kvl"));
    EXPECT_TRUE(converted.startsWith(QByteArray("\x41\xCC\x10\x00\x56\x0B\x00\x00\x00", 9)));
    EXPECT_EQ(readBytes(path("out.kvm")), QByteArray("previous"));
    const QJsonObject doc = dump(path("out.kvl"));
    EXPECT_EQ(doc[QStringLiteral("formatVersion")].toInt(), 11);
    const QJsonArray members = doc[QStringLiteral("members")].toArray();
    ASSERT_EQ(members.size(), 1);
    const QJsonObject m = members[0].toObject();
    EXPECT_EQ(m[QStringLiteral("id")].toInt(), 7);
    EXPECT_EQ(valueByLabel(m, "Soort lid")[QStringLiteral("value")].toString(),
              QStringLiteral("Donateur"));
    EXPECT_EQ(valueByLabel(m, "Geboortedatum")[QStringLiteral("value")].toInt(), 19800101);
    EXPECT_EQ(valueByLabel(m, "Bondsnummer")[QStringLiteral("value")].toInt(), 1234567);
    // The old file itself reports its own version.
    EXPECT_EQ(dump(path("old.kvl"))[QStringLiteral("formatVersion")].toInt(), 8);
}

TEST_F(Cli, FailuresAndUsageErrors) {
    const ProcessRun missing = runCli({QStringLiteral("dump"), path("missing.kvl")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("kan niet worden geopend")) << missing.err.constData();
    EXPECT_TRUE(missing.out.isEmpty());

    writeBytes(path("cut.kvl"), Bytes().marker(11).i32(0).i32(2).data());
    const ProcessRun damaged =
        runCli({QStringLiteral("convert"), path("cut.kvl"), path("never.kvl")});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_TRUE(damaged.err.contains("beschadigd")) << damaged.err.constData();
    EXPECT_FALSE(QFile::exists(path("never.kvl")));

    const QString out = path("u.kvl");
    const QList<QStringList> usageErrors = {
        {},
        {QStringLiteral("frobnicate"), out},
        {QStringLiteral("new")},
        {QStringLiteral("convert"), out},
        {QStringLiteral("new"), out, QStringLiteral("--today"), QStringLiteral("20260230")},
        {QStringLiteral("new"), out, QStringLiteral("--today")},
        {QStringLiteral("generate"), out},
        {QStringLiteral("generate"), out, QStringLiteral("--members"), QStringLiteral("-3")},
        {QStringLiteral("dump"), out, QStringLiteral("--seed"), QStringLiteral("1")},
        {QStringLiteral("generate"), out, QStringLiteral("--members"), QStringLiteral("1e3")},
        {QStringLiteral("generate"), out, QStringLiteral("--members"), QStringLiteral("5"),
         QStringLiteral("--seed"), QStringLiteral("12x")},
        {QStringLiteral("new"), out, QStringLiteral("--verbose"), QStringLiteral("x")},
    };
    for (const QStringList& args : usageErrors) {
        const ProcessRun run = runCli(args);
        EXPECT_EQ(run.status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.err.contains("korvel-cli generate")) << run.err.constData();
    }
    EXPECT_FALSE(QFile::exists(out));
}
