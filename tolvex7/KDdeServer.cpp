#include "tolvex7/KDdeServer.h"

#include "platform/CodePage.h"
#include "tolvex7/DdeShared.h"
#include "tolvex7/DdeWire.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

namespace {

// More clients than this at once are turned away at the door.
constexpr int kMaxConversations = 64;
// A client must say hello, and finish every frame it starts, within this time.
constexpr int kStallMs = 10000;
constexpr qint64 kReadChunk = 16 * 1024;
// Replies a client leaves unread beyond this stop the reading of its transactions until it
// catches up, so a client that never reads cannot make the server hold more.
constexpr qint64 kMaxUnsent = 4 * static_cast<qint64>(DdeWire::kMaxPayload);

} // namespace

class DdeConversation;

class KDdeServerPrivate final : public DdeWire::ServerHandler {
public:
    explicit KDdeServerPrivate(KDdeServer& q) : q(q) {}
    ~KDdeServerPrivate();

    void start(const char* service, const char* topic);
    void accept();

    bool acceptTopic(std::string_view requested) override {
        return DdeShared::sameName(topicName, CodePage::toQString(requested));
    }
    void execute(const char* data) override { q.OnExecute(data); }
    const char* request(const char* item) override { return q.OnRequest(item); }
    void poke(const char* item, const char* data) override { q.OnPoke(item, data); }

    KDdeServer& q;
    int slot = -1;
    int conversations = 0;
    QString topicName;
    std::unique_ptr<QLocalServer> server;
};

// One connected client: its socket and the server's reading of what it sends.
class DdeConversation : public QObject {
public:
    DdeConversation(KDdeServerPrivate& owner, QLocalSocket* socket)
        : QObject(owner.server.get()), m_owner(owner), m_session(owner), m_socket(socket) {
        ++m_owner.conversations;
        socket->setParent(this);
        connect(socket, &QLocalSocket::readyRead, this, &DdeConversation::read);
        connect(socket, &QLocalSocket::bytesWritten, this, &DdeConversation::read);
        connect(socket, &QLocalSocket::disconnected, this, &DdeConversation::end);
        m_stall.setSingleShot(true);
        m_stall.setInterval(kStallMs);
        connect(&m_stall, &QTimer::timeout, this, &DdeConversation::end);
        m_stall.start();
        read();
    }

    ~DdeConversation() override {
        if (!m_ended)
            --m_owner.conversations;
    }

    // The server goes. A socket whose signal is being handled further up the stack, because
    // a handler destroyed its server, is not deleted under that signal but later.
    void release() {
        if (!m_reading)
            return;
        QObject::disconnect(m_socket, nullptr, this, nullptr);
        m_socket->setParent(nullptr);
        m_socket->abort();
        m_socket->deleteLater();
    }

private:
    void read() {
        // A handler that runs an event loop may bring more bytes; the loop below takes them
        // when the handler has returned.
        if (m_reading || m_ended)
            return;
        m_reading = true;
        const QPointer<DdeConversation> self(this);
        for (;;) {
            if (!handleFrames(self))
                return;
            if (m_socket->bytesToWrite() > kMaxUnsent || m_socket->bytesAvailable() <= 0)
                break;
            const QByteArray chunk = m_socket->read(kReadChunk);
            m_session.feed(std::string_view(chunk.constData(), static_cast<std::size_t>(chunk.size())));
        }
        m_reading = false;
        if (!m_session.connected() || m_session.partial()) {
            if (!m_stall.isActive())
                m_stall.start();
        } else {
            m_stall.stop();
        }
    }

    // Handles the frames read so far; false when the conversation or the server is gone.
    bool handleFrames(const QPointer<DdeConversation>& self) {
        for (;;) {
            std::string out;
            const auto step = m_session.step(out);
            if (!self)
                return false;
            if (!out.empty() && m_socket->write(out.data(), static_cast<qint64>(out.size())) < 0) {
                end();
                return false;
            }
            if (step == DdeWire::ServerSession::Step::Close) {
                end();
                return false;
            }
            if (step == DdeWire::ServerSession::Step::NeedMore)
                return true;
            m_socket->flush();
        }
    }

    void end() {
        if (m_ended)
            return;
        m_ended = true;
        --m_owner.conversations;
        m_stall.stop();
        m_socket->flush();
        m_socket->disconnectFromServer();
        deleteLater();
    }

    KDdeServerPrivate& m_owner;
    DdeWire::ServerSession m_session;
    QLocalSocket* m_socket;
    QTimer m_stall;
    bool m_reading = false;
    bool m_ended = false;
};

KDdeServerPrivate::~KDdeServerPrivate() {
    // The conversations are children of the server and go with it.
    if (server) {
        for (QObject* child : server->children())
            if (auto* conversation = dynamic_cast<DdeConversation*>(child))
                conversation->release();
    }
    server.reset();
    DdeShared::releaseSlots(&q);
}

namespace {

bool someoneAnswers(const QString& path) {
    QLocalSocket probe;
    probe.connectToServer(path);
    const bool answers =
        probe.state() == QLocalSocket::ConnectedState || probe.waitForConnected(1000);
    probe.abort();
    return answers;
}

} // namespace

void KDdeServerPrivate::start(const char* service, const char* topic) {
    slot = DdeShared::takeSlot(DdeShared::Kind::Server, &q);
    if (slot < 0) {
        DdeShared::report(QStringLiteral("There are too many DDE Servers active"));
        return;
    }
    if (!DdeShared::canRun()) {
        DdeShared::releaseSlots(&q);
        slot = -1;
        DdeShared::report(QStringLiteral("DdeInitialize failed"));
        return;
    }
    const QString name = CodePage::toQString(service ? service : "");
    const QString path = DdeShared::socketPath(service);
    QString reason;
    if (path.isEmpty()) {
        reason = QStringLiteral("de naam is ongeldig");
    } else if (!DdeShared::prepareFolder(path)) {
        reason = QStringLiteral("de map voor de dienst kan niet worden gemaakt");
    } else if (someoneAnswers(path)) {
        // Qt would put its socket in the other server's place without a word.
        reason = QStringLiteral("de naam is al in gebruik");
    } else if (QFileInfo(path).isAbsolute() && QFileInfo::exists(path) &&
               !DdeShared::isLeftOverSocket(path)) {
        reason = QStringLiteral("de naam is al in gebruik");
    } else {
        // A socket nobody answers on was left by a server that ended without closing.
        QLocalServer::removeServer(path);
        server = std::make_unique<QLocalServer>();
        server->setSocketOptions(QLocalServer::UserAccessOption);
        if (!server->listen(path)) {
            reason = server->errorString();
            server.reset();
        }
    }
    if (!server) {
        DdeShared::releaseSlots(&q);
        slot = -1;
        DdeShared::report(QStringLiteral("De DDE-dienst \"%1\" kan niet worden aangemeld: %2.")
                              .arg(name, reason));
        return;
    }
    topicName = CodePage::toQString(topic ? topic : "");
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(), [this] { accept(); });
}

void KDdeServerPrivate::accept() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        if (conversations >= kMaxConversations) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        new DdeConversation(*this, socket);
    }
}

KDdeServer::KDdeServer(const char* service, const char* topic)
    : d(std::make_unique<KDdeServerPrivate>(*this)) {
    d->start(service, topic);
}

KDdeServer::~KDdeServer() = default;

bool KDdeServer::isRegistered() const {
    return d->server != nullptr;
}

int KDdeServer::slot() const {
    return d->slot;
}

int KDdeServer::conversationCount() const {
    return d->conversations;
}
