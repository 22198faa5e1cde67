// An import from the table to the administration: a Dutch member list with its names in three
// columns, the rows that are there already, member types and fields the administration lacks,
// the undo of it all, where the new members go, and the .xlsx export read back.
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/generate/ClubGenerator.h"
#include "core/import/KCsvReader.h"
#include "core/import/KImportProposal.h"
#include "core/import/KImportRun.h"
#include "core/import/KImportTable.h"
#include "core/import/KTableFile.h"
#include "core/import/KXlsxExport.h"
#include "platform/CodePage.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/Pinned.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using Reason = KImportReport::Reason;

const char* const kDutchList =
    "Voornaam;Tussenvoegsel;Achternaam;Geb. datum;Bondsnr;Contributie;Senior;Soort;Opmerking\n"
    "Jan;van;Dijk;3-4-2010;1234567;12,50;ja;Lid;eerste\n"
    "Anna;;Bakker;25-12-1999;;1.234,50;nee;Jeugdlid;\n"
    "Piet;;Jansen;2-1-1980;;;x;Lid;tweede keer\n"
    "Karel;;Appel;1-1-1990;1001;;;;\n"
    ";;;;;;;;alleen een opmerking\n"
    "Bram;;Y\xC4\xB1ld\xC4\xB1z;31-2-2000;;;;;\n"
    "Zo\xC3\xAB;;\xC5\x81ukasz;1-1-2001;;;;jeugdlid;\n"
    "Jan;van;Dijk;3-4-2010;;;;;herhaald\n";

class ImportRun : public ::testing::Test {
protected:
    ImportRun() {
        doc.OnNewDocument();
        KFieldList fields = doc.fields();
        KTabList tabs = doc.tabs();
        const std::int32_t fee = doc.handOutId();
        fields.insert(KField(fee, FieldType::Amount, FieldMeaning::Other, "Contributie"));
        tabs.at(0).addFieldId(fee);
        KEdit::replaceFields(doc, fields, tabs);
        KMember piet = makeMember(doc, "Piet Jansen", "Lid", false);
        piet.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(19800102));
        piet.valueByMeaning(FieldMeaning::FederationNumber)->setNumber(1001);
        pietId = addMember(doc, piet).id();
        elsId = addMember(doc, "Els de Vries").id();
        EXPECT_TRUE(KCsvReader::read(kDutchList, table).isDone());
    }

    // The proposal, with the remark column into a new field on the first tab.
    KImportMapping mapping() const {
        KImportMapping m = KImportProposal::propose(table, doc.fields(), true);
        m.columns.at(8) = KImportMapping::Target::newTextField();
        m.newFieldTab = "Persoonlijk";
        return m;
    }

    KImportReport import(KImportRun& run, KDuplicates duplicates) {
        run.setDuplicates(duplicates);
        KImportChanges changes;
        KImportReport report;
        EXPECT_TRUE(run.build([this] { return doc.handOutId(); }, changes, report).isDone());
        // The ids are handed out first, as the program does: undone, the file is as it was
        // just before the step.
        before = savedBytes(doc);
        EXPECT_TRUE(KEdit::importMembers(doc, std::move(changes)));
        return report;
    }

    const KMember* named(const char* name) const {
        return doc.members().findFirst([&](const KMember& m) { return m.name() == name; });
    }
    static std::string valueOf(const KMember* m, const char* label) {
        const KField* v = m->values().findFirst([&](const KField& f) { return f.label() == label; });
        return v ? v->displayText() : "(geen)";
    }
    std::vector<std::pair<int, Reason>> skipped(const KImportReport& r) const {
        std::vector<std::pair<int, Reason>> out;
        for (const auto& s : r.skipped)
            out.emplace_back(s.row, s.reason);
        return out;
    }

    PinnedToday today{20240301};
    PinnedDateFormat format{"%d-%m-%Y"};
    PinnedLocale locale{"nl_NL"};
    TempProfile profile;
    CKorvelDoc doc;
    KImportTable table;
    std::int32_t pietId = 0, elsId = 0;
    std::string before;
};

