#include "core/document/CKorvelDoc.h"
#include "core/generate/ClubGenerator.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/FileBytes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>

#include <sys/wait.h>
#include <unistd.h>

namespace {

void sleepNs(long long ns) {
    timespec t{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    while (::nanosleep(&t, &t) != 0) {
    }
}

class KillDuringSave : public DocFixture {};

} // namespace

// A save killed at any moment leaves a member file that loads and holds the old bytes or the
// new, and a backup that loads.
TEST_F(KillDuringSave, TheFileHoldsTheOldBytesOrTheNew) {
    QTemporaryDir dir;
    const QString club = dir.filePath(QStringLiteral("club.kvl"));
    CKorvelDoc old;
    ClubGenerator(1).generate(old, 10000);
    ClubGenerator(2).generate(doc, 10000);
    const QByteArray oldBytes = QByteArray::fromStdString(savedBytes(old));
    const QByteArray newBytes = QByteArray::fromStdString(savedBytes(doc));
    ASSERT_NE(oldBytes, newBytes);

    // How long a save takes here, so the kills spread over all of it.
    ASSERT_TRUE(old.OnSaveDocument(club));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(doc.OnSaveDocument(club));
    const qint64 saveNs = std::max<qint64>(clock.nsecsElapsed(), 1000000);

    constexpr int kKills = 20;
    int sawOld = 0;
    int sawNew = 0;
    for (int i = 0; i < kKills; ++i) {
        ASSERT_TRUE(old.OnSaveDocument(club));
        ASSERT_TRUE(old.OnSaveDocument(club));
        doc.SetModifiedFlag(true);
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            const char go = 'g';
            (void)::write(ready[1], &go, 1);
            const bool saved = doc.OnSaveDocument(club).isDone();
            ::_exit(saved ? 0 : 1);
        }
        ::close(ready[1]);
        char go = 0;
        ASSERT_EQ(::read(ready[0], &go, 1), 1);
        ::close(ready[0]);
        // From just after the start to well past the end (a forked save starts slower).
        sleepNs(saveNs * i * 25 / (10 * (kKills - 1)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const QByteArray now = readAll(club);
        const std::string at = "kill " + std::to_string(i);
        EXPECT_TRUE(now == oldBytes || now == newBytes) << at;
        sawOld += now == oldBytes;
        sawNew += now == newBytes;
        CKorvelDoc loaded;
        EXPECT_TRUE(loaded.OnOpenDocument(club)) << at;
        CKorvelDoc backup;
        EXPECT_TRUE(backup.OnOpenDocument(backupPathFor(club))) << at;
    }
    // Shown, not asserted: where the kills fell depends on the machine.
    std::printf("old %d, new %d of %d kills over a save of %lld ms\n", sawOld, sawNew, kKills,
                static_cast<long long>(saveNs / 1000000));
}
