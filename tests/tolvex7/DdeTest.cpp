#include "tolvex7/DdeShared.h"
#include "tolvex7/DdeWire.h"
#include "tolvex7/KDdeClient.h"
#include "tolvex7/KDdeServer.h"

#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#if defined(Q_OS_LINUX)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

static_assert(!std::is_copy_constructible_v<KDdeServer> && !std::is_copy_assignable_v<KDdeServer>);
static_assert(!std::is_copy_constructible_v<KDdeClient> && !std::is_copy_assignable_v<KDdeClient>);

namespace {

// A service name no other test, here or in a test program running beside this one, uses.
std::string uniqueService(const char* what) {
    static int counter = 0;
    return QStringLiteral("korvel-test-%1-%2-%3")
        .arg(QCoreApplication::applicationPid())
        .arg(QLatin1String(what))
        .arg(++counter)
        .toStdString();
}

bool waitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 5000);
}

class RecordingServer : public KDdeServer {
public:
    explicit RecordingServer(const std::string& service, const char* topic = "Leden")
        : KDdeServer(service.c_str(), topic) {}

    std::vector<std::string> executed;
    std::vector<std::string> requested;
    std::vector<std::pair<std::string, std::string>> poked;
    std::map<std::string, std::string> answers;
    std::function<void()> onExecute;

protected:
    void OnExecute(const void* data) override {
        executed.emplace_back(static_cast<const char*>(data));
        if (onExecute)
            onExecute();
    }
    const char* OnRequest(const char* item) override {
        requested.emplace_back(item);
        const auto found = answers.find(item);
        return found == answers.end() ? nullptr : found->second.c_str();
    }
    void OnPoke(const char* item, const void* data) override {
        poked.emplace_back(item, static_cast<const char*>(data));
    }
};

class RecordingClient : public KDdeClient {
public:
    explicit RecordingClient(const std::string& service, const char* topic = "Leden")
        : KDdeClient(service.c_str(), topic) {}

    std::vector<std::string> data;
    std::function<void()> onData;

protected:
    void OnData(const char* text) override {
        data.emplace_back(text);
        if (onData)
            onData();
    }
};

// Answers the Alert that the next statement shows and keeps its text.
class AlertAnswer {
public:
    AlertAnswer()
        : m_answer([this](QWidget* box) {
              if (auto* message = qobject_cast<QMessageBox*>(box))
                  m_text = message->text();
              ModalAnswer::click(box, QStringLiteral("OK"));
          }) {}
    QString text() const { return m_text; }

private:
    QString m_text;
    ModalAnswer m_answer;
};

// A peer that speaks the wire protocol by hand, however badly the test wants.
class RawPeer {
public:
    explicit RawPeer(const std::string& service) {
        m_socket.connectToServer(DdeShared::socketPath(service.c_str()));
        EXPECT_TRUE(m_socket.waitForConnected(5000));
    }
    void send(const std::string& bytes) {
        m_socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
        m_socket.flush();
    }
    // The next frame from the server; nothing when the server ended the conversation first.
    std::optional<DdeWire::Frame> receive() {
        DdeWire::Frame frame;
        bool ready = false;
        waitFor([&] {
            const QByteArray bytes = m_socket.readAll();
            m_reader.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
            ready = m_reader.next(frame) == DdeWire::FrameReader::Status::Ready;
            return ready || m_socket.state() == QLocalSocket::UnconnectedState;
        });
        return ready ? std::optional(frame) : std::nullopt;
    }
    bool ended() {
        return waitFor([&] { return m_socket.state() == QLocalSocket::UnconnectedState; });
    }
    void close() { m_socket.abort(); }

private:
    QLocalSocket m_socket;
    DdeWire::FrameReader m_reader;
};

class Dde : public testing::Test {
protected:
    Dde() { guiApplication(); }
};

} // namespace

TEST_F(Dde, ServerAndClientInOneProgram) {
    const std::string service = uniqueService("rondgang");
    RecordingServer server(service);
    server.answers["naam"] = "Korvel";
    ASSERT_TRUE(server.isRegistered());
    EXPECT_EQ(server.slot(), 0);
    RecordingClient client(service);
    EXPECT_EQ(client.slot(), 10);
    EXPECT_FALSE(client.isConnected()) << "no connection before the first call";

    EXPECT_EQ(client.Execute("open leden"), KDdeClient::kSent);
    EXPECT_TRUE(client.isConnected());
    ASSERT_TRUE(waitFor([&] { return !server.executed.empty(); }));
    EXPECT_EQ(server.executed, std::vector<std::string>{"open leden"});

    const char* answer = client.Request("naam", 5000);
    ASSERT_NE(answer, nullptr) << "the server on the same thread answers while Request waits";
    EXPECT_STREQ(answer, "Korvel");
    EXPECT_EQ(client.Request("onbekend", 5000), nullptr);
    EXPECT_EQ(server.requested, (std::vector<std::string>{"naam", "onbekend"}));

    EXPECT_EQ(client.Poke("status", "bezig"), KDdeClient::kSent);
    ASSERT_TRUE(waitFor([&] { return !client.data.empty(); }));
    EXPECT_EQ(server.poked, (std::vector<std::pair<std::string, std::string>>{{"status", "bezig"}}));
    EXPECT_EQ(client.data, std::vector<std::string>{"bezig"}) << "a handled poke is reported";
    EXPECT_EQ(server.conversationCount(), 1) << "one conversation for every call";
    EXPECT_EQ(client.Execute(nullptr), KDdeClient::kFailed);
    EXPECT_EQ(client.Execute(std::string(DdeWire::kMaxPayload, 'x').c_str()), KDdeClient::kFailed);
}

