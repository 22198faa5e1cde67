#include "core/document/CKorvelDoc.h"
#include "core/table/MemberColumns.h"
#include "core/table/MemberGridFont.h"
#include "core/table/MemberOrder.h"
#include "core/table/MemberTable.h"
#include "platform/Profile.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

std::int32_t fieldId(const CKorvelDoc& doc, const char* label) {
    for (const KField& f : doc.fields())
        if (f.label() == label)
            return f.id();
    return -2;
}

// The rows 0 .. n-1 in the order a stable ascending or descending sort by the order gives.
std::vector<int> sorted(const MemberOrder& order, bool ascending) {
    std::vector<int> rows(order.size());
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(),
                     [&](int a, int b) { return order.compare(a, b, ascending) < 0; });
    return rows;
}

class MemberTableTest : public DocFixture {
protected:
    MemberTableTest() : DocFixture({.today = 0, .locale = "nl_NL"}) { doc.OnNewDocument(); }
};

} // namespace

TEST(MemberColumns, SplitsTheColumnList) {
    struct Case {
        const char* list;
        Strings items;
    } cases[] = {
        {"", {}},
        {"Naam", {"Naam"}},
        {"Naam|", {"Naam"}},
        {"Nr.|Naam|Schuld", {"Nr.", "Naam", "Schuld"}},
        {"Nr.|Naam|Schuld|", {"Nr.", "Naam", "Schuld"}},
        {"Naam||Adres", {"Naam", "", "Adres"}},
        {"|", {""}},
        {"||", {"", ""}},
        {"Naam||", {"Naam", ""}},
        {"|Naam", {"", "Naam"}},
        {" Naam | Adres ", {" Naam ", " Adres "}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MemberColumns::split(c.list), c.items) << '"' << c.list << '"';
}

TEST_F(MemberTableTest, ColumnsResolveToFieldsRunningNumberAndBalance) {
    const MemberColumns columns("Nr.|Naam|Schuld|naam|Bestaat niet||Geboortedatum|", doc.fields());
    const std::vector<MemberColumns::Column> expected = {
        {"Nr.", MemberColumns::kRunningNumber},
        {"Naam", fieldId(doc, "Naam")},
        {"Schuld", MemberColumns::kBalance},
        {"naam", MemberColumns::kNoField}, // labels match case-sensitively
        {"Bestaat niet", MemberColumns::kNoField},
        {"", MemberColumns::kNoField},
        {"Geboortedatum", fieldId(doc, "Geboortedatum")},
    };
    EXPECT_EQ(columns.columns(), expected);
}

TEST_F(MemberTableTest, TheFirstFieldInListOrderWithTheLabelWins) {
    KFieldList fields;
    fields.insert(KField(41, FieldType::Text, FieldMeaning::Other, "Bijnaam"));
    fields.insert(KField(40, FieldType::Date, FieldMeaning::Other, "Bijnaam"));
    fields.insert(KField(42, FieldType::Text, FieldMeaning::Other, ""));
    const MemberColumns columns("Bijnaam||Nr.", fields);
    // Text orders before Date among equal labels, so field 41 comes first in the list.
    EXPECT_EQ(columns.at(0).code, 41);
    EXPECT_EQ(columns.at(1).code, 42); // an empty item finds a field with an empty label
    EXPECT_EQ(columns.at(2).code, MemberColumns::kRunningNumber);
}

TEST_F(MemberTableTest, CellsOfAMemberRow) {
    KMember piet = makeMember(doc, "Piet Jansen");
    piet.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(19800314));
    piet.valueByMeaning(FieldMeaning::FederationNumber)->setNumber(123456);
    piet.addPayment(KPayment(12.5, KDateValue(20240101)));
    addMember(doc, piet);
    KMember els = makeMember(doc, "Els de Vries");
    els.removeValue(*els.valueByMeaning(FieldMeaning::City));
    addMember(doc, els);

    const MemberColumns columns(
        "Nr.|Naam|Woonplaats|Geboortedatum|Man|Bondsnummer|Schuld|Onbekend|Nr.", doc.fields());
    int nameColumn = -1;
    EXPECT_EQ(MemberTable::rowTexts(piet, columns, 7, &nameColumn),
              (Strings{std::to_string(piet.id()), "7", "Piet Jansen", "", "19800314", "Nee",
                       "123456", "-12.50", "???", "7"}));
    EXPECT_EQ(nameColumn, 2);
    // A value the member does not hold shows "???", like a column without a field.
    EXPECT_EQ(MemberTable::rowTexts(els, columns, 8)[3], "???");
}

