#include "core/document/CKorvelDoc.h"
#include "core/document/KMemberFile.h"
#include "core/model/ContributionRules.h"
#include "platform/Archive.h"
#include "tests/support/Bytes.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"

#include <gtest/gtest.h>

namespace {

std::string store(CKorvelDoc& doc) {
    Archive ar = Archive::forStoring();
    doc.Serialize(ar);
    return ar.takeData();
}

void load(CKorvelDoc& doc, const std::string& bytes) {
    doc.DeleteContents();
    Archive ar = Archive::forLoading(bytes);
    doc.Serialize(ar);
}

// A field record as the current layout writes it.
Bytes& field(Bytes& b, int id, int type, int meaning, const std::string& label) {
    return b.i32(id).i32(type).i32(meaning).fstr(label);
}

class MemberFileTest : public DocFixture {
protected:
    MemberFileTest() : DocFixture({.locale = "nl_NL"}) {}
};

// The default fields in list order (by label) with their ids in a fresh program.
struct DefaultField {
    int id, type, meaning;
    const char* label;
};
constexpr DefaultField kDefaults[] = {
    {15, 6, 8, "Aangemeld"},  {3, 1, 2, "Adres"},       {13, 3, 14, "Bondsnummer"},
    {16, 6, 9, "Competitiegerechtigd"}, {12, 1, 13, "Diversen"}, {8, 1, 5, "E-mail"},
    {7, 2, 15, "Geboortedatum"}, {11, 2, 16, "Inschrijfdatum"}, {17, 1, 11, "Licentie"},
    {9, 6, 6, "Man"},         {2, 1, 1, "Naam"},        {4, 1, 3, "Postcode"},
    {14, 6, 7, "Senior"},     {10, 1, 10, "Soort lid"}, {6, 1, 12, "Telefoon"},
    {5, 1, 4, "Woonplaats"},
};

} // namespace

TEST_F(MemberFileTest, NewDocumentIsWrittenByteForByte) {
    doc.OnNewDocument();
    ASSERT_EQ(doc.lastId(), 17);
    Bytes expected;
    expected.marker(11).i32(0).i32(0).i32(0).i32(17).i32(16);
    for (const DefaultField& f : kDefaults) {
        field(expected, f.id, f.type, f.meaning, f.label);
        switch (f.type) {
        case 1: expected.fstr(""); break;
        case 2: expected.i32(20240301); break;
        default: expected.i32(0); break;
        }
    }
    expected.i32(2);
    expected.fstr("NTTB").i32(1).i32(5).i32(13).i32(14).i32(15).i32(16).i32(17);
    expected.fstr("Persoonlijk").i32(0).i32(11);
    for (int id = 2; id <= 12; ++id)
        expected.i32(id);
    expected.i32(3).fstr("Lid").fstr("Donateur").fstr("Erelid");
    EXPECT_EQ(hex(store(doc)), hex(expected));
}

TEST_F(MemberFileTest, FieldRecordsAndLongStrings) {
    KField naam(2, FieldType::Text, FieldMeaning::Name, "Naam");
    Archive ar = Archive::forStoring();
    naam.Serialize(ar, 11);
    EXPECT_EQ(hex(ar.data()), "02 00 00 00 01 00 00 00 01 00 00 00 04 4E 61 61 6D 00");

    for (std::size_t length : {254u, 255u, 300u, 65533u, 65534u, 70000u}) {
        KField f(3, FieldType::None, FieldMeaning::Other, std::string(length, 'x'));
        Archive out = Archive::forStoring();
        f.Serialize(out, 11);
        const std::string bytes = out.data();
        if (length == 300) {
            EXPECT_EQ(hex(bytes.substr(12, 3)), "FF 2C 01");
        }
        Archive in = Archive::forLoading(bytes);
        KField back;
        back.Serialize(in, 11);
        EXPECT_EQ(back.label().size(), length);
        EXPECT_EQ(in.remaining(), 0u) << length;
    }
}

TEST_F(MemberFileTest, WideStringsAreReadIntoTheCodePage) {
    // FF FE FF marks UTF-16; "é€" is 00E9 20AC, which the code page holds as E9 80.
    Bytes b;
    b.i32(5).i32(1).i32(0).byte(0xFF).u16(0xFFFE).byte(2).u16(0x00E9).u16(0x20AC).fstr("x");
    Archive in = Archive::forLoading(b);
    KField f;
    f.Serialize(in, 11);
    EXPECT_EQ(f.label(), "\xE9\x80");
    EXPECT_EQ(f.text(), "x");
}

