// The exchange commands on a main view: a workbook read through the mapping dialog with the
// questions it raises, rows pasted from a spreadsheet, the Excel export in the grid's order,
// and the mapping dialog itself.
#include "core/KProgressReport.h"
#include "core/document/CKorvelDoc.h"
#include "core/import/KCsvReader.h"
#include "core/import/KImportReport.h"
#include "core/import/KImportSetup.h"
#include "core/import/KImportTable.h"
#include "core/import/KTableFile.h"
#include "exchange/KDlgImport.h"
#include "exchange/KDlgImportResult.h"
#include "exchange/KExchangeCommands.h"
#include "exchange/KExchangeDialogs.h"
#include "grid/CvsFlexGrid.h"
#include "platform/Profile.h"
#include "res/Commands.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/Pinned.h"
#include "tests/support/TestCommandHost.h"
#include "tests/support/ZipParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

class ScriptedExchangeDialogs : public KExchangeDialogs {
public:
    std::optional<QString> file;
    std::optional<QString> excel;
    QString clipboard;
    // Changes the proposal before the dialog's OK; no function: the dialog is cancelled.
    std::function<void(KImportMapping&)> map = [](KImportMapping&) {};
    std::vector<KImportSetup> setups;
    std::vector<KImportReport> results;

    std::optional<QString> importFile() override { return file; }
    std::optional<KImportMapping> mapColumns(const KImportSetup& setup) override {
        setups.push_back(setup);
        if (!map)
            return std::nullopt;
        KImportMapping mapping = setup.firstRowTitles ? setup.withTitles : setup.withoutTitles;
        map(mapping);
        return mapping;
    }
    void showResult(const KImportReport& report) override { results.push_back(report); }
    std::optional<QString> excelFile() override { return excel; }
    QString clipboardText() override { return clipboard; }
    bool clipboardHasText() override { return !clipboard.trimmed().isEmpty(); }
    KProgressReport& progress() override { return m_progress; }

private:
    KNoProgress m_progress;
};

class ExchangeCommandsTest : public ::testing::Test {
protected:
    ExchangeCommandsTest() {
        guiApplication();
        Profile::writeString(QStringLiteral("Settings"), QStringLiteral("Columns"),
                             QStringLiteral("Nr.|Naam|Woonplaats|Soort lid|"));
        doc.OnNewDocument();
        KMember piet = makeMember(doc, "Piet Jansen");
        piet.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(19800102));
        pietId = addMember(doc, piet).id();
        host = std::make_unique<TestCommandHost>(doc);
        host->mainView().OnUpdate();
        auto d = std::make_unique<ScriptedExchangeDialogs>();
        dialogs = d.get();
        commands = std::make_unique<KExchangeCommands>(*host, std::move(d));
    }

    std::vector<std::string> gridNames() {
        std::vector<std::string> names;
        const CvsFlexGrid& grid = host->mainView().grid();
        for (int row = grid.fixedRowCount(); row < grid.rowCount(); ++row)
            names.push_back(grid.cellText(row, 2));
        return names;
    }

    TempProfile profile;
    PinnedToday today{20260315};
    PinnedDateFormat format{"%d-%m-%Y"};
    QTemporaryDir dir;
    CKorvelDoc doc;
    std::int32_t pietId = 0;
    std::unique_ptr<TestCommandHost> host;
    ScriptedExchangeDialogs* dialogs = nullptr;
    std::unique_ptr<KExchangeCommands> commands;
};

