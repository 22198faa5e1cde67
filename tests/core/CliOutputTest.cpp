// korvel-cli's output commands, run as the built program: the grid, the export file, the calls
// on the correspondence component and the printed overview.
#include "core/document/CKorvelDoc.h"
#include "tests/support/Charges.h"
#include "tests/support/CliRun.h"
#include "tests/support/DocBuilder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

ProcessRun cli(const QStringList& args) {
    return runCli(args, {.today = 20260315, .dateFormat = "%d-%m-%Y"});
}

QJsonObject json(const ProcessRun& r) {
    EXPECT_EQ(r.status, 0) << r.err.constData();
    return QJsonDocument::fromJson(r.out).object();
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CliOutput : public ::testing::Test {
protected:
    void SetUp() override {
        CKorvelDoc doc;
        doc.OnNewDocument();
        KMember cor = makeMember(doc, "Cor Claes");
        cor.setTextByMeaning(FieldMeaning::City, "Zwolle; Noord");
        cor.addCharge(chargeOf(7, 20250101, {{"Contributie", 50.0}, {"Competitie", 20.0}}));
        cor.addPayment(KPayment(60.0, KDateValue(20250201)));
        corId = addMember(doc, cor).id();
        KMember anna = makeMember(doc, "Anna B\xE9kker");
        anna.setTextByMeaning(FieldMeaning::City, "Assen");
        annaId = addMember(doc, anna).id();
        const KResult saved = doc.OnSaveDocument(path("club.kvl"));
        ASSERT_TRUE(saved) << saved.reason().toStdString();
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    std::int32_t corId = 0;
    std::int32_t annaId = 0;
};

TEST_F(CliOutput, MembersPrintsTheGridAfterARebuild) {
    const QJsonObject out = json(cli({QStringLiteral("members"), path("club.kvl"),
                                      QStringLiteral("--columns"),
                                      QStringLiteral("Nr.|Naam|Woonplaats|Schuld||Onbekend|")}));
    const QJsonArray expected = {
        QJsonArray{"Identifier", "Nr.", "Naam", "Woonplaats", "Schuld", "", "Onbekend"},
        QJsonArray{QString::number(annaId), "1", QString::fromUtf8("Anna Békker"), "Assen", "0.00",
                   "???", "???"},
        QJsonArray{QString::number(corId), "2", "Cor Claes", "Zwolle; Noord", "10.00", "???",
                   "???"},
    };
    EXPECT_EQ(out[QStringLiteral("grid")].toArray(), expected);

    ASSERT_EQ(cli({QStringLiteral("new"), path("leeg.kvl")}).status, 0);
    QJsonArray titlesOnly; // built by hand: a braced array of one array is a copy of it
    titlesOnly.append(QJsonArray{"Identifier", "Naam"});
    EXPECT_EQ(json(cli({QStringLiteral("members"), path("leeg.kvl"), QStringLiteral("--columns"),
                        QStringLiteral("Naam")}))[QStringLiteral("grid")]
                  .toArray(),
              titlesOnly);
}

TEST_F(CliOutput, ExportWritesTheFileWithOrWithoutTheParts) {
    const QStringList args = {QStringLiteral("export"), path("club.kvl"), path("uit.txt"),
                              QStringLiteral("--columns"), QStringLiteral("Nr.|Naam|Woonplaats|Schuld")};
    ASSERT_EQ(cli(args).status, 0);
    EXPECT_EQ(readBytes(path("uit.txt")), QByteArray("Nr.;Naam;Woonplaats;Schuld\n"
                                                     "1;Anna B\xE9kker;Assen;0.00\n"
                                                     "2;Cor Claes;\"Zwolle; Noord\";10.00\n"));
    ASSERT_EQ(cli(args + QStringList{QStringLiteral("--split-parts")}).status, 0);
    EXPECT_EQ(readBytes(path("uit.txt")),
              QByteArray("Nr.;Naam;Woonplaats;Schuld;Contributie;Competitie\n"
                         "1;Anna B\xE9kker;Assen;0.00;0.00;0.00\n"
                         "2;Cor Claes;\"Zwolle; Noord\";10.00;0.00;10.00\n"));
    EXPECT_EQ(cli({QStringLiteral("export"), path("club.kvl"), path("geen/map/uit.txt"),
                   QStringLiteral("--columns"), QStringLiteral("Naam")})
                  .status,
              1);
}

TEST_F(CliOutput, MessagesListsTheCallsOnTheCorrespondenceComponent) {
    const QJsonArray calls =
        json(cli({QStringLiteral("messages"), path("club.kvl"), QStringLiteral("--member"),
                  QString::number(corId)}))[QStringLiteral("calls")]
            .toArray();
    ASSERT_GE(calls.size(), 6);
    EXPECT_EQ(calls[0], (QJsonArray{"BeginCorrespondence", "Korvel", "Correspondentie", "KVB-veld:"}));
    EXPECT_EQ(calls[1], (QJsonArray{"SetListFields", QJsonArray{"Naam", "Totaal"}}));
    EXPECT_EQ(calls[2], (QJsonArray{"AddMemberValue", corId, "Naam", "Cor Claes"}));
    qsizetype total = -1;
    for (qsizetype i = 0; i < calls.size(); ++i)
        if (calls[i].toArray().at(2) == QStringLiteral("Totaal"))
            total = i;
    ASSERT_GT(total, 2);
    EXPECT_EQ(calls[total - 1], (QJsonArray{"AddMemberValue", corId, "Competitie", "20.00"}));
    EXPECT_EQ(calls[total], (QJsonArray{"AddMemberValue", corId, "Totaal", "10.00"}));
    EXPECT_EQ(calls[total + 1], (QJsonArray{"AddMemberValue", corId, "Achterstallig", "0.00"}));
    // Then what every letter gets: today, and the latest charge's parts one a line.
    EXPECT_EQ(calls[total + 2].toArray().at(2), QStringLiteral("Vandaag"));
    EXPECT_EQ(calls[calls.size() - 2],
              (QJsonArray{"AddMemberValue", corId, "Onderdelen", "Contributie: 50.00\nCompetitie: 20.00"}));
    EXPECT_EQ(calls.last(), (QJsonArray{"RunCorrespondence"}));

    const QJsonArray all = json(cli({QStringLiteral("messages"), path("club.kvl")}))[QStringLiteral("calls")].toArray();
    EXPECT_EQ(all[2], (QJsonArray{"AddMemberValue", annaId, "Naam", QString::fromUtf8("Anna Békker")}));
    EXPECT_GT(all.size(), calls.size());

    const QJsonArray nobody = json(cli({QStringLiteral("messages"), path("club.kvl"),
                                        QStringLiteral("--member"), QStringLiteral("99999")}))[QStringLiteral("calls")]
                                  .toArray();
    EXPECT_EQ(nobody.size(), 3);
}

TEST_F(CliOutput, UsageErrorsAndUnreadableFiles) {
    const QString columns = QStringLiteral("--columns");
    EXPECT_EQ(cli({QStringLiteral("members"), path("club.kvl")}).status, 2);
    EXPECT_EQ(cli({QStringLiteral("members"), path("club.kvl"), columns, QStringLiteral("Naam"),
                   QStringLiteral("--split-parts")}).status, 2);
    EXPECT_EQ(cli({QStringLiteral("export"), path("club.kvl"), columns, QStringLiteral("Naam")}).status, 2);
    EXPECT_EQ(cli({QStringLiteral("messages"), path("club.kvl"), QStringLiteral("--member"),
                   QStringLiteral("zeven")}).status, 2);
    EXPECT_EQ(cli({QStringLiteral("print"), path("club.kvl"), path("a.pdf")}).status, 2);
    EXPECT_EQ(cli({QStringLiteral("members"), path("weg.kvl"), columns, QStringLiteral("Naam")}).status, 1);
    EXPECT_EQ(cli({QStringLiteral("messages"), path("weg.kvl")}).status, 1);
}

TEST_F(CliOutput, AFileThatCannotBeWrittenEndsWithItsReasonAndStatusOne) {
    // The reason made where the writing failed reaches the error stream.
    QDir(m_dir.path()).mkdir(QStringLiteral("map.txt"));
    const ProcessRun exported = cli({QStringLiteral("export"), path("club.kvl"), path("map.txt"),
                              QStringLiteral("--columns"), QStringLiteral("Naam")});
    EXPECT_EQ(exported.status, 1);
    EXPECT_TRUE(exported.err.contains("niet openen om te schrijven")) << exported.err.constData();

    const ProcessRun converted = cli({QStringLiteral("convert"), path("club.kvl"), path("geen/map/uit.kvl")});
    EXPECT_EQ(converted.status, 1);
    EXPECT_TRUE(converted.err.contains("kan niet worden bewaard")) << converted.err.constData();
}

#ifdef KORVEL_HAVE_PRINT_COMPONENT
TEST_F(CliOutput, PrintWritesTheOverviewAsPdf) {
    const ProcessRun printed =
        cli({QStringLiteral("print"), path("club.kvl"), path("leden.pdf"),
             QStringLiteral("--columns"), QStringLiteral("Nr.|Naam|Woonplaats|Schuld")});
    ASSERT_EQ(printed.status, 0) << printed.err.constData();
    ASSERT_TRUE(readBytes(path("leden.pdf")).startsWith("%PDF"));
    const ProcessRun text =
        runProcess(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), path("leden.pdf"), QStringLiteral("-")});
    ASSERT_EQ(text.status, 0) << "pdftotext (poppler-utils) is needed";
    const QString page = QString::fromUtf8(text.out);
    for (const char* expected : {"Ledenoverzicht", "15-03-2026", "Nr.", "Naam", "Woonplaats",
                                 "Schuld", "Anna Békker", "Cor Claes", "Zwolle; Noord", "10.00",
                                 "Pagina 1 van 1", "Korvel"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(expected))) << expected << "\n" << text.out.constData();
}
#endif

} // namespace
