// Reading the tables to import: text files in their separators, quotes and encodings, Excel
// workbooks and OpenDocument spreadsheets written here, and the files that cannot be read.
#include "core/import/KCsvReader.h"
#include "core/import/KImportTable.h"
#include "core/import/KTableFile.h"
#include "core/import/KXlsxReader.h"
#include "tests/support/Pinned.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ZipParts.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

using Rows = std::vector<std::vector<QString>>;

Rows textsOf(const KImportTable& table) {
    Rows rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        std::vector<QString> cells;
        for (int col = 0; col < table.columnCount(); ++col)
            cells.push_back(table.cell(row, col).shownText());
        while (!cells.empty() && cells.back().isEmpty())
            cells.pop_back();
        rows.push_back(cells);
    }
    return rows;
}

std::vector<int> sourceRows(const KImportTable& table) {
    std::vector<int> rows;
    for (int row = 0; row < table.rowCount(); ++row)
        rows.push_back(table.sourceRow(row));
    return rows;
}

struct CsvCase {
    const char* what;
    QByteArray bytes;
    Rows rows;
    std::vector<int> lines;
};

class ImportReaders : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    QString writeFile(const char* name, const QByteArray& bytes) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }
    // Opens and reads the sheet; the reason when it fails.
    KResult readFile(const QString& file, KImportTable& table, int sheet = 0,
                     QStringList* sheets = nullptr) {
        KTableFile source;
        KResult opened = source.open(file);
        if (!opened.isDone())
            return opened;
        if (sheets)
            *sheets = source.sheetNames();
        return source.read(sheet, table);
    }

    PinnedDateFormat format{"%d-%m-%Y"};
    QTemporaryDir m_dir;
};

TEST_F(ImportReaders, TextTablesInTheirSeparatorsQuotesAndEncodings) {
    const CsvCase cases[] = {
        {"semicolons, CR LF", "Naam;Woonplaats\r\nJan;Assen\r\n",
         {{"Naam", "Woonplaats"}, {"Jan", "Assen"}}, {1, 2}},
        {"decimal commas do not make commas the separator",
         "Naam;Bedrag;Datum\nJan;12,50;3-4-2010\nPiet;1.234,50;4-5-2011\n",
         {{"Naam", "Bedrag", "Datum"}, {"Jan", "12,50", "3-4-2010"}, {"Piet", "1.234,50", "4-5-2011"}},
         {1, 2, 3}},
        {"commas with a quoted comma", "Naam,Bedrag\nJan,\"12,50\"\n",
         {{"Naam", "Bedrag"}, {"Jan", "12,50"}}, {1, 2}},
        {"tabs", "a\tb\tc\n1\t\t3\n", {{"a", "b", "c"}, {"1", "", "3"}}, {1, 2}},
        {"bars, CR alone", "a|b\r1|2\r", {{"a", "b"}, {"1", "2"}}, {1, 2}},
        {"doubled quotes and a line break inside quotes",
         "Naam;Adres\n\"Jan \"\"de Vis\"\"\";\"Dorpsstraat 1\r\nAssen\"\nPiet;Kerkpad\n",
         {{"Naam", "Adres"}, {"Jan \"de Vis\"", "Dorpsstraat 1\r\nAssen"}, {"Piet", "Kerkpad"}},
         {1, 2, 4}},
        {"a quote inside a value stands for itself", "Maat;Naam\n12\" inch;Jan\n",
         {{"Maat", "Naam"}, {"12\" inch", "Jan"}}, {1, 2}},
        {"blank lines are no rows, the numbers go on", "Naam;Plaats\n\n;\nJan;Assen\n",
         {{"Naam", "Plaats"}, {"Jan", "Assen"}}, {1, 4}},
        {"UTF-8 with its mark", "\xEF\xBB\xBFNaam;Plaats\nZo\xC3\xAB;\xC3\x86r\xC3\xB8",
         {{"Naam", "Plaats"}, {QStringLiteral("Zoë"), QStringLiteral("Ærø")}}, {1, 2}},
        {"UTF-8 without it, with letters outside the code page",
         "Naam;Plaats\nY\xC4\xB1ld\xC4\xB1z;\xC5\x81\xC3\xB3\x64\xC5\xBA",
         {{"Naam", "Plaats"}, {QStringLiteral("Yıldız"), QStringLiteral("Łódź")}}, {1, 2}},
        {"Windows-1252 when it is no UTF-8", "Naam;Bedrag\nZo\xEB;\x80 12,50\n",
         {{"Naam", "Bedrag"}, {QStringLiteral("Zoë"), QStringLiteral("€ 12,50")}}, {1, 2}},
        {"UTF-16 with its mark, as a spreadsheet's Unicode text",
         QByteArray("\xFF\xFE" "N\0a\0a\0m\0\t\0P\0\n\0Z\0o\0\xEB\0\t\0" "1\0", 26),
         {{"Naam", "P"}, {QStringLiteral("Zoë"), "1"}}, {1, 2}},
        {"one column", "Naam\nJan\n", {{"Naam"}, {"Jan"}}, {1, 2}},
    };
    for (const CsvCase& c : cases) {
        KImportTable table;
        const KResult result = KCsvReader::read(c.bytes, table);
        ASSERT_TRUE(result.isDone()) << c.what << ": " << result.reason().toStdString();
        EXPECT_EQ(textsOf(table), c.rows) << c.what;
        EXPECT_EQ(sourceRows(table), c.lines) << c.what;
    }
}