TEST_F(Dde, LongAnswersAreCutTo999InOneSharedBuffer) {
    const std::string service = uniqueService("lang");
    RecordingServer server(service);
    server.answers["lang"] = std::string(1500, 'a') + "einde";
    server.answers["kort"] = "kort";
    RecordingClient first(service);
    RecordingClient second(service);
    const char* answer = first.Request("lang", 5000);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(std::string(answer), std::string(999, 'a'));
    const char* other = second.Request("kort", 5000);
    EXPECT_EQ(other, answer) << "every client answers in the same buffer";
    EXPECT_STREQ(answer, "kort");
    EXPECT_EQ(first.Request(std::string(256, 'i').c_str(), 5000), nullptr)
        << "an item name longer than a DDE name cannot be asked for";
}

TEST_F(Dde, TopicIsCheckedAtConnection) {
    const std::string service = uniqueService("onderwerp");
    RecordingServer server(service);
    server.answers["naam"] = "Korvel";
    RecordingClient stranger(service, "Anders");
    EXPECT_EQ(stranger.Execute("open"), KDdeClient::kNoConnection);
    EXPECT_EQ(stranger.Request("naam", 5000), nullptr);
    EXPECT_EQ(stranger.Poke("status", "x"), KDdeClient::kNoConnection);
    EXPECT_FALSE(stranger.isConnected());

    RecordingClient shouting(QString::fromStdString(service).toUpper().toStdString(), "LEDEN");
    ASSERT_NE(shouting.Request("naam", 5000), nullptr) << "names are not case-sensitive";
    EXPECT_EQ(server.requested, std::vector<std::string>{"naam"}) << "only the right topic";
    EXPECT_TRUE(server.executed.empty());
}

TEST_F(Dde, ClientConnectsWhenTheServerComesAndAgainAfterItWent) {
    const std::string service = uniqueService("later");
    RecordingClient client(service);
    EXPECT_EQ(client.Execute("eerste"), KDdeClient::kNoConnection);
    EXPECT_EQ(client.Poke("a", "b"), KDdeClient::kNoConnection);

    auto server = std::make_unique<RecordingServer>(service);
    EXPECT_EQ(client.Execute("tweede"), KDdeClient::kSent) << "the next call tries again";
    ASSERT_TRUE(waitFor([&] { return server->executed.size() == 1; }));
    EXPECT_EQ(server->executed[0], "tweede");

    server.reset();
    ASSERT_TRUE(waitFor([&] { return !client.isConnected(); })) << "the client notices";
    EXPECT_EQ(client.Execute("derde"), KDdeClient::kNoConnection);

    RecordingServer again(service);
    EXPECT_EQ(client.Execute("vierde"), KDdeClient::kSent);
    ASSERT_TRUE(waitFor([&] { return again.executed.size() == 1; }));
    EXPECT_EQ(again.executed[0], "vierde");
}

TEST_F(Dde, TenServersAndTenClientsAtATime) {
    std::vector<std::unique_ptr<RecordingServer>> servers;
    std::vector<std::unique_ptr<RecordingClient>> clients;
    const std::string service = uniqueService("tien");
    for (int i = 0; i < 10; ++i) {
        servers.push_back(std::make_unique<RecordingServer>(service + "-" + std::to_string(i)));
        clients.push_back(std::make_unique<RecordingClient>(service + "-0"));
        EXPECT_EQ(servers.back()->slot(), i);
        EXPECT_EQ(clients.back()->slot(), 10 + i);
    }
    {
        AlertAnswer alert;
        RecordingServer eleventh(service + "-10");
        EXPECT_EQ(alert.text(), "There are too many DDE Servers active");
        EXPECT_FALSE(eleventh.isRegistered());
        EXPECT_EQ(eleventh.slot(), -1);
    }
    {
        AlertAnswer alert;
        RecordingClient eleventh(service + "-0");
        EXPECT_EQ(alert.text(), "There are too many DDE Clients active");
        EXPECT_FALSE(eleventh.isUsable());
        EXPECT_EQ(eleventh.Execute("open"), KDdeClient::kNoConnection);
    }
    EXPECT_EQ(clients[9]->Execute("nog steeds"), KDdeClient::kSent) << "the ten keep working";
    ASSERT_TRUE(waitFor([&] { return servers[0]->executed.size() == 1; }));

    servers[3].reset();
    clients[5].reset();
    RecordingServer replacement(service + "-3");
    RecordingClient newcomer(service + "-3");
    EXPECT_EQ(replacement.slot(), 3) << "a new server takes the freed slot";
    EXPECT_EQ(newcomer.slot(), 15);
    EXPECT_EQ(newcomer.Execute("hallo"), KDdeClient::kSent);
    ASSERT_TRUE(waitFor([&] { return replacement.executed.size() == 1; }));
}

