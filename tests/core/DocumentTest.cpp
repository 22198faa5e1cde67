#include "core/document/CKorvelDoc.h"
#include "core/KProgressReport.h"
#include "core/edit/KEdit.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RecordingListener.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Stops the work the first time it is asked.
struct StopAtOnce : KProgressReport {
    bool advance(std::int64_t) override { return false; }
};

class DocumentTest : public DocFixture {
protected:
    DocumentTest() { doc.addListener(&m_listener); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir m_dir;
    RecordingListener m_listener;
};

} // namespace

TEST_F(DocumentTest, NewDocumentsTakeFreshIdsAndStartUnmodified) {
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.lastId(), 17);
    EXPECT_FALSE(doc.IsModified());
    const KTabDef& nttb = doc.tabs().at(0);
    const KTabDef& personal = doc.tabs().at(1);
    EXPECT_EQ(nttb.name(), "NTTB");
    EXPECT_EQ(nttb.position(), 1);
    EXPECT_EQ(nttb.count(), 5u);
    EXPECT_EQ(personal.count(), 11u);
    EXPECT_EQ(personal.fieldIds().front(), 2);
    EXPECT_EQ(doc.memberTypes(), (std::vector<std::string>{"Lid", "Donateur", "Erelid"}));

    addMember(doc, "Jansen");
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.members().empty());
    EXPECT_EQ(doc.lastId(), 34);
    EXPECT_EQ(doc.tabs().at(1).fieldIds().front(), 19);
    EXPECT_EQ(m_listener.resets, 2);
    EXPECT_FALSE(doc.undoStack().canUndo()); // a new administration has no history
}

TEST_F(DocumentTest, HandingOutAnIdMarksModified) {
    doc.OnNewDocument();
    EXPECT_EQ(doc.handOutId(), 18);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentTest, SaveKeepsABackupOfThePreviousFile) {
    doc.OnNewDocument();
    const QString club = path("club.kvl");
    ASSERT_TRUE(doc.OnSaveDocument(club));
    EXPECT_FALSE(QFile::exists(path("club.kvm"))); // first save: nothing to back up
    const QByteArray first = readAll(club);

    addMember(doc, "Jansen");
    ASSERT_TRUE(doc.OnSaveDocument(club));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.pathName(), club);
    EXPECT_EQ(readAll(path("club.kvm")), first);
    EXPECT_GT(readAll(club).size(), first.size());
}

TEST_F(DocumentTest, EveryPathTheSystemAllowsGetsItsBackup) {
    for (const char* folder : {"Café", "Łódź", "met spatie"}) {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QString::fromUtf8(folder)));
        const QString club = m_dir.filePath(QString::fromUtf8(folder) + QStringLiteral("/leden.kvl"));
        doc.OnNewDocument();
        ASSERT_TRUE(doc.OnSaveDocument(club)) << folder;
        const QByteArray first = readAll(club);
        addMember(doc, "Jansen");
        KFileReport report;
        ASSERT_TRUE(doc.OnSaveDocument(club, &report)) << folder;
        EXPECT_TRUE(report.messages.isEmpty()) << folder;
        EXPECT_EQ(readAll(m_dir.filePath(QString::fromUtf8(folder) + QStringLiteral("/leden.kvm"))),
                  first)
            << folder;
        CKorvelDoc again;
        ASSERT_TRUE(again.OnOpenDocument(club)) << folder;
        EXPECT_EQ(again.members().size(), 1u);
    }
}

