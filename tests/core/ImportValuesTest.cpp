// The value rules of an import by field type, and what the mapping proposes for a table.
#include "core/document/CKorvelDoc.h"
#include "core/import/KCsvReader.h"
#include "core/import/KImportProposal.h"
#include "core/import/KImportTable.h"
#include "core/import/KImportValues.h"
#include "tests/support/Pinned.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

KImportCell text(const char* utf8) {
    return KImportCell::ofText(QString::fromUtf8(utf8));
}

constexpr auto DMY = DateOrder::DayMonthYear;
constexpr auto MDY = DateOrder::MonthDayYear;
constexpr auto YMD = DateOrder::YearMonthDay;

TEST(ImportValues, DatesInEveryFormAPersonOrASpreadsheetWrites) {
    struct Case {
        KImportCell cell;
        DateOrder order;
        std::int32_t expected; // -1: cannot be read
    };
    const Case cases[] = {
        {text("3-4-2010"), DMY, 20100403},       {text("3/4/2010"), MDY, 20100304},
        {text("03.04.2010"), DMY, 20100403},     {text("3 4 2010"), DMY, 20100403},
        {text(" 2010-04-03 "), DMY, 20100403},   {text("2010/4/3"), MDY, 20100403},
        {text("10-04-03"), YMD, 20100403},       {text("3-4-10"), DMY, 20100403},
        {text("3-4-29"), DMY, 20290403},         {text("3-4-30"), DMY, 19300403},
        {text("3-4-99"), DMY, 19990403},         {text("3-4-00"), DMY, 20000403},
        {text("20100403"), DMY, 20100403},       {text("40271"), DMY, 20100403},
        {text("3-4-2010 0:00"), DMY, 20100403},  {text("2010-04-03T00:00:00"), DMY, 20100403},
        {text(""), DMY, 0},                      {text("   "), DMY, 0},
        {KImportCell(), DMY, 0},
        {KImportCell::ofNumber(40271), DMY, 20100403},
        {KImportCell::ofDate(QDate(1931, 2, 28)), DMY, 19310228},
        {text("31-2-2010"), DMY, -1},            {text("13-13-2010"), DMY, -1},
        {text("3-4-210"), DMY, -1},              {text("3 april 2010"), DMY, -1},
        {text("20101340"), DMY, -1},             {text("morgen"), DMY, -1},
        {text("1234567"), DMY, -1},              {KImportCell::ofBoolean(true), DMY, -1},
    };
    for (const Case& c : cases) {
        const auto date = KImportValues::date(c.cell, c.order);
        if (c.expected < 0)
            EXPECT_FALSE(date.has_value()) << c.cell.text.toStdString();
        else
            EXPECT_EQ(date.value_or(KDateValue(-1)).value(), c.expected) << c.cell.text.toStdString();
    }
}

TEST(ImportValues, AmountsWholeNumbersAndYesNo) {
    const std::pair<KImportCell, double> amounts[] = {
        {text("12,50"), 12.5},       {text("1.234,50"), 1234.5}, {text("\xE2\x82\xAC 12,50"), 12.5},
        {text("12.50"), 12.5},       {text("-7"), -7},           {text(""), 0},
        {KImportCell::ofNumber(1234.5), 1234.5},
    };
    for (const auto& [cell, expected] : amounts)
        EXPECT_EQ(KImportValues::real(cell).value_or(-999), expected) << cell.text.toStdString();
    for (const char* refused : {"twaalf", "12,50,10", "1.250"})
        EXPECT_FALSE(KImportValues::real(text(refused))) << refused;

    const std::pair<KImportCell, std::int32_t> wholes[] = {
        {text("1234567"), 1234567}, {text(" -5 "), -5}, {text("1.234.567"), 1234567},
        {text(""), 0},              {KImportCell::ofNumber(8012345), 8012345},
    };
    for (const auto& [cell, expected] : wholes)
        EXPECT_EQ(KImportValues::whole(cell).value_or(-999), expected) << cell.text.toStdString();
    for (const KImportCell& refused : {text("12,5"), text("99999999999"), text("NL12"),
                                      KImportCell::ofNumber(1.5)})
        EXPECT_FALSE(KImportValues::whole(refused)) << refused.text.toStdString();

    for (const char* yes : {"ja", "Ja", "J", "x", "X", "1", "waar", "WAAR", "yes", "true", " ja "})
        EXPECT_EQ(KImportValues::yesNo(text(yes)), std::optional<bool>(true)) << yes;
    for (const char* no : {"nee", "NEE", "n", "0", "onwaar", "no", "False", "", " "})
        EXPECT_EQ(KImportValues::yesNo(text(no)), std::optional<bool>(false)) << no;
    for (const char* neither : {"misschien", "2", "jaa"})
        EXPECT_FALSE(KImportValues::yesNo(text(neither))) << neither;
    EXPECT_EQ(KImportValues::yesNo(KImportCell::ofBoolean(true)), std::optional<bool>(true));
    EXPECT_FALSE(KImportValues::yesNo(KImportCell::ofNumber(2)));
}

