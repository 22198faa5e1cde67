// The print component from the program's plug-in folder: the overview as a PDF, read back with
// pdftotext, its pages and their paper; the preview window.
#include "components/print/OverviewPages.h"
#include "components/print/PrintPreview.h"
#include "platform/CodePage.h"
#include "platform/ComponentInterfaces.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/ProcessRun.h"
#include "tests/support/RecordingComponents.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows club(int members, int extraColumns = 0) {
    Rows rows{{"Identifier", "Nr.", "Naam", "Woonplaats", "Schuld"}};
    for (int c = 0; c < extraColumns; ++c)
        rows[0].push_back("Kolom met een lange titel " + std::to_string(c));
    for (int i = 1; i <= members; ++i) {
        std::vector<std::string> row{std::to_string(1000 + i), std::to_string(i),
                                     "Lid " + std::to_string(i) + " Bakker", "Zwolle",
                                     std::to_string(i) + ".50"};
        for (int c = 0; c < extraColumns; ++c)
            row.push_back("waarde " + std::to_string(c));
        rows.push_back(row);
    }
    return rows;
}

class PrintComponentTest : public ::testing::Test {
protected:
    void SetUp() override {
        guiApplication();
        QStringList messages;
        const KStatus status = Components::GetComInterface(
            CLSID_KPrint, IID_IKPrint, basic.put(), printer.putVoid(),
            [&messages](const QString& m) { messages << m; });
        ASSERT_EQ(status, KStatusCode::ok) << messages.join(QLatin1Char('\n')).toStdString();
    }