TEST_F(MemberTableTest, BalanceIsFixedWithTwoDecimalsAndNeverMinusNought) {
    struct Case {
        double charged;
        double paid;
        const char* text;
    } cases[] = {
        {0, 0, "0.00"},        {1234.5, 0, "1234.50"},
        {0, 0.005, "-0.01"},   {0.3, 0.1 + 0.2, "0.00"}, // leaves -5.55e-17
        {10, 25.25, "-15.25"},
    };
    const MemberColumns columns("Schuld", doc.fields());
    for (const Case& c : cases) {
        KMember member(doc.fields());
        if (c.charged != 0) {
            auto scheme = std::make_unique<KContribution>(1);
            scheme->AddPart(KContrPart("Contributie", 2, c.charged));
            member.addCharge(KCharge(std::move(scheme)));
        }
        member.addPayment(KPayment(c.paid, KDateValue(20240101)));
        EXPECT_EQ(MemberTable::rowTexts(member, columns, 1)[1], c.text)
            << c.charged << " " << c.paid;
    }
}

TEST_F(MemberTableTest, TableHoldsEveryMemberInListOrder) {
    addMember(doc, "Piet Jansen");
    addMember(doc, "Anna Visser");
    const MemberColumns columns("Nr.|Soort lid|Naam", doc.fields());
    MemberTable table(doc.members(), columns);
    ASSERT_EQ(table.rowCount(), 2);
    ASSERT_EQ(table.colCount(), 4);
    EXPECT_EQ(table.nameColumn(), 3);
    int row = 0;
    for (const KMember& m : doc.members()) {
        EXPECT_EQ(table.cell(row, 0), std::to_string(m.id()));
        EXPECT_EQ(table.cell(row, 1), std::to_string(row + 1));
        EXPECT_EQ(table.cell(row, 3), m.name());
        ++row;
    }
    EXPECT_EQ(MemberTable(doc.members(), MemberColumns("Nr.|Adres", doc.fields())).nameColumn(),
              -1);
    EXPECT_EQ(MemberTable(doc.members(), MemberColumns("", doc.fields())).colCount(), 1);
}