TEST_F(ImportRun, ADutchListComesInWithoutAWrongValue) {
    KImportRun run(doc, table, mapping());
    ASSERT_TRUE(run.check().isDone());
    // "jeugdlid" further down is the same new type.
    EXPECT_EQ(run.unknownMemberTypes(), std::vector<std::string>{"Jeugdlid"});
    EXPECT_EQ(run.duplicateCount(), 3u); // Piet by name and birth date, Karel by Bondsnummer, Jan again
    const KImportReport report = import(run, KDuplicates::Skip);

    EXPECT_EQ(report.added, 3u);
    EXPECT_EQ(report.updated, 0u);
    EXPECT_EQ(skipped(report), (std::vector<std::pair<int, Reason>>{{4, Reason::Duplicate},
                                                                   {5, Reason::Duplicate},
                                                                   {6, Reason::Empty},
                                                                   {7, Reason::Unreadable},
                                                                   {9, Reason::Duplicate}}));
    EXPECT_TRUE(report.skipped[3].detail.contains(QStringLiteral("\"31-2-2000\" in kolom Geb. datum is geen datum")))
        << report.skipped[3].detail.toStdString();
    ASSERT_EQ(report.replaced.size(), 1u);
    EXPECT_EQ(report.replaced[0].row, 8);
    EXPECT_EQ(report.replaced[0].column, QStringLiteral("Achternaam"));
    EXPECT_EQ(report.replaced[0].text, QStringLiteral("Łukasz"));
    EXPECT_EQ(report.unmapped, QStringList{});
    EXPECT_EQ(report.newMemberTypes, QStringList{QStringLiteral("Jeugdlid")});

    const KMember* jan = named("Jan van Dijk");
    ASSERT_TRUE(jan);
    EXPECT_EQ(jan->dateByMeaning(FieldMeaning::BirthDate).value(), 20100403);
    EXPECT_EQ(jan->valueByMeaning(FieldMeaning::FederationNumber)->number(), 1234567);
    EXPECT_EQ(jan->valueByMeaning(FieldMeaning::Senior)->number(), 1);
    EXPECT_DOUBLE_EQ(jan->values().findFirst([](const KField& f) { return f.label() == "Contributie"; })->real(), 12.5);
    EXPECT_EQ(valueOf(jan, "Opmerking"), "eerste");
    EXPECT_EQ(jan->textByMeaning(FieldMeaning::MemberType), "Lid");
    const KMember* anna = named("Anna Bakker");
    ASSERT_TRUE(anna);
    EXPECT_DOUBLE_EQ(anna->values().findFirst([](const KField& f) { return f.label() == "Contributie"; })->real(), 1234.5);
    EXPECT_EQ(anna->valueByMeaning(FieldMeaning::Senior)->number(), 0);
    EXPECT_EQ(anna->dateByMeaning(FieldMeaning::BirthDate).value(), 19991225);
    EXPECT_EQ(anna->textByMeaning(FieldMeaning::MemberType), "Jeugdlid");
    const KMember* zoe = named("Zo\xEB Lukasz");
    ASSERT_TRUE(zoe);
    EXPECT_EQ(zoe->textByMeaning(FieldMeaning::MemberType), "Jeugdlid");
    // A date the table does not give is no date, not the field's default.
    EXPECT_EQ(zoe->dateByMeaning(FieldMeaning::RegistrationDate).value(), 0);
    EXPECT_NE(doc.fields().findFirst([](const KField& f) {
        return f.meaning() == FieldMeaning::RegistrationDate;
    })->date().value(), 0);

    // The new field is on its tab and every member has it; the new type is in the list.
    const KField* remark = doc.fields().findFirst([](const KField& f) { return f.label() == "Opmerking"; });
    ASSERT_TRUE(remark);
    const KTabDef* personal =
        doc.tabs().findFirst([](const KTabDef& t) { return t.name() == "Persoonlijk"; });
    EXPECT_EQ(personal->fieldIds().back(), remark->id());
    EXPECT_EQ(valueOf(doc.findMember(elsId), "Opmerking"), "");
    EXPECT_EQ(doc.memberTypes().back(), "Jeugdlid");
    EXPECT_EQ(doc.members().size(), 5u);

    // One step, undone to the very bytes and done again.
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("leden importeren"));
    const std::string after = savedBytes(doc);
    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);
    doc.undoStack().redo();
    EXPECT_EQ(savedBytes(doc), after);
    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);
}