TEST_F(ImportReaders, TextThatCannotBeReadSaysWhyInDutch) {
    QByteArray ragged = "Naam;Plaats\n";
    for (int i = 0; i < 25; ++i)
        ragged += "Lid " + QByteArray::number(i) + ";Assen;\n"; // an empty value at the end is fine
    QByteArray shifted = ragged + "Jan;Assen;Drenthe\n";

    const std::pair<QByteArray, const char*> cases[] = {
        {QByteArray(), "leeg"},
        {QByteArray("Naam;\0\x01\x02\x03", 8), "binaire gegevens"},
        {"Naam;Adres\nJan;\"Dorpsstraat 1\nPiet;Kerkpad\n", "regel 2 wordt nergens gesloten"},
        {shifted, "Rij 27 heeft 3 kolommen, meer dan de 2"},
        {"\xEF\xBB\xBFNaam;Zo\xEB\n", "UTF-8"},
        {"\n \n;;\n", "geen gegevens"},
    };
    for (const auto& [bytes, why] : cases) {
        KImportTable table;
        const KResult result = KCsvReader::read(bytes, table);
        ASSERT_TRUE(result.isFailed()) << why;
        EXPECT_TRUE(result.reason().contains(QString::fromUtf8(why))) << result.reason().toStdString();
    }
    KImportTable fine;
    EXPECT_TRUE(KCsvReader::read(ragged, fine).isDone());
    EXPECT_EQ(fine.columnCount(), 2);
}

TEST_F(ImportReaders, PastedRowsAreTabSeparated) {
    KImportTable table;
    ASSERT_TRUE(KCsvReader::readPasted(QStringLiteral("Naam\tBedrag\nJan\t12,50; contant\n"), table)
                    .isDone());
    EXPECT_EQ(textsOf(table), (Rows{{"Naam", "Bedrag"}, {"Jan", "12,50; contant"}}));
    KImportTable none;
    EXPECT_TRUE(KCsvReader::readPasted(QStringLiteral("  \n"), none).isFailed());
}

