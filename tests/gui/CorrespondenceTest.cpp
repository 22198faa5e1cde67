// The correspondence component: letters merged from a template, all of them in one PDF, and
// the window with the member list, from the program's plug-in folder.
#include "components/correspondence/CorrespondenceWindow.h"
#include "components/correspondence/LetterBook.h"
#include "components/correspondence/LetterMerge.h"
#include "components/correspondence/LetterSet.h"
#include "components/correspondence/MemberListModel.h"
#include "platform/ComponentInterfaces.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/ProcessRun.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

class CorrespondenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        guiApplication();
        // The kept template of this test program alone: tests run side by side.
        m_oldName = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(
            QStringLiteral("korvel-correspondentie-%1").arg(QCoreApplication::applicationPid()));
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(CorrespondenceWindow::keptTemplatePath());
        set.setPrefix(QStringLiteral("KVB-veld:"));
        set.setListFields({QStringLiteral("Naam"), QStringLiteral("Totaal")});
        add(18, {{"Naam", "Cor Claes"}, {"Woonplaats", "Zwolle"}, {"Contributie", "50.00"},
                 {"Totaal", "10.00"}, {"Achterstallig", "0.00"}});
        add(7, {{"Naam", "Anna Bakker"}, {"Woonplaats", "Assen"}});
        add(9, {{"Naam", "Els de Vries"}, {"Totaal", "-5.00"}, {"Achterstallig", "0.00"}});
        add(4, {{"Naam", "Bob"}, {"Adres", "Dorpsstraat 1"}, {"Postcode", "1234 AB"},
                {"Totaal", "120.00"}, {"Achterstallig", "70.00"}});
    }
    void TearDown() override {
        QFile::remove(CorrespondenceWindow::keptTemplatePath());
        QStandardPaths::setTestModeEnabled(false);
        QCoreApplication::setApplicationName(m_oldName);
    }

    void add(std::int32_t id, std::vector<std::pair<const char*, const char*>> values) {
        for (const auto& [name, value] : values)
            set.addValue(id, QString::fromUtf8(name), QString::fromUtf8(value));
    }

    LetterSet set;
    QTemporaryDir dir;
    QString m_oldName;
};

TEST_F(CorrespondenceTest, FieldsAreFilledInPerMember) {
    EXPECT_EQ(set.memberCount(), 4);
    EXPECT_EQ(set.member(1).id, 7);
    EXPECT_EQ(set.fieldNames(), (QStringList{"Naam", "Woonplaats", "Contributie", "Totaal",
                                             "Achterstallig", "Adres", "Postcode"}));
    QTextDocument pattern;
    pattern.setHtml(QStringLiteral("<p>Beste <b>{KVB-veld:Naam}</b>,</p>"
                                   "<p>{KVB-veld:Totaal}|{KVB-veld:Onbekend}|{KVB-veld:Naam}|{Naam}</p>"));
    EXPECT_EQ(LetterMerge::letter(pattern, set, 0)->toPlainText(),
              QStringLiteral("Beste Cor Claes,\n10.00|{KVB-veld:Onbekend}|Cor Claes|{Naam}"));
    // A value the member lacks stays empty; the field keeps its look.
    const auto anna = LetterMerge::letter(pattern, set, 1);
    EXPECT_EQ(anna->toPlainText(), QStringLiteral("Beste Anna Bakker,\n|{KVB-veld:Onbekend}|Anna Bakker|{Naam}"));
    EXPECT_TRUE(anna->toHtml().contains(QStringLiteral("font-weight:700;\">Anna Bakker")))
        << anna->toHtml().toStdString();
    EXPECT_EQ(pattern.toPlainText().count(QStringLiteral("{KVB-veld:")), 4) << "the template stays";
    EXPECT_DOUBLE_EQ(set.owed(3), 120.0);
    EXPECT_DOUBLE_EQ(set.owed(1), 0.0);
}