TEST_F(ImportRun, DuplicatesFilledInOrAddedAnyway) {
    {
        KImportRun run(doc, table, mapping());
        const KImportReport report = import(run, KDuplicates::Update);
        EXPECT_EQ(report.added, 3u);
        EXPECT_EQ(report.updated, 3u);
        EXPECT_EQ(skipped(report), (std::vector<std::pair<int, Reason>>{{6, Reason::Empty},
                                                                       {7, Reason::Unreadable}}));
        // Piet's row fills in what it has and leaves the rest; then the row with his
        // Bondsnummer renames him.
        const KMember* piet = doc.findMember(pietId);
        EXPECT_EQ(piet->name(), "Karel Appel");
        EXPECT_EQ(piet->dateByMeaning(FieldMeaning::BirthDate).value(), 19900101);
        EXPECT_EQ(piet->valueByMeaning(FieldMeaning::Senior)->number(), 1);
        EXPECT_EQ(valueOf(piet, "Opmerking"), "tweede keer");
        // The second row of Jan fills in the Jan the first one added.
        EXPECT_EQ(valueOf(named("Jan van Dijk"), "Opmerking"), "herhaald");
        EXPECT_EQ(valueOf(named("Jan van Dijk"), "Bondsnummer"), "1234567");
        doc.undoStack().undo();
        EXPECT_EQ(savedBytes(doc), before);
        EXPECT_EQ(doc.findMember(pietId)->name(), "Piet Jansen");
    }
    KImportRun run(doc, table, mapping());
    const KImportReport report = import(run, KDuplicates::Add);
    EXPECT_EQ(report.added, 6u);
    EXPECT_EQ(doc.members().size(), 8u);
}

TEST_F(ImportRun, AnUnknownTypeMappedOntoOneThereAndNothingToImport) {
    KImportRun run(doc, table, mapping());
    run.mapMemberType("Jeugdlid", "Lid");
    const KImportReport report = import(run, KDuplicates::Skip);
    EXPECT_TRUE(report.newMemberTypes.isEmpty());
    EXPECT_EQ(named("Anna Bakker")->textByMeaning(FieldMeaning::MemberType), "Lid");
    EXPECT_EQ(doc.memberTypes(), (std::vector<std::string>{"Lid", "Donateur", "Erelid"}));

    KImportMapping none = mapping();
    for (auto& target : none.columns)
        target = KImportMapping::Target::skip();
    EXPECT_TRUE(KImportRun(doc, table, none).check().isFailed());
    EXPECT_FALSE(KEdit::importMembers(doc, KImportChanges()));
}

TEST_F(ImportRun, ColumnsJoinInTheOrderGivenOrAsANameIsWritten) {
    KImportTable reversed;
    ASSERT_TRUE(KCsvReader::read("Achternaam;Voornaam;Plaats;Straat;Nummer\nDijk;Jan;Assen;Kerkpad;3\n",
                                 reversed)
                    .isDone());
    KImportMapping m = KImportProposal::propose(reversed, doc.fields(), true);
    const std::int32_t address = doc.fields().findFirst([](const KField& f) {
        return f.meaning() == FieldMeaning::Address;
    })->id();
    m.columns[3] = m.columns[4] = KImportMapping::Target::field(address);
    KImportRun run(doc, reversed, m);
    const KImportReport report = import(run, KDuplicates::Skip);
    EXPECT_EQ(report.unmapped, QStringList{QStringLiteral("Plaats")});
    ASSERT_TRUE(named("Jan Dijk"));
    EXPECT_EQ(named("Jan Dijk")->textByMeaning(FieldMeaning::Address), "Kerkpad 3");

    m.joinOrder = {{address, {4, 3}}};
    KImportRun given(doc, reversed, m);
    import(given, KDuplicates::Add);
    EXPECT_TRUE(doc.members().findFirst(
        [](const KMember& x) { return x.textByMeaning(FieldMeaning::Address) == "3 Kerkpad"; }));
}

