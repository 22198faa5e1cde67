#include "core/document/CKorvelDoc.h"
#include "core/document/KDocObserver.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/Pinned.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct RecordingObserver : KDocObserver {
    void updateAllViews() override { ++updates; }
    void showMemberCount(long count) override { counts.push_back(count); }
    void restoreDefaultColumns() override { ++columnResets; }
    int updates = 0;
    int columnResets = 0;
    std::vector<long> counts;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() { m_doc.setObserver(&m_observer); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    PinnedToday m_today{20240301};
    PinnedDateFormat m_format{"Standard"};
    TempProfile m_profile;
    QTemporaryDir m_dir;
    RecordingObserver m_observer;
    CKorvelDoc m_doc;
};

} // namespace

TEST_F(DocumentTest, NewDocumentsTakeFreshIdsAndStartUnmodified) {
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_EQ(m_doc.lastId(), 17);
    EXPECT_FALSE(m_doc.IsModified());
    const KTabDef& nttb = m_doc.tabs().at(0);
    const KTabDef& personal = m_doc.tabs().at(1);
    EXPECT_EQ(nttb.name(), "NTTB");
    EXPECT_EQ(nttb.position(), 1);
    EXPECT_EQ(nttb.count(), 5u);
    EXPECT_EQ(personal.count(), 11u);
    EXPECT_EQ(personal.fieldIds().front(), 2);
    EXPECT_EQ(m_doc.memberTypes(), (std::vector<std::string>{"Lid", "Donateur", "Erelid"}));

    addMember(m_doc, "Jansen");
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_TRUE(m_doc.members().empty());
    EXPECT_EQ(m_doc.lastId(), 34);
    EXPECT_EQ(m_doc.tabs().at(1).fieldIds().front(), 19);
    EXPECT_EQ(m_observer.counts.back(), 0);
}

TEST_F(DocumentTest, HandingOutAnIdMarksModified) {
    m_doc.OnNewDocument();
    EXPECT_EQ(m_doc.handOutId(), 18);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(DocumentTest, SaveKeepsABackupOfThePreviousFile) {
    m_doc.OnNewDocument();
    const QString club = path("club.kvl");
    ASSERT_TRUE(m_doc.OnSaveDocument(club));
    EXPECT_FALSE(QFile::exists(path("club.kvm"))); // first save: nothing to back up
    const QByteArray first = readAll(club);

    addMember(m_doc, "Jansen");
    ASSERT_TRUE(m_doc.OnSaveDocument(club));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.pathName(), club);
    EXPECT_EQ(readAll(path("club.kvm")), first);
    EXPECT_GT(readAll(club).size(), first.size());
    EXPECT_EQ(m_observer.counts.back(), 1);
}

TEST_F(DocumentTest, BackupNames) {
    EXPECT_EQ(backupPathFor(QStringLiteral("/data/leden.kvl")), QStringLiteral("/data/leden.kvm"));
    EXPECT_EQ(backupPathFor(QStringLiteral("club9")), QStringLiteral("club:"));
    EXPECT_EQ(backupPathFor(QStringLiteral("clubz")), QStringLiteral("club{"));
    // A name ending in a dot would become a folder path; one ending in the highest code has no
    // next code. Both get a "~" appended instead.
    EXPECT_EQ(backupPathFor(QStringLiteral("club.")), QStringLiteral("club.~"));
    EXPECT_EQ(backupPathFor(QStringLiteral("club") + QChar(0xFFFF)),
              QStringLiteral("club") + QChar(0xFFFF) + QLatin1Char('~'));
}