TEST_F(CorrespondenceTest, TheDefaultLetterLeavesOutLinesThatWouldSayNothing) {
    add(21, {{"Naam", "Ria Smit"}, {"Totaal", "93.00"}, {"Achterstallig", "0.00"},
             {"Vandaag", "15-03-2026"}, {"Vereniging", "TTV De Batje"},
             {"IBAN vereniging", "NL91ABNA0417164300"},
             {"Onderdelen", "Contributie: 85.00\nBond: 8.00"}});
    QTextDocument pattern;
    pattern.setHtml(LetterMerge::defaultTemplate(set.prefix()));

    const QString ria = LetterMerge::letter(pattern, set, 4)->toPlainText();
    EXPECT_TRUE(ria.startsWith(QStringLiteral("TTV De Batje\n"))) << ria.toStdString();
    EXPECT_TRUE(ria.contains(QStringLiteral("\n15-03-2026\n")));
    EXPECT_TRUE(ria.contains(QStringLiteral("bestaat uit:\nContributie: 85.00\nBond: 8.00\n")))
        << ria.toStdString();
    // The parts are lines of one paragraph, as the line before them, not paragraphs of their own.
    const auto riaDoc = LetterMerge::letter(pattern, set, 4);
    const QTextBlock parts = riaDoc->find(QStringLiteral("bestaat uit:")).block();
    EXPECT_TRUE(parts.text().contains(QStringLiteral("Bond: 8.00"))) << parts.text().toStdString();
    EXPECT_TRUE(ria.contains(
        QStringLiteral("Ons rekeningnummer is NL91ABNA0417164300 ten name van TTV De Batje.")));
    EXPECT_FALSE(ria.contains(QStringLiteral("achterstallig"))) << "nothing in arrears";

    // Without the club's data, a date or a charge, their lines are gone; arrears stay.
    const QString bob = LetterMerge::letter(pattern, set, 3)->toPlainText();
    EXPECT_TRUE(bob.contains(QString::fromUtf8("Daarvan is € 70.00 achterstallig")));
    EXPECT_FALSE(bob.contains(QStringLiteral("rekeningnummer")));
    EXPECT_FALSE(bob.contains(QStringLiteral("bestaat uit")));
    EXPECT_FALSE(bob.contains(QStringLiteral("KVB-veld"))) << bob.toStdString();
    EXPECT_TRUE(bob.startsWith(QStringLiteral("Bob\nDorpsstraat 1"))) << bob.toStdString();
}

