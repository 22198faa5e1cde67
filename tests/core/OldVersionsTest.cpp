#include "core/document/CKorvelDoc.h"
#include "core/model/ContributionRules.h"
#include "core/model/DefaultConfiguration.h"
#include "platform/Archive.h"
#include "tests/support/Bytes.h"
#include "tests/support/DocFixture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// One member as the old layouts of versions 1 to 10 hold it.
struct OldMember {
    int male = 1, senior = 1, registered = 0, eligible = 1;
    int typeByte = 0;
    char licence = '-';
    std::string name = "Jansen", address = "Dorpsstraat 1", city = "Delft", postcode = "2611 AB";
    std::string phone = "015-1234567", email = "jan@example.nl", misc = "Trainer";
    int birth = 19800512, registeredOn = 20050901;
    std::string federation = "1234567";
    int id = 500;
    std::string chargesAndPayments; // versions 9 and 10: counts and records, as bytes
};

void writeOldMember(Bytes& b, int v, const OldMember& m) {
    b.byte(m.male).byte(m.senior).byte(m.registered).byte(m.eligible).byte(m.typeByte).byte(m.licence);
    if (v >= 2 && v <= 6)
        b.byte(0x55);
    b.hstr(m.name).hstr(m.address).hstr(m.city).hstr(m.postcode).hstr(m.phone);
    if (v >= 6)
        b.hstr(m.email);
    if (v >= 9)
        b.hstr(m.misc);
    if (v <= 2)
        b.hstr(std::to_string(m.birth));
    else if (v <= 7)
        b.u16(static_cast<std::uint16_t>(m.birth / 10000)).byte(m.birth / 100 % 100).byte(m.birth % 100);
    else
        b.i32(m.birth);
    if (v >= 9)
        b.i32(m.registeredOn);
    b.hstr(m.federation);
    if (v <= 3)
        b.hstr("spare one");
    if (v >= 2 && v <= 4)
        b.hstr("spare two");
    if (v >= 2)
        b.i32(m.id);
    if (v >= 9)
        b.str(m.chargesAndPayments.empty() ? std::string(8, '\0') : m.chargesAndPayments);
}

// The head of an old file up to its members: marker, reserved word, lists, lastId.
Bytes oldHead(int v, int lastId = 600) {
    Bytes b;
    b.marker(v);
    if (v >= 2)
        b.i32(0);
    if (v >= 9)
        b.i32(0);
    if (v >= 10)
        b.i32(0);
    if (v >= 2)
        b.i32(lastId);
    return b;
}

class OldVersionsTest : public DocFixture {
protected:
    OldVersionsTest() : DocFixture({.locale = "nl_NL"}) {}

