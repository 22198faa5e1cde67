// The channel on which a later start of the program hands its file to the Korvel that runs:
// what arrives, who may listen, and what is refused.
#include "app/KorvelAppChannel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

namespace {

// Lets the running side answer until done says so, or a bound is reached.
void pumpUntil(const std::function<bool()>& done) {
    for (int round = 0; round < 1000 && !done(); ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

// A later start of the program, in a thread of its own: it waits for the answer of the
// running side, which answers from this thread's events.
KResult handOverFromAnotherStart(const QString& folder, const QStringList& paths) {
    KResult result;
    std::atomic<bool> finished = false;
    std::thread start([&] {
        result = KorvelAppChannel(folder).handOver(paths);
        finished = true;
    });
    pumpUntil([&] { return finished.load(); });
    start.join();
    return result;
}

QByteArray frame(const QByteArray& body, quint32 length) {
    char bytes[4];
    qToLittleEndian(length, bytes);
    return QByteArray("KVL1") + QByteArray(bytes, 4) + body;
}

QByteArray frame(const QByteArray& body) {
    return frame(body, static_cast<quint32>(body.size()));
}

class KorvelAppChannelTest : public testing::Test {
protected:
    QString folder() const { return m_root.filePath(QStringLiteral("korvel")); }
    QTemporaryDir m_root;
};

TEST_F(KorvelAppChannelTest, ALaterStartHandsItsFilesToTheRunningProgram) {
    KorvelAppChannel running(folder());
    ASSERT_TRUE(running.listen().isDone());
    EXPECT_TRUE(running.isListening());
    QSignalSpy arrived(&running, &KorvelAppChannel::filesArrived);

    // Names as the file system holds them, whatever their letters.
    const QStringList paths{QStringLiteral("/leden/Tafeltennisvereniging Één.kvl"),
                            QStringLiteral("/leden/oud\nbestand.kvl")};
    const KResult handed = handOverFromAnotherStart(folder(), paths);
    EXPECT_TRUE(handed.isDone()) << handed.reason().toStdString();
    pumpUntil([&] { return arrived.count() > 0; });
    ASSERT_EQ(arrived.count(), 1);
    EXPECT_EQ(arrived.at(0).at(0).toStringList(), paths);

    // Only the user may enter the folder and the socket.
    const QFileDevice::Permissions others =
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_FALSE(QFileInfo(folder()).permissions() & others);
}

TEST_F(KorvelAppChannelTest, WithoutARunningProgramNothingIsHandedOver) {
    EXPECT_EQ(KorvelAppChannel(folder()).handOver({QStringLiteral("/a.kvl")}).outcome(),
              KOutcome::NothingToDo);

    // A program that has ended leaves nothing to hand over to.
    {
        KorvelAppChannel ended(folder());
        ASSERT_TRUE(ended.listen().isDone());
    }
    EXPECT_EQ(handOverFromAnotherStart(folder(), {QStringLiteral("/a.kvl")}).outcome(),
              KOutcome::NothingToDo);
}

TEST_F(KorvelAppChannelTest, OneProgramListensAndASocketLeftBehindIsTakenOver) {
    {
        KorvelAppChannel first(folder());
        ASSERT_TRUE(first.listen().isDone());
        KorvelAppChannel second(folder());
        EXPECT_EQ(second.listen().outcome(), KOutcome::NothingToDo);
        EXPECT_FALSE(second.isListening());
        EXPECT_TRUE(first.isListening());
    }

    // A program that ended without closing its socket: the file is there, nobody listens.
    KorvelAppChannel next(folder());
    const QByteArray path = QFile::encodeName(next.socketPath());
    const int left = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(left, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(left, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(left);
    ASSERT_TRUE(QFile::exists(next.socketPath()));

    ASSERT_TRUE(next.listen().isDone());
    QSignalSpy arrived(&next, &KorvelAppChannel::filesArrived);
    EXPECT_TRUE(handOverFromAnotherStart(folder(), {QStringLiteral("/b.kvl")}).isDone());
    pumpUntil([&] { return arrived.count() > 0; });
    EXPECT_EQ(arrived.count(), 1);
}

TEST_F(KorvelAppChannelTest, AFolderOthersMayEnterIsNotUsed) {
    ASSERT_TRUE(QDir().mkdir(folder()));
    ASSERT_TRUE(QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                    QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                    QFileDevice::ExeOther));
    KorvelAppChannel channel(folder());
    const KResult listening = channel.listen();
    EXPECT_TRUE(listening.isFailed());
    EXPECT_TRUE(listening.reason().contains(QDir::toNativeSeparators(folder())));
    EXPECT_FALSE(channel.isListening());
    EXPECT_TRUE(channel.handOver({QStringLiteral("/a.kvl")}).isFailed());
    EXPECT_FALSE(QFile::exists(channel.socketPath()));
}

// Whatever else reaches the socket opens nothing, and the program goes on listening.
TEST_F(KorvelAppChannelTest, MessagesThatAreNoHandOverOpenNothing) {
    KorvelAppChannel running(folder());
    ASSERT_TRUE(running.listen().isDone());
    QSignalSpy arrived(&running, &KorvelAppChannel::filesArrived);

    const struct {
        const char* what;
        QByteArray bytes;
    } refused[] = {
        {"another kind of message", QByteArray("GET / HTTP/1.0\r\n\r\n")},
        {"no paths", frame(QByteArray())},
        {"a body longer than any list of paths", frame(QByteArray("/a.kvl", 7), 1u << 30)},
        {"a path relative to a folder unknown here", frame(QByteArray("club.kvl", 9))},
        {"an empty path", frame(QByteArray("/a.kvl\0\0", 8))},
        {"a path without its end", frame(QByteArray("/a.kvl"))},
    };
    for (const auto& message : refused) {
        SCOPED_TRACE(message.what);
        QLocalSocket sender;
        sender.connectToServer(running.socketPath());
        ASSERT_TRUE(sender.waitForConnected(1000));
        sender.write(message.bytes);
        sender.flush();
        pumpUntil([&] { return sender.state() == QLocalSocket::UnconnectedState; });
        EXPECT_EQ(sender.state(), QLocalSocket::UnconnectedState);
        EXPECT_EQ(sender.readAll(), QByteArray());
        EXPECT_EQ(arrived.count(), 0);
    }

    EXPECT_TRUE(handOverFromAnotherStart(folder(), {QStringLiteral("/a.kvl")}).isDone());
    pumpUntil([&] { return arrived.count() > 0; });
    ASSERT_EQ(arrived.count(), 1);
    EXPECT_EQ(arrived.at(0).at(0).toStringList(), QStringList{QStringLiteral("/a.kvl")});
}

} // namespace