TEST_F(DocumentTest, FailedSaveLeavesTheOldFileAndTheModifiedMark) {
    m_doc.OnNewDocument();
    const QString club = path("club.kvl");
    ASSERT_TRUE(m_doc.OnSaveDocument(club));
    const QByteArray before = readAll(club);
    addMember(m_doc, "Jansen");

    QString error;
    EXPECT_FALSE(m_doc.OnSaveDocument(path("bestaat-niet/club.kvl"), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Het bestand")));
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.pathName(), club);

    // A folder in the target's place cannot be replaced either.
    QDir(m_dir.path()).mkdir(QStringLiteral("map.kvl"));
    EXPECT_FALSE(m_doc.OnSaveDocument(path("map.kvl"), &error));
    EXPECT_EQ(readAll(club), before);
}

TEST_F(DocumentTest, OpeningAndFailingToOpen) {
    m_doc.OnNewDocument();
    addMember(m_doc, "Jansen");
    const QString club = path("club.kvl");
    ASSERT_TRUE(m_doc.OnSaveDocument(club));

    CKorvelDoc other;
    ASSERT_TRUE(other.OnOpenDocument(club));
    EXPECT_EQ(other.members().size(), 1u);
    EXPECT_FALSE(other.IsModified());

    QString error;
    EXPECT_FALSE(other.OnOpenDocument(path("weg.kvl"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("kan niet worden geopend")));

    QFile junk(path("junk.kvl"));
    junk.open(QIODevice::WriteOnly);
    junk.write("geen ledenbestand");
    junk.close();
    EXPECT_FALSE(other.OnOpenDocument(junk.fileName(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("geen ledenbestand")));
    EXPECT_TRUE(other.members().empty());
    EXPECT_TRUE(other.fields().empty());

    QByteArray cut = readAll(club);
    cut.chop(static_cast<int>(cut.size() / 3));
    QFile damaged(path("kapot.kvl"));
    damaged.open(QIODevice::WriteOnly);
    damaged.write(cut);
    damaged.close();
    EXPECT_FALSE(other.OnOpenDocument(damaged.fileName(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("beschadigd")));
}

TEST_F(DocumentTest, RemovesExactlyTheMemberAsked) {
    m_doc.OnNewDocument();
    KMember& first = addMember(m_doc, "Jansen");
    KMember& second = addMember(m_doc, "Jansen");
    const std::int32_t keep = first.id();
    m_doc.removeMember(&second);
    ASSERT_EQ(m_doc.members().size(), 1u);
    EXPECT_EQ(m_doc.members().front().id(), keep);
}

TEST_F(DocumentTest, SettingFieldsRefreshesAndMarksModified) {
    m_doc.OnNewDocument();
    KFieldList fields = m_doc.fields();
    fields.insert(KField(m_doc.handOutId(), FieldType::Text, FieldMeaning::Other, "Rugnummer"));
    m_doc.SetModifiedFlag(false);
    m_doc.setFields(fields);
    EXPECT_EQ(m_doc.fields().size(), 17u);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_observer.updates, 1);
}

TEST_F(DocumentTest, SchemesByIdDescriptionAndEquality) {
    m_doc.OnNewDocument();
    auto a = std::make_unique<KContribution>(40);
    a->setDescription("Contributie 2024");
    a->setDate(KDateValue(20240101));
    m_doc.addScheme(std::move(a));
    auto b = std::make_unique<KContribution>(41);
    b->setDescription("Contributie 2023");
    b->setDate(KDateValue(20230101));
    m_doc.addScheme(std::move(b));
    EXPECT_EQ(m_doc.schemes().front().id(), 41);
    EXPECT_EQ(m_doc.findSchemeById(40)->description(), "Contributie 2024");
    EXPECT_EQ(m_doc.findSchemeByDescription("contributie 2024"), nullptr);
    KContribution sameIdOtherDate(40);
    sameIdOtherDate.setDate(KDateValue(20990101));
    m_doc.removeScheme(sameIdOtherDate);
    EXPECT_EQ(m_doc.schemes().size(), 2u);
    m_doc.removeScheme(*m_doc.findSchemeById(40));
    EXPECT_EQ(m_doc.schemes().size(), 1u);
}

TEST_F(DocumentTest, OldFilesBringTheDefaultColumnsBack) {
    const QString old = path("oud.kvl");
    QFile f(old);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray("\x41\xCC\x10\x00\x56\x08\x00\x00\x00", 9) + QByteArray(8, '\0'));
    f.close();
    ASSERT_TRUE(m_doc.OnOpenDocument(old));
    EXPECT_EQ(m_observer.columnResets, 1);
    EXPECT_EQ(m_doc.fields().size(), 16u);
    EXPECT_EQ(m_doc.formatVersion(), 8);
}