    // Prints the grid to a PDF; its text, page by page.
    QString printed(const TextGrid& grid, const QString& name) {
        pdf = dir.filePath(name);
        EXPECT_EQ(printer->BeginJob("Korvel", "Overzicht"), KStatusCode::ok);
        printer->SetTitleLine("|Ledenoverzicht|");
        printer->SetGrid(&grid);
        printer->SetDateLine("|15-03-2026|");
        printer->SetOutputFile(CodePage::fromQString(pdf).c_str());
        EXPECT_EQ(printer->PrintJob(0), KStatusCode::ok);
        return outputOf(QStringLiteral("pdftotext"),
                        {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    }
    int pages() {
        std::int32_t count = -1;
        printer->GetPageCount(&count);
        return count;
    }
    QString paper() {
        for (const QString& line :
             outputOf(QStringLiteral("pdfinfo"), {pdf}).split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String("Page size:")))
                return line.simplified();
        return {};
    }

    QTemporaryDir dir;
    QString pdf;
    KComPtr<IKUnknown> basic;
    KComPtr<IKPrint> printer;
};

TEST_F(PrintComponentTest, TheOverviewAsAMemberList) {
    const TextGrid grid(club(3));
    const QString text = printed(grid, QStringLiteral("leden.pdf"));
    for (const char* expected : {"Ledenoverzicht", "15-03-2026", "Nr.", "Naam", "Woonplaats",
                                 "Schuld", "Lid 1 Bakker", "Lid 3 Bakker", "3.50",
                                 "Korvel – Overzicht", "Pagina 1 van 1"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("1001"))) << "the hidden identifiers are not printed";
    EXPECT_FALSE(text.contains(QStringLiteral("Identifier")));
    EXPECT_EQ(pages(), 1);
    EXPECT_TRUE(paper().contains(QStringLiteral("595 x 842"))) << paper().toStdString();
}

TEST_F(PrintComponentTest, ManyRowsGoOnManyPagesEachWithTheTitles) {
    const TextGrid grid(club(200));
    const QString text = printed(grid, QStringLiteral("lang.pdf"));
    const int count = pages();
    ASSERT_GT(count, 2);
    const QStringList perPage = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(perPage.size(), count);
    for (int page = 0; page < count; ++page) {
        EXPECT_TRUE(perPage[page].contains(QStringLiteral("Ledenoverzicht"))) << page;
        EXPECT_TRUE(perPage[page].contains(QStringLiteral("Woonplaats"))) << page;
        EXPECT_TRUE(perPage[page].contains(QStringLiteral("Pagina %1 van %2").arg(page + 1).arg(count)))
            << page;
    }
    EXPECT_TRUE(perPage.last().contains(QStringLiteral("Lid 200 Bakker")));
    EXPECT_FALSE(perPage.first().contains(QStringLiteral("Lid 200 Bakker")));
}

TEST_F(PrintComponentTest, WideColumnsTurnThePageAndNothingIsCut) {
    const TextGrid grid(club(5, 6));
    const QString text = printed(grid, QStringLiteral("breed.pdf"));
    EXPECT_TRUE(paper().contains(QStringLiteral("842 x 595"))) << paper().toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Kolom met een lange titel 5")));

    // Wider than a landscape page: set smaller, every title still whole.
    const TextGrid widest(club(5, 14));
    OverviewPages many(widest, {});
    EXPECT_EQ(many.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_LT(many.tableScale(), 1.0);
    EXPECT_TRUE(printed(widest, QStringLiteral("breedst.pdf"))
                    .contains(QStringLiteral("Kolom met een lange titel 13")));

    // The user may turn it back.
    OverviewPages upright(grid, {});
    upright.layout(QPageSize(QPageSize::A4), OverviewPages::Portrait);
    EXPECT_EQ(upright.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_LT(upright.tableScale(), 1.0);
}

TEST_F(PrintComponentTest, LinesSplitIntoLeftCentreAndRight) {
    using Parts = std::array<QString, 3>;
    EXPECT_EQ(OverviewPages::segments(QStringLiteral("|Ledenoverzicht|")),
              (Parts{QString(), QStringLiteral("Ledenoverzicht"), QString()}));
    EXPECT_EQ(OverviewPages::segments(QStringLiteral("links|midden|rechts")),
              (Parts{QStringLiteral("links"), QStringLiteral("midden"), QStringLiteral("rechts")}));
    EXPECT_EQ(OverviewPages::segments(QStringLiteral("alleen links")),
              (Parts{QStringLiteral("alleen links"), QString(), QString()}));
    EXPECT_EQ(printer->SetOrientation(3), KStatusCode::invalidArgument);
    EXPECT_EQ(printer->PrintJob(0), KStatusCode::fail) << "no grid";
}

TEST_F(PrintComponentTest, ThePreviewShowsAPageAtATimeAndSavesThePdf) {
    const TextGrid grid(club(120));
    OverviewPages pages(grid, {QStringLiteral("Korvel"), QStringLiteral("Overzicht"),
                               QStringLiteral("|Ledenoverzicht|"), QStringLiteral("|15-03-2026|")});
    PrintPreview preview(pages);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Afdrukvoorbeeld"));
    QLabel* image = nullptr;
    QLabel* pageText = nullptr;
    for (QLabel* label : preview.findChildren<QLabel*>())
        (label->pixmap().isNull() ? pageText : image) = label;
    ASSERT_NE(image, nullptr);
    ASSERT_NE(pageText, nullptr);
    EXPECT_EQ(pageText->text(), QStringLiteral("Pagina 1 van %1").arg(pages.pageCount()));
    EXPECT_GT(image->pixmap().height(), image->pixmap().width()) << "upright";
    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(preview.currentPage(), 1);
    preview.showPage(99);
    EXPECT_EQ(preview.currentPage(), pages.pageCount() - 1);

    QString told;
    ModalAnswer answer([&told](QWidget* box) {
        told = static_cast<QMessageBox*>(box)->text();
        box->close();
    });
    const QString path = dir.filePath(QStringLiteral("voorbeeld.pdf"));
    EXPECT_TRUE(preview.savePdf(path));
    EXPECT_EQ(told, QStringLiteral("Het overzicht is opgeslagen in %1.").arg(path));
    EXPECT_TRUE(outputOf(QStringLiteral("pdfinfo"), {path})
                    .contains(QStringLiteral("Pages:           %1").arg(pages.pageCount())));
}

} // namespace