TEST_F(Dde, ServiceNamesThatCannotBeOffered) {
    const std::string service = uniqueService("dubbel");
    RecordingServer first(service);
    {
        AlertAnswer alert;
        RecordingServer second(service, "Ander onderwerp");
        EXPECT_EQ(alert.text(), QStringLiteral("De DDE-dienst \"%1\" kan niet worden aangemeld: de "
                                               "naam is al in gebruik.")
                                    .arg(QString::fromStdString(service)));
        EXPECT_FALSE(second.isRegistered());
        EXPECT_EQ(second.slot(), -1) << "a failed construction holds no slot";
    }
    EXPECT_TRUE(first.isRegistered());
    for (const char* name : {"", "a/b", "..", "x\\y"}) {
        AlertAnswer alert;
        RecordingServer bad(name);
        EXPECT_TRUE(alert.text().endsWith("de naam is ongeldig.")) << name;
        EXPECT_FALSE(bad.isRegistered()) << name;
        RecordingClient client(name);
        EXPECT_EQ(client.Execute("open"), KDdeClient::kNoConnection) << name;
    }
}

#if defined(Q_OS_LINUX)
// Without a runtime folder the sockets go to a folder of the user's own in the temporary
// folder, never to the shared temporary folder itself.
TEST_F(Dde, WithoutARuntimeFolderTheSocketsGetAUserOnlyFolder) {
    QTemporaryDir temp;
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const QString folder = DdeShared::serviceFolder(QString());
    EXPECT_EQ(folder, temp.path() + QStringLiteral("/tolvex7-dde-%1").arg(::getuid()));
    EXPECT_EQ(DdeShared::serviceFolder(QStringLiteral("/run/user/1000")),
              QStringLiteral("/run/user/1000/tolvex7-dde"));

    const QString socket = folder + QStringLiteral("/dienst");
    ASSERT_TRUE(DdeShared::prepareFolder(socket));
    EXPECT_EQ(QFileInfo(folder).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A folder of the user's left open to others is closed again.
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::permissions(folder) | QFile::ReadOther |
                                                  QFile::WriteOther | QFile::ExeOther));
    ASSERT_TRUE(DdeShared::prepareFolder(socket));
    EXPECT_FALSE(QFileInfo(folder).permissions() & (QFile::ReadOther | QFile::WriteOther));

    // A link put there beforehand (by another user, say) is not followed.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.path(), folder));
    EXPECT_FALSE(DdeShared::prepareFolder(socket));
    ASSERT_TRUE(QFile::remove(folder));

    // A server can be offered there and found by a client.
    QLocalServer server;
    ASSERT_TRUE(DdeShared::prepareFolder(socket));
    EXPECT_TRUE(server.listen(socket));
    server.close();
    if (oldTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTemp);
}

TEST_F(Dde, SocketLeftByAServerThatDiedIsTakenOver) {
    const std::string service = uniqueService("dood");
    const QString path = DdeShared::socketPath(service.c_str());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    // A bound socket nobody listens on, as a crashed server leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(static_cast<std::size_t>(name.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(path));

    RecordingServer server(service);
    EXPECT_TRUE(server.isRegistered());
    RecordingClient client(service);
    EXPECT_EQ(client.Execute("open"), KDdeClient::kSent);
}
#endif