TEST_F(CorrespondenceTest, EveryLetterBeginsOnAPageOfItsOwn) {
    QTextDocument pattern;
    pattern.setHtml(LetterMerge::defaultTemplate(set.prefix()));
    const LetterBook book(pattern, set, {0, 3});
    const QString path = dir.filePath(QStringLiteral("brieven.pdf"));
    ASSERT_EQ(book.writePdf(path).outcome(), KOutcome::Done);
    EXPECT_EQ(book.pageCount(), 2);
    EXPECT_TRUE(
        outputOf(QStringLiteral("pdfinfo"), {path}).contains(QStringLiteral("Pages:           2")));
    const QStringList pages = outputOf(QStringLiteral("pdftotext"), {path, QStringLiteral("-")})
                                  .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Beste Cor Claes,")));
    EXPECT_TRUE(pages[0].contains(QString::fromUtf8("€ 10.00")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Beste Bob,")));
    EXPECT_TRUE(pages[1].contains(QString::fromUtf8("€ 70.00"))) << pages[1].toStdString();
    EXPECT_FALSE(pages[1].contains(QStringLiteral("KVB-veld"))) << "every field is filled in";
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Zwolle")));

    // A long letter goes on over the next page; the next letter starts on a new one.
    QTextDocument longer;
    QString html = QStringLiteral("<p>{KVB-veld:Naam}</p>");
    for (int i = 0; i < 120; ++i)
        html += QStringLiteral("<p>Regel %1</p>").arg(i);
    longer.setHtml(html);
    const LetterBook two(longer, set, {0, 1});
    ASSERT_EQ(two.writePdf(path).outcome(), KOutcome::Done);
    EXPECT_GE(two.pageCount(), 4);
    EXPECT_EQ(two.writePdf(dir.filePath(QStringLiteral("geen/map/b.pdf"))).outcome(), KOutcome::Failed);
}

TEST_F(CorrespondenceTest, TheWindowListsTheMembersAndWhomTheLettersAreFor) {
    MemberListModel model(set);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Totaal"));
    EXPECT_EQ(model.index(1, 1).data().toString(), QString());
    MemberListFilter filter(set);
    filter.setSourceModel(&model);
    QAbstractItemModelTester filterTester(&filter, QAbstractItemModelTester::FailureReportingMode::Fatal);
    filter.setOnlyOwing(true);
    EXPECT_EQ(filter.rowCount(), 2);

    CorrespondenceWindow window(set, QStringLiteral("Korvel – Correspondentie"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.listRowCount(), 4);
    EXPECT_EQ(window.letterMembers(), (std::vector<int>{0, 1, 2, 3}));
    window.setOnlyOwing(true);
    EXPECT_EQ(window.letterMembers(), (std::vector<int>{0, 3}));
    window.setSelectedOnly(true);
    window.selectListRow(1);
    EXPECT_EQ(window.letterMembers(), (std::vector<int>{3}));
    EXPECT_TRUE(window.previewText().contains(QStringLiteral("Beste Bob,"))) << window.previewText().toStdString();

    // Sorted by what they owe, most first.
    auto* list = window.findChild<QTableView*>();
    list->sortByColumn(1, Qt::DescendingOrder);
    window.setSelectedOnly(false);
    EXPECT_EQ(window.letterMembers(), (std::vector<int>{3, 0}));

    // The template is saved, opened again, and kept for the next run.
    const QString saved = dir.filePath(QStringLiteral("sjabloon.html"));
    window.letterTemplate().setHtml(QStringLiteral("<p>Hallo {KVB-veld:Naam}</p>"));
    ASSERT_TRUE(window.saveTemplate(saved));
    window.letterTemplate().setHtml(QStringLiteral("<p>weg</p>"));
    ASSERT_TRUE(window.openTemplate(saved));
    EXPECT_EQ(window.letterTemplate().toPlainText(), QStringLiteral("Hallo {KVB-veld:Naam}"));
    window.accept();
    CorrespondenceWindow again(set, QString());
    EXPECT_EQ(again.letterTemplate().toPlainText(), QStringLiteral("Hallo {KVB-veld:Naam}"));
}

TEST_F(CorrespondenceTest, TheComponentShowsItsWindowUntilItCloses) {
    KComPtr<IKUnknown> basic;
    KComPtr<IKCorrespondence> letters;
    QStringList messages;
    ASSERT_EQ(Components::GetComInterface(CLSID_KCorrespondence, IID_IKCorrespondence, basic.put(),
                                          letters.putVoid(),
                                          [&](const QString& m) { messages << m; }),
              KStatusCode::ok)
        << messages.join(QLatin1Char('\n')).toStdString();
    letters->BeginCorrespondence("Korvel", "Correspondentie", "KVB-veld:");
    const char* const fields[] = {"Naam", "Totaal"};
    letters->SetListFields(fields, 2);
    letters->AddMemberValue(18, "Naam", "Ren\xE9 Claes");
    letters->AddMemberValue(18, "Totaal", "10.00");
    letters->AddMemberValue(7, "Naam", "Anna Bakker");
    EXPECT_EQ(letters->SetListFields(nullptr, 2), KStatusCode::invalidArgument);

    QString title;
    int rows = -1;
    QString firstName;
    ModalAnswer answer([&](QWidget* window) {
        title = window->windowTitle();
        auto* list = window->findChild<QTableView*>();
        rows = list->model()->rowCount();
        firstName = list->model()->index(0, 0).data().toString();
        ModalAnswer::click(window, QStringLiteral("Sl&uiten"));
    });
    EXPECT_EQ(letters->RunCorrespondence(), KStatusCode::ok);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(title, QStringLiteral("Korvel – Correspondentie"));
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(firstName, QString::fromUtf8("René Claes")) << "the texts come as Windows-1252";
}

} // namespace