TEST_F(DocumentTest, ABackupThatCannotBeMadeIsToldAndTheSaveGoesOn) {
    doc.OnNewDocument();
    const QString club = path("club.kvl");
    ASSERT_TRUE(doc.OnSaveDocument(club));
    // A folder where the backup should go: the copy fails, the save does not.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("club.kvm")));
    addMember(doc, "Jansen");
    KFileReport report;
    ASSERT_TRUE(doc.OnSaveDocument(club, &report));
    ASSERT_EQ(report.messages.size(), 1);
    EXPECT_TRUE(report.messages.front().contains(QStringLiteral("reservekopie")));
    CKorvelDoc again;
    ASSERT_TRUE(again.OnOpenDocument(club));
    EXPECT_EQ(again.members().size(), 1u);
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
    doc.OnNewDocument();
    const QString club = path("club.kvl");
    ASSERT_TRUE(doc.OnSaveDocument(club));
    const QByteArray before = readAll(club);
    addMember(doc, "Jansen");

    KResult saved = doc.OnSaveDocument(path("bestaat-niet/club.kvl"));
    EXPECT_FALSE(saved);
    EXPECT_TRUE(saved.reason().startsWith(QStringLiteral("Het bestand")));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.pathName(), club);

    // A folder in the target's place cannot be replaced either.
    QDir(m_dir.path()).mkdir(QStringLiteral("map.kvl"));
    EXPECT_FALSE(doc.OnSaveDocument(path("map.kvl")));
    EXPECT_EQ(readAll(club), before);

    // Stopped, the save leaves the old file and the mark alone.
    StopAtOnce stop;
    saved = doc.OnSaveDocument(club, nullptr, &stop);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(saved.isStopped());
    EXPECT_EQ(readAll(club), before);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentTest, OpeningAndFailingToOpen) {
    doc.OnNewDocument();
    addMember(doc, "Jansen");
    const QString club = path("club.kvl");
    ASSERT_TRUE(doc.OnSaveDocument(club));

    CKorvelDoc other;
    RecordingListener heard;
    other.addListener(&heard);
    ASSERT_TRUE(other.OnOpenDocument(club));
    EXPECT_EQ(other.members().size(), 1u);
    EXPECT_FALSE(other.IsModified());
    EXPECT_EQ(heard.resets, 1);

    // Whatever fails, the open administration stays exactly as it was and nobody is told of
    // a change.
    addMember(other, "de Vries");
    const std::int32_t lastId = other.lastId();
    auto unchanged = [&] {
        EXPECT_EQ(other.members().size(), 2u);
        EXPECT_EQ(other.pathName(), club);
        EXPECT_TRUE(other.IsModified());
        EXPECT_EQ(other.lastId(), lastId);
        EXPECT_TRUE(other.undoStack().canUndo());
        EXPECT_EQ(heard.resets, 1);
    };
    KResult opened = other.OnOpenDocument(path("weg.kvl"));
    EXPECT_FALSE(opened);
    EXPECT_TRUE(opened.reason().contains(QStringLiteral("kan niet worden geopend")));
    unchanged();

    writeAll(path("junk.kvl"), "geen ledenbestand");
    opened = other.OnOpenDocument(path("junk.kvl"));
    EXPECT_FALSE(opened);
    EXPECT_TRUE(opened.reason().contains(QStringLiteral("geen ledenbestand")));
    unchanged();

    QByteArray cut = readAll(club);
    cut.chop(static_cast<int>(cut.size() / 3));
    writeAll(path("kapot.kvl"), cut);
    opened = other.OnOpenDocument(path("kapot.kvl"));
    EXPECT_FALSE(opened);
    EXPECT_TRUE(opened.reason().contains(QStringLiteral("beschadigd")));
    unchanged();

    StopAtOnce stop;
    opened = other.OnOpenDocument(club, nullptr, &stop);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(opened.isStopped());
    EXPECT_TRUE(opened.reason().isEmpty());
    unchanged();
}

TEST_F(DocumentTest, RemovesExactlyTheMemberAsked) {
    doc.OnNewDocument();
    const std::int32_t keep = addMember(doc, "Jansen").id();
    const std::int32_t other = addMember(doc, "Jansen").id();
    EXPECT_EQ(KEdit::deleteMembers(doc, {other}), 1u);
    ASSERT_EQ(doc.members().size(), 1u);
    EXPECT_EQ(doc.members().front().id(), keep);
}