TEST_F(MemberFileTest, CurrentVersionReadsBackToTheSameBytes) {
    doc.OnNewDocument();
    KMember jansen = makeMember(doc, "Jansen");
    addMember(doc, "de Vries", "Donateur", false);
    addMember(doc, "Bakker");
    auto scheme = std::make_unique<KContribution>(doc.handOutId());
    scheme->setDescription("Contributie 2024");
    KContrPart part("Contributie", doc.handOutId(), 80.0);
    KField senior = *doc.fields().findFirst([](const KField& f) { return f.label() == "Senior"; });
    senior.setNumber(1);
    part.AddCondition(senior);
    scheme->AddPart(part);
    scheme->AddPart(KContrPart("Inschrijving", doc.handOutId(), 7.5));
    ApplyContribution(jansen, *scheme);
    jansen.addPayment(KPayment(50.0, KDateValue(20240315), "Bank \x80"));
    addMember(doc, jansen);
    KEdit::addScheme(doc, *scheme);
    std::vector<std::int32_t> all;
    for (const KMember& m : doc.members())
        all.push_back(m.id());
    KEdit::applyScheme(doc, scheme->id(), all);

    const std::string first = store(doc);
    CKorvelDoc reread;
    load(reread, first);
    EXPECT_EQ(reread.members().size(), 3u);
    EXPECT_EQ(reread.lastId(), doc.lastId());
    EXPECT_EQ(hex(store(reread)), hex(first));
}

TEST_F(MemberFileTest, MemberWithoutNameIsKeptAndDoesNotEndTheFile) {
    doc.OnNewDocument();
    addMember(doc, "");
    addMember(doc, "Jansen");
    addMember(doc, "Pietersen");
    const std::string bytes = store(doc);
    load(doc, bytes);
    ASSERT_EQ(doc.members().size(), 3u);
    EXPECT_EQ(doc.members().at(0).name(), "");
    EXPECT_EQ(doc.members().at(2).name(), "Pietersen");
}

TEST_F(MemberFileTest, RecordCutInsideTheIdEndsTheMembersQuietly) {
    doc.OnNewDocument();
    addMember(doc, "Jansen");
    std::string bytes = store(doc);
    bytes += std::string("\x07\x00", 2); // two bytes of a next member id
    load(doc, bytes);
    EXPECT_EQ(doc.members().size(), 1u);
}

TEST_F(MemberFileTest, DamagedFilesThrowEndOfFileAtEveryCut) {
    doc.OnNewDocument();
    const std::size_t memberStart = store(doc).size();
    KMember jansen = makeMember(doc, "Jansen");
    jansen.addPayment(KPayment(10.0, KDateValue(20240101)));
    addMember(doc, jansen);
    const std::string bytes = store(doc);
    // A cut before the members or inside a member after its id is a damaged file; a cut at
    // the start of the member or inside its id ends the data quietly.
    for (std::size_t cut = 9; cut < bytes.size(); ++cut) {
        CKorvelDoc doc;
        if (cut >= memberStart && cut < memberStart + 4) {
            EXPECT_NO_THROW(load(doc, bytes.substr(0, cut))) << cut;
            EXPECT_TRUE(doc.members().empty());
            continue;
        }
        EXPECT_THROW(load(doc, bytes.substr(0, cut)), ArchiveException) << cut;
    }
}

TEST_F(MemberFileTest, FilesWithoutTheMarkerAreRefused) {
    for (const std::string& bytes : {std::string(), std::string("abc"),
                                     std::string("\x41\xCC\x10\x00\x57\x0B\x00\x00\x00", 9),
                                     Bytes().marker(0).data(), Bytes().marker(-5).data()}) {
        try {
            load(doc, bytes);
            ADD_FAILURE() << hex(bytes);
        } catch (const ArchiveException& e) {
            EXPECT_EQ(e.cause(), ArchiveException::badSchema);
        }
    }
}

TEST_F(MemberFileTest, HugeCountsInAShortFileEndInEndOfFile) {
    for (const std::string& bytes :
         {Bytes().marker(11).i32(0).i32(0x7FFFFFFF).data(),
          Bytes().marker(11).i32(0).i32(0).i32(0).i32(17).i32(2000000000).data(),
          Bytes().marker(11).i32(0).i32(0).i32(0).i32(17).i32(1).i32(1).i32(1).i32(1)
              .byte(0xFF).u16(0xFFFF).i32(-1).data()}) {
        EXPECT_THROW(load(doc, bytes), ArchiveException);
    }
}

TEST_F(MemberFileTest, MarkerAboveElevenReadsAsCurrent) {
    doc.OnNewDocument();
    addMember(doc, "Jansen");
    std::string bytes = store(doc);
    bytes[5] = 12;
    load(doc, bytes);
    EXPECT_EQ(doc.formatVersion(), 12);
    EXPECT_EQ(doc.members().size(), 1u);
}