TEST_F(ImportReaders, AnExcelWorkbookWithItsKindsOfCells) {
    XlsxParts book;
    book.sharedStrings = R"(<si><t>Naam</t></si><si><t>Geboren</t></si>)"
                         R"(<si><r><rPr><b/></rPr><t>Jan </t></r><r><t>de Vis</t></r>)"
                         R"(<rPh><t>ヤン</t></rPh></si><si><t xml:space="preserve"> Zo&#235; </t></si>)";
    book.numberFormats = R"(<numFmt numFmtId="164" formatCode="dd/mm/yyyy;@"/>)"
                         R"(<numFmt numFmtId="165" formatCode="[$€-413] #,##0.00"/>)";
    // 0 general, 1 built-in date, 2 custom date, 3 euro amount
    book.cellFormats = R"(<xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="165"/>)";
    book.sheets.emplace_back(
        QStringLiteral("Leden"),
        R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c>)"
        R"(<c r="C1" t="inlineStr"><is><t>Bedrag</t></is></c><c r="D1" t="str"><v>Lid</v></c></row>)"
        R"(<row r="2"><c r="A2" t="s"><v>2</v></c><c r="B2" s="1"><v>40271</v></c>)"
        R"(<c r="C2" s="3"><v>1234.5</v></c><c r="D2" t="b"><v>1</v></c></row>)"
        R"(<row r="5"><c r="A5" t="s"><v>3</v></c><c r="B5" s="2"><v>36526</v></c>)"
        R"(<c r="D5" t="b"><v>0</v></c><c r="F5"><f>1+1</f><v>2</v></c></row>)"
        R"(<row r="6"><c t="s"><v>0</v></c><c t="d"><v>2010-04-03T00:00:00</v></c></row>)");
    book.sheets.emplace_back(QStringLiteral("Tweede"), R"(<row r="1"><c t="inlineStr"><is><t>B</t></is></c></row>)");
    ASSERT_TRUE(book.write(path("leden.xlsx")));

    KImportTable table;
    QStringList sheets;
    const KResult result = readFile(path("leden.xlsx"), table, 0, &sheets);
    ASSERT_TRUE(result.isDone()) << result.reason().toStdString();
    EXPECT_EQ(sheets, (QStringList{QStringLiteral("Leden"), QStringLiteral("Tweede")}));
    EXPECT_EQ(sourceRows(table), (std::vector<int>{1, 2, 5, 6}));
    EXPECT_EQ(table.columnCount(), 6);
    EXPECT_EQ(table.cell(1, 0).text, QStringLiteral("Jan de Vis")); // no phonetic run
    EXPECT_EQ(table.cell(2, 0).text, QStringLiteral(" Zoë "));
    EXPECT_EQ(table.cell(0, 2).text, QStringLiteral("Bedrag"));
    EXPECT_EQ(table.cell(1, 1).kind, KImportCell::Kind::Date);
    EXPECT_EQ(table.cell(1, 1).date(), QDate(2010, 4, 3));
    EXPECT_EQ(table.cell(2, 1).date(), QDate(2000, 1, 1));
    EXPECT_EQ(table.cell(3, 1).date(), QDate(2010, 4, 3));
    EXPECT_EQ(table.cell(1, 2).kind, KImportCell::Kind::Number); // a euro format is no date
    EXPECT_EQ(table.cell(1, 2).number, 1234.5);
    EXPECT_EQ(table.cell(1, 3).kind, KImportCell::Kind::Boolean);
    EXPECT_EQ(table.cell(1, 3).number, 1);
    EXPECT_EQ(table.cell(2, 3).number, 0);
    EXPECT_EQ(table.cell(2, 5).number, 2); // a formula's result
    EXPECT_EQ(table.cell(2, 4).kind, KImportCell::Kind::Empty);

    KImportTable second;
    ASSERT_TRUE(readFile(path("leden.xlsx"), second, 1).isDone());
    EXPECT_EQ(textsOf(second), (Rows{{"B"}}));
}

TEST_F(ImportReaders, SerialDaysOfBothSystemsAndTheFormatsThatShowDates) {
    EXPECT_EQ(KXlsxReader::serialDate(1), QDate(1900, 1, 1));
    EXPECT_EQ(KXlsxReader::serialDate(59), QDate(1900, 2, 28));
    EXPECT_FALSE(KXlsxReader::serialDate(60).isValid()); // the 29th that never was
    EXPECT_EQ(KXlsxReader::serialDate(61), QDate(1900, 3, 1));
    EXPECT_EQ(KXlsxReader::serialDate(40271.75), QDate(2010, 4, 3));
    EXPECT_EQ(KXlsxReader::serialDate(38809, true), QDate(2010, 4, 3));
    EXPECT_FALSE(KXlsxReader::serialDate(-1).isValid());

    EXPECT_TRUE(KXlsxReader::isDateFormat(14, {}));
    EXPECT_TRUE(KXlsxReader::isDateFormat(164, QStringLiteral("d-m-yy")));
    EXPECT_TRUE(KXlsxReader::isDateFormat(165, QStringLiteral("[$-413]dddd d mmmm yyyy")));
    EXPECT_FALSE(KXlsxReader::isDateFormat(0, QStringLiteral("General")));
    EXPECT_FALSE(KXlsxReader::isDateFormat(166, QStringLiteral("[$€-413] #,##0.00")));
    EXPECT_FALSE(KXlsxReader::isDateFormat(167, QStringLiteral("0.00 \"dagen\"")));
    EXPECT_FALSE(KXlsxReader::isDateFormat(168, QStringLiteral("#,##0\\ \\m")));
}