TEST_F(DocumentTest, ReplacedFieldsAndTabsAreInOrderAgain) {
    doc.OnNewDocument();
    KFieldList fields = doc.fields();
    // "Adres" renamed "Zzz": the given list still has it near the front.
    KField* address = fields.findFirst([](const KField& f) { return f.label() == "Adres"; });
    address->setLabel("Zzz");
    fields.insert(KField(doc.handOutId(), FieldType::Text, FieldMeaning::Other, "Rugnummer"));
    KTabList tabs = doc.tabs();
    tabs.front().setName("Zzz-tab");
    doc.SetModifiedFlag(false);
    KEdit::replaceFields(doc, fields, tabs);
    EXPECT_EQ(doc.fields().size(), 17u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(m_listener.configurations, 1);
    std::vector<std::string> labels;
    for (const KField& f : doc.fields())
        labels.push_back(f.label());
    EXPECT_TRUE(std::is_sorted(labels.begin(), labels.end())) << labels.front();
    EXPECT_EQ(labels.back(), "Zzz");
    EXPECT_EQ(doc.tabs().at(doc.tabs().size() - 1).name(), "Zzz-tab");

    // A save and a reload give the same bytes again.
    ASSERT_TRUE(doc.OnSaveDocument(path("a.kvl")));
    CKorvelDoc again;
    ASSERT_TRUE(again.OnOpenDocument(path("a.kvl")));
    ASSERT_TRUE(again.OnSaveDocument(path("b.kvl")));
    EXPECT_EQ(readAll(path("a.kvl")), readAll(path("b.kvl")));
}

TEST_F(DocumentTest, SchemesByIdDescriptionAndEquality) {
    doc.OnNewDocument();
    KContribution a(40);
    a.setDescription("Contributie 2024");
    a.setDate(KDateValue(20240101));
    KEdit::addScheme(doc, a);
    KContribution b(41);
    b.setDescription("Contributie 2023");
    b.setDate(KDateValue(20230101));
    KEdit::addScheme(doc, b);
    EXPECT_EQ(doc.schemes().front().id(), 41);
    EXPECT_EQ(doc.findSchemeById(40)->description(), "Contributie 2024");
    EXPECT_EQ(doc.findSchemeByDescription("contributie 2024"), nullptr);
    EXPECT_FALSE(KEdit::deleteScheme(doc, 42, false));
    EXPECT_TRUE(KEdit::deleteScheme(doc, 40, false));
    ASSERT_EQ(doc.schemes().size(), 1u);
    EXPECT_EQ(m_listener.schemes, 3);
}

TEST_F(DocumentTest, OldFilesBringTheDefaultColumnsBack) {
    const QString old = path("oud.kvl");
    QFile f(old);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray("\x41\xCC\x10\x00\x56\x08\x00\x00\x00", 9) + QByteArray(8, '\0'));
    f.close();
    KFileReport report;
    ASSERT_TRUE(doc.OnOpenDocument(old, &report));
    EXPECT_TRUE(report.oldLayout);
    EXPECT_EQ(doc.fields().size(), 16u);
    EXPECT_EQ(doc.formatVersion(), 8);
}

// A process that ends leaves the administration to the process: the document is empty and
// usable again, and what was handed out before is not freed under anybody's hands.
TEST_F(DocumentTest, AbandonedContentsStayWholeAndTheDocumentStartsEmpty) {
    doc.OnNewDocument();
    addMember(doc, "Jansen");
    const KMember& before = doc.members().front();
    const int resetsBefore = m_listener.resets;

    doc.abandonContents();
    EXPECT_TRUE(doc.members().empty());
    EXPECT_TRUE(doc.fields().empty());
    EXPECT_FALSE(doc.undoStack().canUndo());
    EXPECT_EQ(m_listener.resets, resetsBefore); // nobody is told
    EXPECT_EQ(before.name(), "Jansen");

    ASSERT_TRUE(doc.OnNewDocument());
    addMember(doc, "Bakker");
    ASSERT_TRUE(doc.OnSaveDocument(path("na.kvl")));
    CKorvelDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(path("na.kvl")));
    ASSERT_EQ(reread.members().size(), 1u);
    EXPECT_EQ(reread.members().front().name(), "Bakker");
}