    bool open(const std::string& bytes) {
        const QString path = m_dir.filePath(QStringLiteral("oud.kvl"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        file.close();
        KFileReport report;
        const bool ok = doc.OnOpenDocument(path, &report);
        m_error = report.error;
        return ok;
    }
    std::string text(const KMember& m, FieldMeaning meaning) const { return m.textByMeaning(meaning); }
    std::int32_t number(const KMember& m, FieldMeaning meaning) const {
        return m.valueByMeaning(meaning)->getNumber();
    }

    QTemporaryDir m_dir;
    QString m_error;
};

} // namespace

TEST_F(OldVersionsTest, EveryVersionReadsTheOldMemberLayout) {
    for (int v = 1; v <= 10; ++v) {
        SCOPED_TRACE(v);
        Bytes b = oldHead(v);
        OldMember m;
        writeOldMember(b, v, m);
        ASSERT_TRUE(open(b)) << m_error.toStdString();
        ASSERT_EQ(doc.members().size(), 1u);
        const KMember& read = doc.members().front();
        EXPECT_EQ(doc.fields().size(), 16u);
        EXPECT_EQ(text(read, FieldMeaning::Name), "Jansen");
        EXPECT_EQ(text(read, FieldMeaning::Address), "Dorpsstraat 1");
        EXPECT_EQ(text(read, FieldMeaning::City), "Delft");
        EXPECT_EQ(text(read, FieldMeaning::PostalCode), "2611 AB");
        EXPECT_EQ(text(read, FieldMeaning::Phone), "015-1234567");
        EXPECT_EQ(text(read, FieldMeaning::Email), v >= 6 ? "jan@example.nl" : "");
        EXPECT_EQ(text(read, FieldMeaning::Miscellaneous), v >= 9 ? "Trainer" : "");
        EXPECT_EQ(read.dateByMeaning(FieldMeaning::BirthDate).value(), 19800512);
        EXPECT_EQ(read.dateByMeaning(FieldMeaning::RegistrationDate).value(),
                  v >= 9 ? 20050901 : 20240301);
        EXPECT_EQ(number(read, FieldMeaning::FederationNumber), 1234567);
        EXPECT_EQ(text(read, FieldMeaning::Male), "Ja");
        EXPECT_EQ(text(read, FieldMeaning::Registered), "Nee");
        EXPECT_EQ(text(read, FieldMeaning::MemberType), "Lid");
        EXPECT_EQ(text(read, FieldMeaning::Licence), "");
        EXPECT_EQ(read.id(), v >= 2 ? 500 : doc.lastId());
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(OldVersionsTest, VersionOneMembersGetIdsInFileOrder) {
    Bytes b = oldHead(1);
    OldMember m;
    m.name = "Zwart";
    writeOldMember(b, 1, m);
    m.name = "Aalders";
    writeOldMember(b, 1, m);
    ASSERT_TRUE(open(b));
    // The default fields took the ids before the members; members follow in file order.
    std::int32_t highestField = 0;
    for (const KField& f : doc.fields())
        highestField = std::max(highestField, f.id());
    ASSERT_EQ(doc.members().size(), 2u);
    EXPECT_EQ(doc.members().at(0).name(), "Aalders");
    EXPECT_EQ(doc.members().at(0).id(), highestField + 2);
    EXPECT_EQ(doc.members().at(1).id(), highestField + 1);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(OldVersionsTest, MemberTypeAndLicenceBytes) {
    struct Case {
        int typeByte;
        char licence;
        const char* type;
        const char* licenceText;
    };
    for (Case c : {Case{1, 'A', "Donateur", "A"}, Case{2, 'B', "Erelid", "B"},
                   Case{7, '-', "7", ""}, Case{-1, 'C', "-1", "C"}}) {
        Bytes b = oldHead(8);
        OldMember m;
        m.typeByte = c.typeByte;
        m.licence = c.licence;
        writeOldMember(b, 8, m);
        ASSERT_TRUE(open(b));
        const KMember& read = doc.members().front();
        EXPECT_EQ(text(read, FieldMeaning::MemberType), c.type);
        EXPECT_EQ(text(read, FieldMeaning::Licence), c.licenceText);
    }
}

TEST_F(OldVersionsTest, VersionNineSchemesAndChargesBecomeParts) {
    Bytes b;
    b.marker(9).i32(0).i32(1);
    b.i32(70).fstr("Contributie 2003").i32(20030101);
    for (int i = 0; i < 12; ++i)
        b.real(i == 0 ? 100.0 : 0.0);
    b.i32(600);
    OldMember m;
    Bytes charges;
    charges.i32(1).i32(70);
    for (double amount : {25.0, 0.0, 0.0, 0.0, 0.0, 0.0})
        charges.real(amount);
    charges.fstr("Eerste termijn");
    charges.i32(1).real(10.0).i32(20030201).fstr("Kas");
    m.chargesAndPayments = charges;
    writeOldMember(b, 9, m);
    ASSERT_TRUE(open(b)) << m_error.toStdString();

    ASSERT_EQ(doc.schemes().size(), 1u);
    const KContribution& scheme = doc.schemes().front();
    EXPECT_EQ(scheme.description(), "Contributie 2003");
    ASSERT_EQ(scheme.parts().size(), 12u);
    EXPECT_EQ(scheme.parts().at(0).name(), "Contributie");
    EXPECT_DOUBLE_EQ(scheme.parts().at(0).amount(), 100.0);
    // The zero parts follow by name, parts of equal name by their number of conditions.
    EXPECT_EQ(scheme.parts().at(1).name(), "Anders");
    EXPECT_EQ(scheme.parts().at(1).conditionCount(), 1u);
    for (const KContrPart& part : scheme.parts())
        for (const KField& condition : part.conditions())
            EXPECT_GT(condition.id(), 99999900);

    const KMember& read = doc.members().front();
    ASSERT_EQ(read.charges().size(), 1u);
    const KCharge& charge = read.charges().front();
    EXPECT_EQ(charge.text(), "Eerste termijn");
    EXPECT_EQ(charge.scheme()->description(), "Contributie 2003");
    EXPECT_EQ(charge.scheme()->date().value(), 20030101);
    ASSERT_EQ(charge.scheme()->parts().size(), 1u);
    const KContrPart& part = charge.scheme()->parts().front();
    EXPECT_EQ(part.name(), "Contributie");
    EXPECT_DOUBLE_EQ(part.amount(), 25.0);
    ASSERT_EQ(part.conditionCount(), 1u);
    EXPECT_EQ(part.conditions().front().label(), "Soort lid");
    EXPECT_EQ(part.conditions().front().displayText(), "Lid");
    EXPECT_GT(part.id(), 99999800);
    ASSERT_EQ(read.payments().size(), 1u);
    EXPECT_EQ(read.payments().front().remarks(), "Kas");
    EXPECT_DOUBLE_EQ(read.balance(), 15.0);

    // Unchanged, the converted scheme charges nobody: no member has its condition fields.
    KMember copy = read;
    ApplyContribution(copy, scheme);
    EXPECT_FALSE(HasCharge(copy, scheme));
}

TEST_F(OldVersionsTest, VersionTenKeepsItsSnapshotsAndReadsOnAfterThem) {
    Bytes b;
    b.marker(10).i32(0).i32(1);
    b.i32(71).fstr("Contributie 2004").i32(20040101).i32(1);
    b.fstr("Contributie").i32(72).real(80.0).i32(0);
    b.i32(2);
    OldMember snap;
    snap.name = "Oud";
    b.u16(0).i32(5);
    writeOldMember(b, 10, snap);
    writeOldMember(b, 10, snap);
    b.u16(2).i32(6);
    writeOldMember(b, 10, snap);
    b.i32(600);
    OldMember m;
    Bytes charges;
    charges.i32(1).i32(71).fstr("").i32(0).i32(1).fstr("Contributie").i32(72).real(80.0).i32(0).fstr("");
    charges.i32(0);
    m.chargesAndPayments = charges;
    writeOldMember(b, 10, m);
    ASSERT_TRUE(open(b)) << m_error.toStdString();

    ASSERT_EQ(doc.snapshots().size(), 2u);
    EXPECT_EQ(doc.snapshots().at(0).first().name(), "Oud");
    EXPECT_EQ(doc.snapshots().at(1).kind(), 2);
    ASSERT_EQ(doc.members().size(), 1u);
    const KCharge& charge = doc.members().front().charges().front();
    EXPECT_EQ(charge.scheme()->description(), "Contributie 2004");
    EXPECT_EQ(charge.scheme()->date().value(), 20040101);
    EXPECT_DOUBLE_EQ(doc.members().front().balance(), 80.0);

    // Saved again, the snapshots come back with the rest.
    const QString path = m_dir.filePath(QStringLiteral("nieuw.kvl"));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    CKorvelDoc again;
    ASSERT_TRUE(again.OnOpenDocument(path));
    EXPECT_EQ(again.snapshots().size(), 2u);
    EXPECT_EQ(again.snapshots().at(1).second().name(), "Oud");
    EXPECT_EQ(again.members().size(), 1u);
}

// Old snapshots are read into the default fields, numbered from 1 whatever the document's own
// numbering; kinds without a snapshot hold nothing, also when they come first.
TEST_F(OldVersionsTest, VersionTenSnapshotsOfEveryKindHoldTheDefaultFields) {
    Bytes b;
    b.marker(10).i32(0).i32(0);
    const std::uint16_t kinds[] = {3, 1, 65535, 0, 2, 7};
    b.i32(static_cast<std::int32_t>(std::size(kinds)));
    OldMember snap;
    std::int32_t key = 40;
    for (std::uint16_t kind : kinds) {
        b.u16(kind).i32(key++);
        for (bool holds : {kind == 0 || kind == 1, kind == 0 || kind == 2}) {
            if (holds) {
                snap.name = "Oud " + std::to_string(++snap.id);
                writeOldMember(b, 10, snap);
            }
        }
    }
    b.i32(600);
    writeOldMember(b, 10, OldMember());
    ASSERT_TRUE(open(b)) << m_error.toStdString();

    KFieldList defaults;
    KTabList tabs;
    std::vector<std::string> types;
    KIdCounter ids;
    applyDefaultConfiguration(defaults, tabs, types, ids);
    std::vector<std::int32_t> defaultIds;
    for (const KField& field : defaults)
        defaultIds.push_back(field.id());
    auto idsOf = [](const KMember& m) {
        std::vector<std::int32_t> out;
        for (const KField& value : m.values())
            out.push_back(value.id());
        return out;
    };
    ASSERT_EQ(doc.snapshots().size(), std::size(kinds));
    int held = 0;
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        const KSnapshotPair& pair = doc.snapshots().at(i);
        SCOPED_TRACE(pair.kind());
        EXPECT_EQ(pair.kind(), kinds[i]);
        for (const KMember* m : {&pair.first(), &pair.second()}) {
            if (m->values().empty())
                continue;
            ++held;
            EXPECT_EQ(idsOf(*m), defaultIds);
            EXPECT_EQ(m->name(), "Oud " + std::to_string(500 + held));
        }
    }
    EXPECT_EQ(held, 4);

    // The converted file keeps them byte for byte through the next load and save.
    const QString first = m_dir.filePath(QStringLiteral("eerste.kvl"));
    const QString second = m_dir.filePath(QStringLiteral("tweede.kvl"));
    ASSERT_TRUE(doc.OnSaveDocument(first));
    CKorvelDoc again;
    ASSERT_TRUE(again.OnOpenDocument(first));
    ASSERT_TRUE(again.OnSaveDocument(second));
    QFile a(first), c(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && c.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), c.readAll());
}

TEST_F(OldVersionsTest, OldRecordsCutShortEndTheMembersOrTheLoad) {
    Bytes b = oldHead(8);
    OldMember m;
    writeOldMember(b, 8, m);
    const std::size_t firstEnd = b.data().size();
    writeOldMember(b, 8, m);
    const std::string bytes = b;
    // Inside the flag bytes or a string record the record just ends; inside the birth date
    // (read as a number) the file is damaged.
    EXPECT_TRUE(open(bytes.substr(0, firstEnd + 3)));
    EXPECT_EQ(doc.members().size(), 1u);
    EXPECT_TRUE(open(bytes.substr(0, firstEnd + 12)));
    EXPECT_EQ(doc.members().size(), 1u);
    std::size_t birthAt = firstEnd + 6;
    for (const std::string* t : {&m.name, &m.address, &m.city, &m.postcode, &m.phone, &m.email})
        birthAt += 2 + t->size() + 1;
    EXPECT_FALSE(open(bytes.substr(0, birthAt + 2)));
    EXPECT_FALSE(m_error.isEmpty());
}