TEST_F(Dde, ServerSurvivesPeersThatBreakTheProtocol) {
    const std::string service = uniqueService("vijandig");
    RecordingServer server(service);
    server.answers["naam"] = "Korvel";
    {
        RawPeer peer(service);
        peer.send(*DdeWire::hello("Leden"));
        ASSERT_TRUE(peer.receive());
        // A length of 4 GB: refused at the header, without waiting for the bytes.
        std::string header(1, static_cast<char>(DdeWire::FrameType::Execute));
        DdeWire::appendU32(header, 0xFFFFFFFFu);
        peer.send(header);
        EXPECT_TRUE(peer.ended());
    }
    {
        RawPeer peer(service);
        peer.send(*DdeWire::transaction(DdeWire::FrameType::Request, 42, "naam"));
        const auto refusal = peer.receive();
        ASSERT_TRUE(refusal) << "a transaction without hello is refused";
        EXPECT_EQ(DdeWire::parseReply(refusal->payload)->status, DdeWire::ReplyStatus::Refused);
        EXPECT_TRUE(peer.ended());
    }
    {
        // A peer that stops in the middle of a frame and goes away.
        RawPeer peer(service);
        peer.send(*DdeWire::hello("Leden"));
        ASSERT_TRUE(peer.receive());
        peer.send(DdeWire::transaction(DdeWire::FrameType::Execute, 1, "open")->substr(0, 7));
        ASSERT_TRUE(waitFor([&] { return server.conversationCount() == 1; }));
        peer.close();
    }
    ASSERT_TRUE(waitFor([&] { return server.conversationCount() == 0; }));

    RawPeer waiting(service); // stays in the middle of a frame while others are served
    waiting.send(*DdeWire::hello("Leden") + "\3\x40");
    RecordingClient client(service);
    const char* answer = client.Request("naam", 5000);
    ASSERT_NE(answer, nullptr);
    EXPECT_STREQ(answer, "Korvel");
    EXPECT_TRUE(server.executed.empty()) << "no cut or refused transaction reached a handler";
}

namespace {

// Plays a server that answers the hello and then whatever the test wants.
class FakeServer {
public:
    FakeServer(const std::string& service, std::function<std::string(const DdeWire::Frame&)> answer)
        : m_answer(std::move(answer)) {
        const QString path = DdeShared::socketPath(service.c_str());
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(m_server.listen(path));
        QObject::connect(&m_server, &QLocalServer::newConnection, [this] {
            QLocalSocket* socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                const QByteArray bytes = socket->readAll();
                m_reader.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
                DdeWire::Frame frame;
                while (m_reader.next(frame) == DdeWire::FrameReader::Status::Ready) {
                    const std::string out = frame.type == DdeWire::FrameType::Hello
                                                ? DdeWire::helloReply(true)
                                                : m_answer(frame);
                    socket->write(out.data(), static_cast<qint64>(out.size()));
                    socket->flush();
                }
            });
        });
    }

private:
    QLocalServer m_server;
    DdeWire::FrameReader m_reader;
    std::function<std::string(const DdeWire::Frame&)> m_answer;
};

} // namespace

TEST_F(Dde, ClientSurvivesServersThatBreakTheProtocol) {
    struct Case {
        const char* what;
        std::function<std::string(std::uint32_t id)> answer;
    };
    const Case cases[] = {
        {"a length of 4 GB",
         [](std::uint32_t) {
             std::string out(1, static_cast<char>(DdeWire::FrameType::Reply));
             DdeWire::appendU32(out, 0xFFFFFFFFu);
             return out;
         }},
        {"a frame a server does not send",
         [](std::uint32_t id) { return *DdeWire::transaction(DdeWire::FrameType::Execute, id, "x"); }},
        {"a reply without status", [](std::uint32_t) { return *DdeWire::encode(DdeWire::FrameType::Reply, "ab"); }},
        {"half a reply, then silence",
         [](std::uint32_t id) { return DdeWire::reply(id, DdeWire::ReplyStatus::Done, "antwoord").substr(0, 8); }},
    };
    for (const Case& c : cases) {
        const std::string service = uniqueService("nep");
        FakeServer fake(service, [&](const DdeWire::Frame& frame) {
            return c.answer(DdeWire::readU32(frame.payload, 0));
        });
        RecordingClient client(service);
        EXPECT_EQ(client.Request("naam", 300), nullptr) << c.what;
        EXPECT_FALSE(client.isConnected()) << c.what << ": the conversation is given up";
    }
}

TEST_F(Dde, HandlersMayDestroyTheirOwnObject) {
    const std::string service = uniqueService("zelf");
    auto server = std::make_unique<RecordingServer>(service);
    auto client = std::make_unique<RecordingClient>(service);
    client->onData = [&] { client.reset(); };
    ASSERT_EQ(client->Poke("status", "klaar"), KDdeClient::kSent);
    ASSERT_TRUE(waitFor([&] { return !client; }));

    // The server goes while it handles the execute; the request behind it is never answered.
    RecordingClient other(service);
    server->answers["naam"] = "Korvel";
    server->onExecute = [&] { server.reset(); };
    ASSERT_EQ(other.Execute("stop"), KDdeClient::kSent);
    EXPECT_EQ(other.Request("naam", 20000), nullptr);
    EXPECT_FALSE(server);
    EXPECT_FALSE(other.isConnected());
}
