#include "core/document/CKorvelDoc.h"
#include "core/document/KBackups.h"
#include "core/document/KFileLock.h"
#include "core/generate/ClubGenerator.h"
#include "platform/KFileFaults.h"
#include "platform/KSafeFile.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

bool loads(const QString& path) {
    CKorvelDoc doc;
    return doc.OnOpenDocument(path).isDone();
}

class SharedFileTest : public DocFixture {
protected:
    ~SharedFileTest() override { KFileFaults::clear(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString club() const { return path(QStringLiteral("club.kvl")); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SharedFileTest, ASecondWriterSeesTheLockUntilItIsGiven) {
    KFileLock first(club());
    KFileLock second(club());
    ASSERT_TRUE(first.lock());
    const KResult refused = second.lock();
    ASSERT_TRUE(refused.isFailed());
    EXPECT_TRUE(refused.reason().startsWith(QStringLiteral("club.kvl is geopend door ")))
        << refused.reason().toStdString();
    EXPECT_TRUE(refused.reason().contains(QStringLiteral(" sinds ")));
    EXPECT_EQ(KFileLock::holderText(club()), refused.reason());
    first.unlock();
    EXPECT_TRUE(second.lock());
    EXPECT_TRUE(KFileLock::holderText(path(QStringLiteral("ander.kvl"))).isEmpty());
}

TEST_F(SharedFileTest, ALockWhoseProcessIsGoneIsTakenOver) {
    const QString lockPath = KFileLock::lockPathFor(club());
    const pid_t child = ::fork();
    if (child == 0) {
        QLockFile left(lockPath);
        left.tryLock(0);
        ::_exit(0); // never unlocks
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(QFileInfo::exists(lockPath));
    KFileLock lock(club());
    EXPECT_TRUE(lock.lock());
}

TEST_F(SharedFileTest, AChangeUnderneathTheOpenFileIsCaught) {
    doc.OnNewDocument();
    ASSERT_TRUE(doc.OnSaveDocument(club()));
    EXPECT_FALSE(doc.changedOnDisk());

    // Another instance opens the same file and saves a change.
    CKorvelDoc other;
    ASSERT_TRUE(other.OnOpenDocument(club()));
    EXPECT_FALSE(other.changedOnDisk());
    addMember(other, "Jansen");
    ASSERT_TRUE(other.OnSaveDocument(club()));
    EXPECT_TRUE(doc.changedOnDisk());
    EXPECT_FALSE(other.changedOnDisk());

    // Only a new time, the same bytes: nothing to warn about.
    const QByteArray bytes = readAll(club());
    writeAll(club(), bytes);
    EXPECT_FALSE(other.changedOnDisk());
    doc.acceptDiskState();
    EXPECT_FALSE(doc.changedOnDisk());
    QFile::remove(club());
    EXPECT_TRUE(doc.changedOnDisk());
}

TEST_F(SharedFileTest, BackupsAndGenerationsAreNoWiderThanTheMemberFile) {
    doc.OnNewDocument();
    ASSERT_TRUE(doc.OnSaveDocument(club()));
    ASSERT_EQ(::chmod(QFile::encodeName(club()).constData(), 0600), 0);
    // Owner and group stay where the saver may keep them (here, where the test may).
    const bool root = ::geteuid() == 0;
    if (root)
        ASSERT_EQ(::chown(QFile::encodeName(club()).constData(), 65534, 65534), 0);
    ::umask(022);
    addMember(doc, "Jansen");
    ASSERT_TRUE(doc.OnSaveDocument(club()));

    EXPECT_EQ(modeOf(club()), 0600u);
    EXPECT_EQ(modeOf(backupPathFor(club())), 0600u);
    const auto generations = KBackups::generations(club());
    ASSERT_EQ(generations.size(), 1u);
    EXPECT_EQ(modeOf(generations[0].path), 0600u);
    EXPECT_EQ(modeOf(KBackups::generationFolder(club())), 0700u);
    if (root) {
        EXPECT_EQ(QFileInfo(club()).ownerId(), 65534u);
        EXPECT_EQ(QFileInfo(club()).groupId(), 65534u);
    }
}

TEST_F(SharedFileTest, OnlyTheNewestGenerationsAreKept) {
    doc.OnNewDocument();
    doc.setBackupGenerations(3);
    ASSERT_TRUE(doc.OnSaveDocument(club()));
    for (int i = 0; i < 5; ++i) {
        addMember(doc, "Lid " + std::to_string(i));
        // Each generation is named by the time of the file it keeps.
        QFile f(club());
        f.open(QIODevice::ReadWrite);
        f.setFileTime(QDateTime(QDate(2026, 1, 1 + i), QTime(12, 0)), QFileDevice::FileModificationTime);
        f.close();
        ASSERT_TRUE(doc.OnSaveDocument(club()));
    }
    const auto kept = KBackups::generations(club());
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0].when, QDateTime(QDate(2026, 1, 5), QTime(12, 0)));
    EXPECT_EQ(QFileInfo(kept[0].path).fileName(),
              QStringLiteral("club 2026-01-05 12.00.00.kvl"));
    EXPECT_EQ(kept[2].when, QDateTime(QDate(2026, 1, 3), QTime(12, 0)));
    CKorvelDoc oldest;
    ASSERT_TRUE(oldest.OnOpenDocument(kept[2].path));
    EXPECT_EQ(oldest.members().size(), 2u);

    // None kept: none made, the old ones left alone.
    doc.setBackupGenerations(0);
    addMember(doc, "Nog een");
    ASSERT_TRUE(doc.OnSaveDocument(club()));
    EXPECT_EQ(KBackups::generations(club()).size(), 3u);
}

TEST_F(SharedFileTest, SavingKeepsLinksAndHardLinks) {
    doc.OnNewDocument();
    const QString real = path(QStringLiteral("echt.kvl"));
    ASSERT_TRUE(doc.OnSaveDocument(real));
    const QString link = path(QStringLiteral("link.kvl"));
    ASSERT_TRUE(QFile::link(real, link));
    addMember(doc, "Jansen");
    ASSERT_TRUE(doc.OnSaveDocument(link));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readAll(real), QByteArray::fromStdString(savedBytes(doc)));

    // A second name of the same file sees the new contents too.
    const QString second = path(QStringLiteral("tweede.kvl"));
    ASSERT_EQ(::link(QFile::encodeName(real).constData(), QFile::encodeName(second).constData()),
              0);
    addMember(doc, "Pietersen");
    ASSERT_TRUE(doc.OnSaveDocument(real));
    EXPECT_EQ(readAll(second), QByteArray::fromStdString(savedBytes(doc)));
    EXPECT_TRUE(loads(backupPathFor(real)));
    EXPECT_EQ(QFileInfo(real).dir().entryList(QStringList{QStringLiteral(".*.kvl.*")},
                                              QDir::Files | QDir::Hidden),
              QStringList());
}

TEST_F(SharedFileTest, AFolderThatMayNotBeWrittenIsWrittenInPlaceAfterTheBackup) {
    doc.OnNewDocument();
    ASSERT_TRUE(doc.OnSaveDocument(club()));
    addMember(doc, "Jansen");
    ASSERT_TRUE(doc.OnSaveDocument(club())); // the backup exists now
    const QByteArray dir = QFile::encodeName(m_dir.path());
    // The owner of every folder may write in it: as root the save runs as another user, who
    // owns the files but may not add to the folder.
    const bool root = ::geteuid() == 0;
    if (root)
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden))
            ASSERT_EQ(::chown(QFile::encodeName(path(name)).constData(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(dir.constData(), 0555), 0);
    // 0 saved and checked; 1 the save failed; 2 other bytes; 3 no whole backup.
    auto saveInPlace = [&]() -> int {
        addMember(doc, "Pietersen");
        if (!doc.OnSaveDocument(club()))
            return 1;
        if (readAll(club()) != QByteArray::fromStdString(savedBytes(doc)))
            return 2;
        CKorvelDoc backup;
        if (!backup.OnOpenDocument(backupPathFor(club())) || backup.members().size() != 1u)
            return 3;
        return 0;
    };
    int outcome = -1;
    if (root) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(4);
            ::_exit(saveInPlace());
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        outcome = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    } else {
        outcome = saveInPlace();
    }
    ::chmod(dir.constData(), 0755);
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden),
              QStringList());
}