TEST_F(MemberTableTest, RowsFilledInBulkMatchTheLookupByIdForEveryShapeOfValueList) {
    // Members whose value lists differ from the first member's, in size, ids or order.
    KMember anna = makeMember(doc, "Anna Aarts");
    anna.valueByMeaning(FieldMeaning::FederationNumber)->setNumber(-42);
    anna.valueByMeaning(FieldMeaning::Male)->setNumber(1);
    anna.addPayment(KPayment(3, KDateValue(20240101)));
    KMember bert = makeMember(doc, "Bert Bos");
    // Same size, other ids: the city is gone, and a second value of the name's id sorts first.
    bert.removeValue(*bert.valueByMeaning(FieldMeaning::City));
    KField title = *bert.valueByMeaning(FieldMeaning::Name);
    title.setLabel("Aanhef");
    title.setText("Dhr.");
    bert.addValue(title);
    KMember cor = makeMember(doc, "Cor Claassen");
    // Same ids, other order: the address moved to the end of the list.
    KField address = *cor.valueByMeaning(FieldMeaning::Address);
    cor.removeValue(address);
    address.setLabel("Zz adres");
    address.setText("Kerkstraat 1");
    cor.addValue(address);
    KMember dirk = makeMember(doc, "Dirk Dekker");
    dirk.addValue(KField(77, FieldType::Text, FieldMeaning::Other, "Extra"));

    const MemberColumns columns(
        "Nr.|Naam|Adres|Woonplaats|Geboortedatum|Man|Bondsnummer|Schuld|Onbekend", doc.fields());
    auto check = [&](const std::vector<const KMember*>& members) {
        KMemberList list;
        for (const KMember* m : members)
            list.insert(*m);
        const MemberTable::RowFiller filler(list, columns);
        int row = 1;
        for (const KMember& m : list) {
            Strings cells(columns.size() + 1);
            int nameColumn = -1;
            filler.fill(m, row, cells.data(), &nameColumn);
            int expectedName = -1;
            EXPECT_EQ(cells, MemberTable::rowTexts(m, columns, row, &expectedName)) << m.name();
            EXPECT_EQ(nameColumn, expectedName) << m.name();
            ++row;
        }
        MemberTable table(list, columns);
        // Bert orders as "Dhr.", after Cor.
        EXPECT_EQ(table.cell(2, 2), "Dhr."); // the first value of the name's id
        EXPECT_EQ(table.cell(2, 4), "???");  // Bert has no city
        EXPECT_EQ(table.cell(1, 3), "Kerkstraat 1");
        EXPECT_EQ(table.cell(0, 6), "Ja");
        EXPECT_EQ(table.cell(0, 7), "-42");
        EXPECT_EQ(table.cell(0, 8), "-3.00");
    };
    check({&anna, &bert, &cor, &dirk});
    // The first member is the odd one out: the others are still filled right.
    KMember aaron = makeMember(doc, "Aaron Aa");
    aaron.removeValue(*aaron.valueByMeaning(FieldMeaning::Phone));
    KMemberList withOdd;
    for (const KMember* m : {&aaron, &anna, &cor})
        withOdd.insert(*m);
    const MemberTable::RowFiller filler(withOdd, columns);
    for (const KMember& m : withOdd) {
        Strings cells(columns.size() + 1);
        int nameColumn = -1;
        filler.fill(m, 5, cells.data(), &nameColumn);
        EXPECT_EQ(cells, MemberTable::rowTexts(m, columns, 5)) << m.name();
    }
}

TEST(MemberOrder, ComparesNamesOnTheSurnameThenTheWholeText) {
    struct Case {
        const char* a;
        const char* b;
        int result;
    } cases[] = {
        {"Jan", "Piet", 0},         // neither has a space
        {"Jan", "Piet Jansen", -1}, // a one-word name first
        {"Piet Jansen", "Jan", 1},
        {"Piet Jansen", "Anna Visser", -1}, // Jansen before Visser
        {"Piet Jansen", "Anna Jansen", 1},  // same surname: the whole text
        {"Jan de Vries", "Els Vries", 1},   // tails " Vries" equal
        {"Els Jans", "Els Jansen", -1},     // a shorter tail that begins the longer
        {"A \xC9mile", "A Zorro", 1},       // bytes unsigned: 0xC9 after 'Z'
        {"Piet Jansen", "Piet Jansen", 0},
        {"Piet Jansen ", "Anna Visser", -1}, // a trailing space leaves the tail " "
        {"", "A B", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MemberOrder::compareNames(c.a, c.b), c.result) << c.a << " / " << c.b;
        EXPECT_EQ(MemberOrder::compareNames(c.b, c.a), -c.result) << c.b << " / " << c.a;
        // The precomputed keys answer the same.
        const MemberOrder keys = MemberOrder::byName({c.a, c.b});
        EXPECT_EQ(keys.compare(0, 1), c.result) << c.a << " / " << c.b;
        EXPECT_EQ(keys.compare(0, 1, false), -c.result) << c.a << " / " << c.b;
    }
}

TEST(MemberOrder, SortsByNameEitherWayKeepingEqualsInPlace) {
    const MemberOrder order =
        MemberOrder::byName({"Wim", "Piet Jansen", "Ada", "Anna Visser", "Bob Jansen"});
    EXPECT_EQ(sorted(order, true), (std::vector<int>{0, 2, 4, 1, 3}));
    EXPECT_EQ(sorted(order, false), (std::vector<int>{3, 1, 4, 0, 2}));
}

