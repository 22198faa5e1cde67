// korvel-cli import and xlsx, run as the built program: a Dutch member list into a member file
// with the JSON report, a mapping of its own, the exit statuses, and the workbook it writes.
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/import/KImportTable.h"
#include "core/import/KTableFile.h"
#include "tests/support/CliRun.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/Pinned.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

using Ran = ProcessRun;

Ran cli(const QStringList& args) {
    return runCli(args, {.today = 20260315, .dateFormat = "%d-%m-%Y"});
}

class CliImport : public ::testing::Test {
protected:
    void SetUp() override {
        CKorvelDoc doc;
        doc.OnNewDocument();
        KFieldList fields = doc.fields();
        KTabList tabs = doc.tabs();
        const std::int32_t fee = doc.handOutId();
        fields.insert(KField(fee, FieldType::Amount, FieldMeaning::Other, "Contributie"));
        tabs.at(0).addFieldId(fee);
        KEdit::replaceFields(doc, fields, tabs);
        KMember piet = makeMember(doc, "Piet Jansen");
        piet.valueByMeaning(FieldMeaning::FederationNumber)->setNumber(1001);
        addMember(doc, piet);
        ASSERT_TRUE(doc.OnSaveDocument(path("club.kvl")));
        QFile csv(path("leden.csv"));
        ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write("Voornaam;Tussenvoegsel;Achternaam;Geb. datum;Contributie;Senior;Bondsnr;Lid sinds\n"
                  "Jan;van;Dijk;3-4-2010;12,50;ja;;2020\n"
                  "Anna;;Y\xC4\xB1ld\xC4\xB1z;25-12-1999;1.234,50;nee;;2021\n"
                  "Piet;;Jansen;;;x;1001;2019\n"
                  ";;;;;;;2018\n"
                  "Bram;;Appel;31-2-2000;;;;2017\n");
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // The member file as korvel-cli dumps it.
    QJsonObject dump(const char* file) const {
        const Ran r = cli({QStringLiteral("dump"), path(file)});
        EXPECT_EQ(r.status, 0) << r.err.constData();
        return QJsonDocument::fromJson(r.out).object();
    }
    // The grid's rows of a member file for the given columns.
    QJsonArray grid(const char* file, const char* columns) const {
        const Ran r = cli({QStringLiteral("members"), path(file), QStringLiteral("--columns"),
                           QString::fromLatin1(columns)});
        EXPECT_EQ(r.status, 0) << r.err.constData();
        return QJsonDocument::fromJson(r.out).object().value(QStringLiteral("grid")).toArray();
    }

    PinnedToday today{20260315};
    QTemporaryDir m_dir;
};

QJsonArray row(std::initializer_list<const char*> cells) {
    QJsonArray out;
    for (const char* c : cells)
        out.append(QString::fromUtf8(c));
    return out;
}

TEST_F(CliImport, ADutchListByItsTitlesWithTheReportAsJson) {
    const Ran r = cli({QStringLiteral("import"), path("club.kvl"), path("leden.csv"), path("uit.kvl")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const QJsonObject report = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(report.value(QStringLiteral("added")).toInt(), 2);
    EXPECT_EQ(report.value(QStringLiteral("updated")).toInt(), 0);
    const QJsonArray skipped = {
        QJsonObject{{QStringLiteral("row"), 4}, {QStringLiteral("reason"), QStringLiteral("duplicate")}},
        QJsonObject{{QStringLiteral("row"), 5}, {QStringLiteral("reason"), QStringLiteral("empty")}},
        QJsonObject{{QStringLiteral("row"), 6}, {QStringLiteral("reason"), QStringLiteral("unreadable")}}};
    EXPECT_EQ(report.value(QStringLiteral("skipped")).toArray(), skipped);
    const QJsonArray replaced = {QJsonObject{{QStringLiteral("row"), 3},
                                             {QStringLiteral("column"), QStringLiteral("Achternaam")},
                                             {QStringLiteral("text"), QStringLiteral("Yıldız")}}};
    EXPECT_EQ(report.value(QStringLiteral("replaced")).toArray(), replaced);
    EXPECT_EQ(report.value(QStringLiteral("unmapped")).toArray(), row({"Lid sinds"}));

    const QJsonArray members = grid("uit.kvl", "Naam|Geboortedatum|Contributie|Senior|");
    ASSERT_EQ(members.size(), 4);
    EXPECT_EQ(members.at(1).toArray().at(1), QStringLiteral("Jan van Dijk"));
    EXPECT_EQ(members.at(1).toArray().at(2), QStringLiteral("03-04-2010"));
    EXPECT_EQ(members.at(1).toArray().at(4), QStringLiteral("Ja"));
    EXPECT_EQ(members.at(3).toArray().at(1), QStringLiteral("Anna Yildiz"));
    EXPECT_EQ(members.at(3).toArray().at(4), QStringLiteral("Nee"));
    // The amounts as the member file holds them: the comma read as the decimal separator.
    QStringList fees;
    for (const QJsonValue m : dump("uit.kvl").value(QStringLiteral("members")).toArray())
        for (const QJsonValue v : m.toObject().value(QStringLiteral("values")).toArray())
            if (v.toObject().value(QStringLiteral("label")) == QStringLiteral("Contributie"))
                fees.append(QString::number(v.toObject().value(QStringLiteral("value")).toDouble()));
    fees.sort();
    EXPECT_EQ(fees, (QStringList{QStringLiteral("0"), QStringLiteral("12.5"), QStringLiteral("1234.5")}));
}

TEST_F(CliImport, AMappingOfItsOwnWithoutTitlesAndTheDuplicatesFilledIn) {
    QFile csv(path("ruw.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Jansen;Piet;12/25/1999;1001\nDijk;Jan;4/3/2010;\n");
    csv.close();
    const Ran r = cli({QStringLiteral("import"), path("club.kvl"), path("ruw.csv"), path("uit.kvl"),
                       QStringLiteral("--no-header"), QStringLiteral("--map"),
                       QStringLiteral("2+1=Naam|3=geboorte datum|4=Bondsnummer"),
                       QStringLiteral("--on-duplicate"), QStringLiteral("update")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const QJsonObject report = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(report.value(QStringLiteral("added")).toInt(), 1);
    EXPECT_EQ(report.value(QStringLiteral("updated")).toInt(), 1);
    // Month first, as the 25 shows; the columns joined in the order the mapping gives.
    QJsonArray shown;
    for (const QJsonValue r : grid("uit.kvl", "Naam|Geboortedatum|"))
        shown.append(QJsonArray{r.toArray().at(1), r.toArray().at(2)});
    EXPECT_EQ(shown, (QJsonArray{row({"Naam", "Geboortedatum"}), row({"Jan Dijk", "03-04-2010"}),
                                 row({"Piet Jansen", "25-12-1999"})}));
}

TEST_F(CliImport, WhatCannotBeReadOrUsedEndsWithItsStatus) {
    QFile bad(path("kapot.xlsx"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("geen werkmap");
    bad.close();
    const Ran unreadable =
        cli({QStringLiteral("import"), path("club.kvl"), path("kapot.xlsx"), path("uit.kvl")});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_TRUE(unreadable.err.contains("geen zip-archief")) << unreadable.err.constData();
    EXPECT_FALSE(QFile::exists(path("uit.kvl")));

    const QStringList base = {QStringLiteral("import"), path("club.kvl"), path("leden.csv"),
                              path("uit.kvl")};
    for (const QStringList& extra :
         {QStringList{QStringLiteral("--date-order"), QStringLiteral("dym")},
          QStringList{QStringLiteral("--on-duplicate"), QStringLiteral("merge")},
          QStringList{QStringLiteral("--sheet"), QStringLiteral("0")},
          QStringList{QStringLiteral("--map"), QStringLiteral("Voornaam=Bestaat niet")},
          QStringList{QStringLiteral("--map"), QStringLiteral("Geen kolom=Naam")},
          QStringList{QStringLiteral("--map"), QStringLiteral("zonder is-teken")}}) {
        const Ran r = cli(base + extra);
        EXPECT_EQ(r.status, 2) << extra.join(u' ').toStdString();
    }
    EXPECT_EQ(cli({QStringLiteral("import"), path("club.kvl"), path("leden.csv")}).status, 2);
    EXPECT_FALSE(QFile::exists(path("uit.kvl")));
}

TEST_F(CliImport, TheWorkbookHoldsTheGridsColumnsOrEveryField) {
    const Ran columns = cli({QStringLiteral("xlsx"), path("club.kvl"), path("leden.xlsx"),
                             QStringLiteral("--columns"), QStringLiteral("Nr.|Naam|Schuld|Bondsnummer|")});
    ASSERT_EQ(columns.status, 0) << columns.err.constData();
    KTableFile file;
    ASSERT_TRUE(file.open(path("leden.xlsx")).isDone());
    KImportTable table;
    ASSERT_TRUE(file.read(0, table).isDone());
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cell(0, 2).text, QStringLiteral("Schuld"));
    EXPECT_EQ(table.cell(1, 0).kind, KImportCell::Kind::Number);
    EXPECT_EQ(table.cell(1, 1).text, QStringLiteral("Piet Jansen"));
    EXPECT_EQ(table.cell(1, 2).kind, KImportCell::Kind::Number);
    EXPECT_EQ(table.cell(1, 3).number, 1001);

    ASSERT_EQ(cli({QStringLiteral("xlsx"), path("club.kvl"), path("alles.xlsx"),
                   QStringLiteral("--all-fields")})
                  .status,
              0);
    KTableFile all;
    ASSERT_TRUE(all.open(path("alles.xlsx")).isDone());
    KImportTable everything;
    ASSERT_TRUE(all.read(0, everything).isDone());
    EXPECT_EQ(everything.columnCount(), 17);
    EXPECT_EQ(everything.cell(0, 0).text, QStringLiteral("Naam")); // the first tab's first field

    EXPECT_EQ(cli({QStringLiteral("xlsx"), path("club.kvl"), path("x.xlsx"), QStringLiteral("--all-fields"),
                   QStringLiteral("--columns"), QStringLiteral("Naam|")})
                  .status,
              2);
    const Ran nowhere = cli({QStringLiteral("xlsx"), path("club.kvl"), path("geen/map/x.xlsx")});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_TRUE(nowhere.err.contains("kan niet worden geschreven")) << nowhere.err.constData();
}

} // namespace