TEST_F(SharedFileTest, NamesThatAreNoTextAreRefusedNotRenamed) {
    doc.OnNewDocument();
    const QByteArray folder = QFile::encodeName(m_dir.path());
    for (const char* name : {"/lid\xe9.kvl", "/lid\xe8.kvl"}) {
        const QString decoded = QFile::decodeName(folder + name);
        const KResult saved = doc.OnSaveDocument(decoded);
        ASSERT_TRUE(saved.isFailed());
        EXPECT_TRUE(saved.reason().contains(QStringLiteral("gewone letters")));
        EXPECT_TRUE(doc.OnOpenDocument(decoded).isFailed());
    }
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// Every write, flush, sync, rename and remove of a save in turn fails: the file holds the old
// bytes or the new, every backup loads, no temporary file stays, and the user hears once.
TEST_F(SharedFileTest, EveryFailingStepOfASaveLosesNothing) {
    CKorvelDoc old;
    ClubGenerator(7).generate(old, 150);
    ClubGenerator(8).generate(doc, 700);
    const QByteArray oldBytes = QByteArray::fromStdString(savedBytes(old));
    const QByteArray newBytes = QByteArray::fromStdString(savedBytes(doc));
    ASSERT_NE(oldBytes, newBytes);

    auto prepare = [&] {
        KFileFaults::clear();
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        ASSERT_TRUE(old.OnSaveDocument(club()));
        ASSERT_TRUE(old.OnSaveDocument(club())); // a backup and a generation exist
        doc.SetModifiedFlag(true);
    };
    prepare();
    ASSERT_TRUE(doc.OnSaveDocument(club()));
    std::map<FileStep, int> counts;
    for (FileStep step : {FileStep::Write, FileStep::Flush, FileStep::Sync, FileStep::Rename,
                          FileStep::Remove})
        counts[step] = KFileFaults::count(step);
    ASSERT_GT(counts[FileStep::Write], 2);
    ASSERT_GE(counts[FileStep::Rename], 3);

    const QString generations = KBackups::generationFolder(club());
    for (const auto& [step, count] : counts) {
        for (int k = 1; k <= count; ++k) {
            prepare();
            const std::string at =
                "step " + std::to_string(static_cast<int>(step)) + " k " + std::to_string(k);
            KFileFaults::failAt(step, k, ENOSPC);
            KFileReport report;
            const KResult saved = doc.OnSaveDocument(club(), &report);
            KFileFaults::clear();

            const QByteArray now = readAll(club());
            EXPECT_TRUE(now == oldBytes || now == newBytes) << at;
            if (saved) {
                EXPECT_FALSE(doc.IsModified()) << at;
                EXPECT_LE(report.messages.size(), 1) << at;
            } else {
                EXPECT_TRUE(doc.IsModified()) << at;
                EXPECT_TRUE(report.messages.isEmpty()) << at;
                EXPECT_TRUE(saved.reason().contains(QStringLiteral("de schijf is vol"))) << at;
                EXPECT_TRUE(saved.reason().contains(QStringLiteral("Maak ruimte vrij"))) << at;
            }
            EXPECT_TRUE(loads(backupPathFor(club()))) << at;
            for (const auto& generation : KBackups::generations(club()))
                EXPECT_TRUE(loads(generation.path)) << at;
            const QStringList hidden = {QStringLiteral(".*")};
            EXPECT_EQ(QDir(m_dir.path()).entryList(hidden, QDir::Files | QDir::Hidden),
                      QStringList())
                << at;
            EXPECT_EQ(QDir(generations).entryList(hidden, QDir::Files | QDir::Hidden),
                      QStringList())
                << at;
        }
    }
}

// A disk that really fills up: a small memory disk where the test may make one.
TEST_F(SharedFileTest, AFullDiskLeavesTheOldFileAndSaysWhatToDo) {
    const QString disk = path(QStringLiteral("schijf"));
    QDir().mkpath(disk);
    const QByteArray diskName = QFile::encodeName(disk);
    if (::geteuid() != 0 ||
        QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                                    QStringLiteral("-o"),
                                                    QStringLiteral("size=1536k"),
                                                    QStringLiteral("tmpfs"), disk}) != 0)
        GTEST_SKIP() << "no memory disk can be made here; the fault layer stands in for it";
    struct Unmount {
        QString disk;
        ~Unmount() { QProcess::execute(QStringLiteral("umount"), {disk}); }
    } unmount{disk};

    const QString file = QDir(disk).filePath(QStringLiteral("club.kvl"));
    CKorvelDoc small;
    ClubGenerator(3).generate(small, 150);
    ASSERT_TRUE(small.OnSaveDocument(file));
    ASSERT_TRUE(small.OnSaveDocument(file));
    const QByteArray before = readAll(file);
    ClubGenerator(4).generate(doc, 3000);
    const KResult saved = doc.OnSaveDocument(file);
    ASSERT_TRUE(saved.isFailed());
    EXPECT_TRUE(saved.reason().contains(QStringLiteral("de schijf is vol")))
        << saved.reason().toStdString();
    EXPECT_TRUE(saved.reason().contains(QStringLiteral("Maak ruimte vrij")));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(readAll(file), before);
    EXPECT_TRUE(loads(backupPathFor(file)));
    EXPECT_EQ(QDir(disk).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden),
              QStringList());
}