TEST_F(ExchangeCommandsTest, AWorkbookComesInThroughTheQuestionsAsOneStep) {
    XlsxParts book;
    book.sheets.emplace_back(QStringLiteral("Notities"), R"(<row r="1"><c t="inlineStr"><is><t>x</t></is></c></row>)");
    book.cellFormats = R"(<xf numFmtId="0"/><xf numFmtId="14"/>)";
    book.sheets.emplace_back(
        QStringLiteral("Leden"),
        R"(<row r="1"><c t="inlineStr"><is><t>Voornaam</t></is></c><c t="inlineStr"><is><t>Achternaam</t></is></c>)"
        R"(<c t="inlineStr"><is><t>Geboren</t></is></c><c t="inlineStr"><is><t>Soort</t></is></c></row>)"
        R"(<row r="2"><c t="inlineStr"><is><t>Piet</t></is></c><c t="inlineStr"><is><t>Jansen</t></is></c>)"
        R"(<c s="1"><v>29222</v></c><c t="inlineStr"><is><t>Jeugd</t></is></c></row>)"
        R"(<row r="3"><c t="inlineStr"><is><t>Anna</t></is></c><c t="inlineStr"><is><t>Bakker</t></is></c>)"
        R"(<c s="1"><v>40271</v></c><c t="inlineStr"><is><t>Jeugd</t></is></c></row>)");
    dialogs->file = dir.filePath(QStringLiteral("leden.xlsx"));
    ASSERT_TRUE(book.write(*dialogs->file));
    // "Geboren" names no field: the user picks the birth date for it.
    const std::int32_t birth = doc.fields().findFirst([](const KField& f) {
        return f.meaning() == FieldMeaning::BirthDate;
    })->id();
    dialogs->map = [birth](KImportMapping& m) { m.columns.at(2) = KImportMapping::Target::field(birth); };
    host->scripted()
        .answerSelect({1})   // the sheet "Leden"
        .answerYesNo(false)  // "Jeugd" is no new type ...
        .answerSelect({0})   // ... but "Lid"
        .answerSelect({0});  // Piet is there: skip him
    const int steps = doc.undoStack().count();
    ASSERT_TRUE(host->trigger(Cmd::FileImport));
    EXPECT_TRUE(host->scripted().done());
    ASSERT_EQ(dialogs->setups.size(), 1u);
    EXPECT_EQ(dialogs->setups[0].source, QStringLiteral("leden.xlsx"));
    EXPECT_TRUE(dialogs->setups[0].firstRowTitles);
    ASSERT_EQ(dialogs->results.size(), 1u);
    EXPECT_EQ(dialogs->results[0].added, 1u);
    ASSERT_EQ(dialogs->results[0].skipped.size(), 1u);
    EXPECT_EQ(dialogs->results[0].skipped[0].row, 2);
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    EXPECT_EQ(gridNames(), (std::vector<std::string>{"Anna Bakker", "Piet Jansen"}));
    EXPECT_EQ(host->mainView().selectedMembers().size(), 1u);
    const KMember* anna = doc.findMember(host->mainView().selectedMembers().front());
    EXPECT_EQ(anna->name(), "Anna Bakker");
    EXPECT_EQ(anna->textByMeaning(FieldMeaning::MemberType), "Lid");
    EXPECT_EQ(anna->dateByMeaning(FieldMeaning::BirthDate).value(), 20100403);
    doc.undoStack().undo();
    EXPECT_EQ(gridNames(), std::vector<std::string>{"Piet Jansen"});
}

TEST_F(ExchangeCommandsTest, WhatCannotBeReadOrIsCancelledChangesNothing) {
    dialogs->file = dir.filePath(QStringLiteral("kapot.ods"));
    QFile bad(*dialogs->file);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("geen rekenblad");
    bad.close();
    ASSERT_TRUE(host->trigger(Cmd::FileImport));
    ASSERT_EQ(host->scripted().alerts().size(), 1);
    EXPECT_TRUE(host->scripted().alerts()[0].contains(QStringLiteral("geen zip-archief")));

    dialogs->clipboard = QStringLiteral("Naam\tPlaats\nJan\tAssen\n");
    dialogs->map = nullptr; // the mapping dialog cancelled
    ASSERT_TRUE(host->trigger(Cmd::EditPaste));
    EXPECT_EQ(doc.members().size(), 1u);
    EXPECT_EQ(doc.undoStack().count(), 1);
    EXPECT_TRUE(dialogs->results.empty());
}

TEST_F(ExchangeCommandsTest, RowsPastedFromASpreadsheet) {
    EXPECT_FALSE(host->enabled(Cmd::EditPaste)) << "an empty clipboard";
    dialogs->clipboard = QStringLiteral("Naam\tWoonplaats\tSoort lid\nZo\u00eb Zwart\tAssen\tLid\n"
                                        "Bram Bos\tZwolle\tLid\n");
    ASSERT_TRUE(host->enabled(Cmd::EditPaste));
    ASSERT_TRUE(host->trigger(Cmd::EditPaste));
    ASSERT_EQ(dialogs->setups.size(), 1u);
    EXPECT_EQ(dialogs->setups[0].source, QStringLiteral("het klembord"));
    EXPECT_EQ(gridNames(), (std::vector<std::string>{"Bram Bos", "Piet Jansen", "Zo\xEB Zwart"}));
    EXPECT_EQ(dialogs->results.at(0).added, 2u);

    dialogs->clipboard = QStringLiteral("Naam\tPlaats\n\"Jan\tAssen\n");
    ASSERT_TRUE(host->trigger(Cmd::EditPaste));
    EXPECT_TRUE(host->scripted().alerts().back().contains(QStringLiteral("aanhalingsteken")));
    EXPECT_EQ(doc.members().size(), 3u);
}