TEST_F(MemberTableTest, SortsByDateWithMissingDatesFirstAndUnknownMembersLast) {
    KMember a = makeMember(doc, "A");
    KMember b = makeMember(doc, "B");
    KMember c = makeMember(doc, "C");
    KMember d = makeMember(doc, "D");
    a.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(19900101));
    b.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(0));
    c.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(19700101));
    d.removeValue(*d.valueByMeaning(FieldMeaning::BirthDate));
    c.valueByMeaning(FieldMeaning::RegistrationDate)->setDate(KDateValue(20200101));
    a.valueByMeaning(FieldMeaning::RegistrationDate)->setDate(KDateValue(20210101));
    for (const KMember* m : {&a, &b, &c, &d})
        addMember(doc, *m);
    const auto id = [](const KMember& m) { return std::to_string(m.id()); };
    // Row 0 is a title row; row 4 names no member of the document.
    const Strings ids = {"Identifier", id(a), "999999", id(b), id(c), id(d)};

    const MemberOrder birth = MemberOrder::byDate(doc.members(), FieldMeaning::BirthDate, ids);
    EXPECT_EQ(sorted(birth, true), (std::vector<int>{3, 5, 4, 1, 0, 2}));
    EXPECT_EQ(sorted(birth, false), (std::vector<int>{0, 2, 1, 4, 3, 5}));
    EXPECT_EQ(birth.compare(3, 5), 0); // no date and no such field both count as 0

    const MemberOrder joined =
        MemberOrder::byDate(doc.members(), FieldMeaning::RegistrationDate, ids);
    EXPECT_LT(joined.compare(4, 1), 0);
    EXPECT_GT(joined.compare(2, 5), 0);
}

TEST_F(MemberTableTest, TheFirstMemberDecidesHowATitleClickSorts) {
    using Kind = MemberOrder::Kind;
    EXPECT_EQ(MemberOrder::kindOfColumn(doc.members(), fieldId(doc, "Naam")), Kind::Grid);
    addMember(doc, "Piet Jansen");
    struct Case {
        std::int32_t code;
        Kind kind;
    } cases[] = {
        {fieldId(doc, "Naam"), Kind::Name},
        {fieldId(doc, "Geboortedatum"), Kind::BirthDate},
        {fieldId(doc, "Inschrijfdatum"), Kind::RegistrationDate},
        {fieldId(doc, "Woonplaats"), Kind::Grid},
        {MemberColumns::kNoField, Kind::Grid},
        {MemberColumns::kBalance, Kind::Grid},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MemberOrder::kindOfColumn(doc.members(), c.code), c.kind) << c.code;
}

TEST(MemberGridFont, ReadsTheProfileWithDefaults) {
    TempProfile profile;
    EXPECT_EQ(MemberGridFont::read(), MemberGridFont{});
    EXPECT_EQ(MemberGridFont{}.name, "Arial");
    EXPECT_EQ(MemberGridFont{}.size, 10.0);

    const QString font = QStringLiteral("Font");
    Profile::writeString(font, QStringLiteral("Name"), QStringLiteral("Caf\u00e9 Sans"));
    Profile::writeString(font, QStringLiteral("Size"), QStringLiteral("12.5"));
    Profile::writeInt(font, QStringLiteral("Bold"), 1);
    Profile::writeInt(font, QStringLiteral("Strikethru"), 1);
    MemberGridFont read = MemberGridFont::read();
    EXPECT_EQ(read.name, "Caf\xE9 Sans");
    EXPECT_EQ(read.size, 12.5);
    EXPECT_TRUE(read.bold);
    EXPECT_FALSE(read.italic);
    EXPECT_TRUE(read.strikethrough);
    EXPECT_FALSE(read.underline);

    // A size the grid cannot show falls back to the default.
    for (const char* size : {"-13.0", "0", "abc", "100000"}) {
        Profile::writeString(font, QStringLiteral("Size"), QString::fromLatin1(size));
        EXPECT_EQ(MemberGridFont::read().size, 10.0) << size;
    }
}

TEST(MemberGridFont, WritesWhatItReads) {
    TempProfile profile;
    MemberGridFont font;
    font.name = "Courier New";
    font.size = 9.25;
    font.italic = true;
    font.underline = true;
    font.write();
    EXPECT_EQ(Profile::readString(QStringLiteral("Font"), QStringLiteral("Size")),
              QStringLiteral("9.2"));
    font.size = 9.2;
    EXPECT_EQ(MemberGridFont::read(), font);
}