TEST_F(ImportRun, NewMembersGoWhereAddingThemOneByOneWouldPutThem) {
    // A rename keeps a member's place, so the list is no longer sorted.
    KMember renamed = *doc.findMember(elsId);
    renamed.setTextByMeaning(FieldMeaning::Name, "Aaltje Aarts");
    ASSERT_TRUE(KEdit::replaceMember(doc, elsId, renamed));
    addMember(doc, "Zeger Zwart");
    addMember(doc, "Bea Bakker");

    std::vector<std::unique_ptr<KMember>> added;
    KMemberList expected = doc.members();
    for (const char* name : {"Mies Aarts", "Ab Aap", "Zus Zwart", "Bob Bakker", "ab aap", "Ab Aap",
                             "Xander", "Ada Aarts"}) {
        KMember m = makeMember(doc, name);
        expected.insert(m);
        added.push_back(std::make_unique<KMember>(m));
        added.back()->setId(m.id());
    }
    KImportChanges changes;
    changes.added = std::move(added);
    ASSERT_TRUE(KEdit::importMembers(doc, std::move(changes)));
    std::vector<std::int32_t> got, want;
    for (const KMember& m : doc.members())
        got.push_back(m.id());
    for (const KMember& m : expected)
        want.push_back(m.id());
    // The copies in expected lost their ids: compare names, then ids of the originals.
    std::vector<std::string> gotNames, wantNames;
    for (const KMember& m : doc.members())
        gotNames.push_back(m.name());
    for (const KMember& m : expected)
        wantNames.push_back(m.name());
    EXPECT_EQ(gotNames, wantNames);
}

TEST_F(ImportRun, TheExportedWorkbookGivesBackTheSameMembers) {
    CKorvelDoc club;
    ClubGenerator(7).generate(club, 60);
    // An amount and a quantity besides the default fields.
    KFieldList fields = club.fields();
    KTabList tabs = club.tabs();
    const std::int32_t fee = club.handOutId(), lessons = club.handOutId();
    fields.insert(KField(fee, FieldType::Amount, FieldMeaning::Other, "Contributie"));
    fields.insert(KField(lessons, FieldType::Quantity, FieldMeaning::Other, "Lessen"));
    tabs.at(0).addFieldId(fee);
    tabs.at(0).addFieldId(lessons);
    KEdit::replaceFields(club, fields, tabs);
    std::vector<std::pair<std::int32_t, KMember>> amounts;
    int n = 0;
    for (const KMember& m : club.members()) {
        KMember changed = m;
        changed.valueById(fee)->setReal(n * 12.5 + 0.25 - 300);
        changed.valueById(lessons)->setReal(n++ / 4.0);
        amounts.emplace_back(m.id(), changed);
    }
    KEdit::replaceMembers(club, QStringLiteral("bedragen"), amounts);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("leden.xlsx"));
    const KResult written = KXlsxExport::write(file, club, KXlsxExport::allFields(club),
                                               KXlsxExport::gridOrder(club));
    ASSERT_TRUE(written.isDone()) << written.reason().toStdString();

    KTableFile source;
    ASSERT_TRUE(source.open(file).isDone());
    EXPECT_EQ(source.sheetNames(), (QStringList{QStringLiteral("Leden"), QStringLiteral("Openstaand")}));
    KImportTable read;
    ASSERT_TRUE(source.read(0, read).isDone());
    CKorvelDoc fresh;
    fresh.OnNewDocument();
    KEdit::replaceFields(fresh, club.fields(), club.tabs());
    KImportRun run(fresh, read, KImportProposal::propose(read, fresh.fields(), true));
    EXPECT_TRUE(run.unknownMemberTypes().empty());
    run.setDuplicates(KDuplicates::Add);
    KImportChanges changes;
    KImportReport report;
    ASSERT_TRUE(run.build([&] { return fresh.handOutId(); }, changes, report).isDone());
    EXPECT_TRUE(report.skipped.empty());
    EXPECT_TRUE(report.unmapped.isEmpty()) << report.unmapped.join(u',').toStdString();
    ASSERT_TRUE(KEdit::importMembers(fresh, std::move(changes)));

    ASSERT_EQ(fresh.members().size(), club.members().size());
    auto texts = [](const KMember& m) {
        std::vector<std::string> out;
        for (const KField& v : m.values())
            out.push_back(v.label() + "=" + v.displayText());
        return out;
    };
    // Members of one name may come in another order; every member is there with every value.
    std::vector<std::vector<std::string>> got, want;
    for (const KMember& m : fresh.members())
        got.push_back(texts(m));
    for (const KMember& m : club.members())
        want.push_back(texts(m));
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want);
}

} // namespace