TEST_F(ExchangeCommandsTest, TheExcelExportFollowsTheGridsOrder) {
    addMember(doc, "Anna Bakker");
    addMember(doc, "Zeger Zwart");
    CvsFlexGrid& grid = host->mainView().grid();
    grid.setCurrentCol(2);
    grid.setSortOrder(8); // the names as texts, Z to A
    const std::vector<std::string> shown = gridNames();
    ASSERT_EQ(shown.front(), "Zeger Zwart");

    dialogs->excel = dir.filePath(QStringLiteral("leden")); // the extension is added
    host->scripted().answerSelect({0});
    ASSERT_TRUE(host->trigger(Cmd::MemberExportExcel));
    const QString written = dir.filePath(QStringLiteral("leden.xlsx"));
    ASSERT_EQ(host->scripted().alerts().size(), 1);
    EXPECT_TRUE(host->scripted().alerts()[0].contains(QStringLiteral("leden.xlsx")));
    KTableFile file;
    ASSERT_TRUE(file.open(written).isDone());
    KImportTable table;
    ASSERT_TRUE(file.read(0, table).isDone());
    EXPECT_EQ(table.cell(0, 3).text, QStringLiteral("Soort lid"));
    std::vector<std::string> names;
    for (int row = 1; row < table.rowCount(); ++row)
        names.push_back(table.cell(row, 1).text.toStdString());
    EXPECT_EQ(names, shown);

    host->scripted().answerSelect({}); // cancelled at the choice of columns
    ASSERT_TRUE(host->trigger(Cmd::MemberExportExcel));
    EXPECT_EQ(host->scripted().alerts().size(), 1);
}

TEST_F(ExchangeCommandsTest, TheMappingDialogShowsTheProposalAndGivesTheChoice) {
    KImportTable table;
    ASSERT_TRUE(KCsvReader::read("Voornaam;Achternaam;Geb. datum;Opmerking\n"
                                 "Jan;Dijk;4/25/2011;eerste\nAnna;Bakker;3/4/2010;\n",
                                 table)
                    .isDone());
    KDlgImport dialog;
    dialog.setSetup(KImportSetup::make(doc, table, QStringLiteral("leden.csv")));
    EXPECT_TRUE(dialog.titlesBox()->isChecked());
    EXPECT_EQ(dialog.table()->horizontalHeaderItem(2)->text(), QStringLiteral("Geb. datum"));
    EXPECT_EQ(dialog.table()->rowCount(), 3); // the fields, then two members
    EXPECT_EQ(dialog.table()->item(1, 0)->text(), QStringLiteral("Jan"));
    EXPECT_EQ(dialog.fieldBox(0)->currentText(), QStringLiteral("Naam"));
    EXPECT_EQ(dialog.fieldBox(1)->currentText(), QStringLiteral("Naam"));
    EXPECT_EQ(dialog.fieldBox(2)->currentText(), QStringLiteral("Geboortedatum"));
    EXPECT_EQ(dialog.fieldBox(3)->currentText(), QStringLiteral("(niet importeren)"));
    EXPECT_EQ(dialog.dateOrderBox()->currentIndex(), 2) << "25 in second place: month first";
    EXPECT_EQ(dialog.tabBox()->currentText(), QStringLiteral("Persoonlijk"));

    dialog.fieldBox(3)->setCurrentIndex(1);
    dialog.tabBox()->setCurrentText(QStringLiteral("NTTB"));
    KImportMapping mapping = dialog.mapping();
    EXPECT_EQ(mapping.columns[3], KImportMapping::Target::newTextField());
    EXPECT_EQ(mapping.newFieldTab, "NTTB");
    EXPECT_EQ(mapping.dateOrder, DateOrder::MonthDayYear);

    // Without titles the first row is a member, and nothing is proposed.
    dialog.titlesBox()->setChecked(false);
    EXPECT_EQ(dialog.table()->horizontalHeaderItem(0)->text(), QStringLiteral("Kolom 1"));
    EXPECT_EQ(dialog.table()->rowCount(), 4);
    EXPECT_EQ(dialog.fieldBox(0)->currentText(), QStringLiteral("(niet importeren)"));
    // OK is refused while no column goes anywhere; the message says why.
    QString told;
    ModalAnswer answer([&told](QWidget* box) {
        told = qobject_cast<QMessageBox*>(box) ? qobject_cast<QMessageBox*>(box)->text() : QString();
        box->close();
    });
    dialog.accept();
    EXPECT_TRUE(answer.answered());
    EXPECT_TRUE(told.contains(QStringLiteral("geen enkele kolom"))) << told.toStdString();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(ExchangeCommandsTest, TheResultListsEverySkippedRow) {
    KImportReport report;
    report.added = 3;
    report.skipped.push_back({7, KImportReport::Reason::Unreadable,
                              QStringLiteral("\"31-2-2000\" in kolom Geb. datum is geen datum.")});
    report.replaced.push_back({8, QStringLiteral("Achternaam"), QStringLiteral("Łukasz"),
                               QStringLiteral("Lukasz")});
    const KDlgImportResult dialog(report);
    EXPECT_TRUE(dialog.summary().startsWith(QStringLiteral("3 leden toegevoegd, 0 leden bijgewerkt, 1 rij overgeslagen.")))
        << dialog.summary().toStdString();
    EXPECT_EQ(dialog.details(),
              QStringLiteral("Rij 7 overgeslagen: \"31-2-2000\" in kolom Geb. datum is geen datum.\n"
                             "Rij 8, kolom Achternaam: \"Łukasz\" is bewaard als \"Lukasz\"."));
}

} // namespace