TEST_F(ImportReaders, AnOpenDocumentSpreadsheetWithRepeatsAndNotes) {
    const QByteArray tables =
        R"(<table:table table:name="Notities"><table:table-row><table:table-cell office:value-type="string"><text:p>x</text:p></table:table-cell></table:table-row></table:table>)"
        R"(<table:table table:name="Leden"><table:table-column table:number-columns-repeated="3"/>)"
        R"(<table:table-header-rows><table:table-row>)"
        R"(<table:table-cell office:value-type="string"><text:p>Naam</text:p></table:table-cell>)"
        R"(<table:table-cell office:value-type="string"><text:p>Bedrag</text:p></table:table-cell>)"
        R"(<table:table-cell office:value-type="string"><text:p>Geboren</text:p></table:table-cell>)"
        R"(<table:table-cell office:value-type="string"><text:p>Senior</text:p></table:table-cell>)"
        R"(</table:table-row></table:table-header-rows>)"
        R"(<table:table-row><table:table-cell office:value-type="string"><text:p>Jan<text:s text:c="2"/><text:span>de</text:span> Vis</text:p>)"
        R"(<office:annotation><dc:creator>X</dc:creator><text:p>niet dit</text:p></office:annotation></table:table-cell>)"
        R"(<table:table-cell office:value-type="currency" office:value="1234.5"><text:p>€ 1.234,50</text:p></table:table-cell>)"
        R"(<table:table-cell office:value-type="date" office:date-value="2010-04-03"><text:p>03-04-10</text:p></table:table-cell>)"
        R"(<table:table-cell office:value-type="boolean" office:boolean-value="true"><text:p>WAAR</text:p></table:table-cell>)"
        R"(<table:table-cell table:number-columns-repeated="1020"/></table:table-row>)"
        R"(<table:table-row table:number-rows-repeated="3"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>)"
        R"(<table:table-row table:number-rows-repeated="2"><table:table-cell office:value-type="string" table:number-columns-repeated="2"><text:p>Regel een</text:p><text:p>Regel twee</text:p></table:table-cell></table:table-row>)"
        R"(<table:table-row table:number-rows-repeated="1048570"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>)"
        R"(</table:table>)";
    ASSERT_TRUE(writeOds(path("leden.ods"), tables));
    KImportTable table;
    QStringList sheets;
    const KResult result = readFile(path("leden.ods"), table, 1, &sheets);
    ASSERT_TRUE(result.isDone()) << result.reason().toStdString();
    EXPECT_EQ(sheets, (QStringList{QStringLiteral("Notities"), QStringLiteral("Leden")}));
    EXPECT_EQ(sourceRows(table), (std::vector<int>{1, 2, 6, 7}));
    EXPECT_EQ(table.columnCount(), 4);
    EXPECT_EQ(table.cell(1, 0).text, QStringLiteral("Jan  de Vis"));
    EXPECT_EQ(table.cell(1, 1).number, 1234.5);
    EXPECT_EQ(table.cell(1, 1).shownText(), QStringLiteral("€ 1.234,50"));
    EXPECT_EQ(table.cell(1, 2).date(), QDate(2010, 4, 3));
    EXPECT_EQ(table.cell(1, 3).kind, KImportCell::Kind::Boolean);
    EXPECT_EQ(textsOf(table)[3], (std::vector<QString>{QStringLiteral("Regel een\nRegel twee"),
                                                        QStringLiteral("Regel een\nRegel twee")}));
}

TEST_F(ImportReaders, FilesThatCannotBeReadSayWhy) {
    XlsxParts noSheet;
    ASSERT_TRUE(noSheet.write(path("leeg.xlsx")));
    XlsxParts badString;
    badString.sheets.emplace_back(QStringLiteral("Blad1"), R"(<row r="1"><c t="s"><v>7</v></c></row>)");
    ASSERT_TRUE(badString.write(path("kapot.xlsx")));
    ASSERT_TRUE(writeZip(path("foto.zip"), {{QStringLiteral("foto.jpg"), "\xFF\xD8"}}));
    ASSERT_TRUE(writeOds(path("leeg.ods"), R"(<table:table table:name="Blad1"/>)"));

    const std::pair<QString, const char*> cases[] = {
        {writeFile("leeg.csv", {}), "leeg"},
        {writeFile("tekst.xlsx", "Naam;Plaats\n"), "geen zip-archief"},
        {writeFile("oud.xls", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)), ".xls"},
        {writeFile("stuk.xlsx", "PK\x03\x04 en dan niets"), "geen leesbaar zip-archief"},
        {path("foto.zip"), "zonder werkblad"},
        {path("leeg.xlsx"), "geen werkblad"},
        {path("kapot.xlsx"), "beschadigd"},
        {path("leeg.ods"), "geen gegevens"},
        {path("bestaat-niet.csv"), "kan niet worden geopend"},
    };
    for (const auto& [file, why] : cases) {
        KImportTable table;
        const KResult result = readFile(file, table);
        ASSERT_TRUE(result.isFailed()) << why;
        EXPECT_TRUE(result.reason().contains(QString::fromUtf8(why)))
            << why << ": " << result.reason().toStdString();
    }
}

} // namespace