class ImportProposal : public ::testing::Test {
protected:
    ImportProposal() { doc.OnNewDocument(); }

    QString labelFor(const char* title) const {
        const auto id = KImportProposal::fieldFor(QString::fromUtf8(title), doc.fields());
        if (!id)
            return QStringLiteral("-");
        const KField* f = doc.fields().findFirst([&](const KField& x) { return x.id() == *id; });
        return QString::fromLatin1(f->label().c_str());
    }

    KImportTable table(const char* csv) const {
        KImportTable t;
        EXPECT_TRUE(KCsvReader::read(csv, t).isDone());
        return t;
    }

    PinnedToday today{20240301};
    TempProfile profile;
    CKorvelDoc doc;
};

TEST_F(ImportProposal, TitlesFindTheirFieldsWhateverTheirSpelling) {
    EXPECT_EQ(KImportProposal::fold(QStringLiteral("Geb. Datum (ÉÉN)")), QStringLiteral("gebdatumeen"));
    const std::pair<const char*, const char*> cases[] = {
        {"Naam", "Naam"},
        {"E-mailadres", "E-mail"},
        {"email", "E-mail"},
        {"Geb. datum", "Geboortedatum"},
        {"GEBOORTE DATUM", "Geboortedatum"},
        {"Tel.", "Telefoon"},
        {"Telefoonnummer", "Telefoon"},
        {"Bondsnr", "Bondsnummer"},
        {"Soort", "Soort lid"},
        {"Voornaam", "Naam"},
        {"Tussenvoegsel", "Naam"},
        {"Achternaam", "Naam"},
        {"Postcode", "Postcode"},
        {"Adres", "Adres"},
        {"Plaats", "-"},
        {"Datum", "-"},
        {"Nr.", "-"},
        {"", "-"},
    };
    for (const auto& [title, label] : cases)
        EXPECT_EQ(labelFor(title), QString::fromLatin1(label)) << title;
}

TEST_F(ImportProposal, TheFirstRowAndTheDateOrder) {
    EXPECT_TRUE(KImportProposal::firstRowHoldsTitles(table("Naam;Plaats\nJan;Assen\n"), doc.fields()));
    EXPECT_TRUE(KImportProposal::firstRowHoldsTitles(table("Wie;Wanneer\nJan;3-4-2010\n"), doc.fields()));
    EXPECT_FALSE(KImportProposal::firstRowHoldsTitles(table("Jan;3-4-2010\nPiet;4-5-2011\n"), doc.fields()));
    EXPECT_FALSE(KImportProposal::firstRowHoldsTitles(table("Jan;Assen\nPiet;Zwolle\n"), doc.fields()));

    const KImportTable untitled = table("Jan;3-4-2010\n");
    EXPECT_EQ(KImportProposal::columnTitle(untitled, 1, false), QStringLiteral("Kolom 2"));

    auto order = [&](const char* csv) {
        const KImportTable t = table(csv);
        return KImportProposal::propose(t, doc.fields(), true).dateOrder;
    };
    EXPECT_EQ(order("Naam;Geboortedatum\nJan;3-4-2010\nPiet;4-5-2011\n"), DMY); // left open
    EXPECT_EQ(order("Naam;Geboortedatum\nJan;3-4-2010\nPiet;25-5-2011\n"), DMY);
    EXPECT_EQ(order("Naam;Geboortedatum\nJan;4/25/2011\nPiet;3/4/2010\n"), MDY);
    EXPECT_EQ(order("Naam;Geboortedatum\nJan;2010-04-03\nPiet;2011/5/4\n"), YMD);
    EXPECT_EQ(order("Naam;Diversen\nJan;4/25/2011\n"), DMY) << "no date field, no evidence";
}

} // namespace
