#include "tolvex7/KDdeClient.h"

#include "tolvex7/DdeShared.h"
#include "tolvex7/DdeWire.h"

#include <QEventLoop>
#include <QLocalSocket>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace {

// How long connecting, with the server's answer to the topic, may take.
constexpr int kConnectMs = 5000;
constexpr qint64 kReadChunk = 16 * 1024;
constexpr std::size_t kAnswerBuffer = 1000;

// The answer of the last Request of any client.
char g_answer[kAnswerBuffer];

} // namespace

class KDdeClientPrivate {
public:
    explicit KDdeClientPrivate(KDdeClient& q) : q(q) {}

    ~KDdeClientPrivate() {
        *alive = false;
        endWaits();
        dropSocket();
        DdeShared::releaseSlots(&q);
    }

    // A Request waiting for its answer, on the stack of that call.
    struct Waiting {
        bool done = false;
        bool answered = false;
        std::string answer;
        QEventLoop* loop = nullptr;
    };
    // A transaction sent and not yet answered: a request that waits, or a poke's value.
    struct Pending {
        Waiting* waiting = nullptr;
        std::string value;
    };

    enum class Hello { None, Awaiting, Accepted, Refused };

    bool connect();
    void forget();
    bool send(const std::string& frame);
    void read();
    void handle(const DdeWire::Frame& frame);
    void endWaits();
    void dropSocket();

    KDdeClient& q;
    int slot = -1;
    std::string service;
    std::string topic;
    QLocalSocket* socket = nullptr;
    bool conversation = false;
    bool connecting = false;
    Hello hello = Hello::None;
    QEventLoop* helloLoop = nullptr;
    DdeWire::FrameReader reader;
    std::uint32_t nextId = 1;
    std::map<std::uint32_t, Pending> pending;
    // How many of the socket's signals are being handled on the stack: the socket is not
    // deleted under them.
    int inSignal = 0;
    // Cleared when the object goes; a call that ran an event loop checks it before going on.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

bool KDdeClientPrivate::connect() {
    if (conversation && socket && socket->state() == QLocalSocket::ConnectedState)
        return true;
    // A call made while this one waits for the server's hello finds no conversation yet.
    if (connecting || slot < 0)
        return false;
    // The server went away: start over with a new conversation.
    forget();
    const QString path = DdeShared::socketPath(service.c_str());
    const auto helloFrame = DdeWire::hello(topic);
    if (path.isEmpty() || !helloFrame)
        return false;

    connecting = true;
    socket = new QLocalSocket;
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [this] { read(); });
    QObject::connect(socket, &QLocalSocket::disconnected, socket, [this] {
        ++inSignal;
        forget();
        --inSignal;
    });
    socket->connectToServer(path);
    if (socket->state() != QLocalSocket::ConnectedState && !socket->waitForConnected(kConnectMs)) {
        connecting = false;
        forget();
        return false;
    }
    hello = Hello::Awaiting;
    if (!send(*helloFrame)) {
        connecting = false;
        forget();
        return false;
    }
    // The server may run on this thread: its answer comes through the event loop.
    const auto stillAlive = alive;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(kConnectMs);
    helloLoop = &loop;
    if (hello == Hello::Awaiting)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!*stillAlive)
        return false;
    helloLoop = nullptr;
    connecting = false;
    if (hello != Hello::Accepted || !socket) {
        forget();
        return false;
    }
    conversation = true;
    return true;
}

void KDdeClientPrivate::endWaits() {
    for (auto& [id, transaction] : pending) {
        if (Waiting* waiting = transaction.waiting) {
            waiting->done = true;
            if (waiting->loop)
                waiting->loop->quit();
        }
    }
    pending.clear();
    if (helloLoop)
        helloLoop->quit();
}

void KDdeClientPrivate::dropSocket() {
    if (!socket)
        return;
    QLocalSocket* old = socket;
    socket = nullptr;
    old->disconnect();
    old->abort();
    if (inSignal > 0)
        old->deleteLater();
    else
        delete old;
}

void KDdeClientPrivate::forget() {
    conversation = false;
    if (hello == Hello::Awaiting)
        hello = Hello::Refused;
    endWaits();
    reader = DdeWire::FrameReader();
    dropSocket();
}

bool KDdeClientPrivate::send(const std::string& frame) {
    if (!socket || socket->write(frame.data(), static_cast<qint64>(frame.size())) !=
                       static_cast<qint64>(frame.size())) {
        forget();
        return false;
    }
    socket->flush();
    return true;
}

void KDdeClientPrivate::read() {
    const auto stillAlive = alive;
    ++inSignal;
    while (socket && socket->bytesAvailable() > 0) {
        const QByteArray chunk = socket->read(kReadChunk);
        reader.feed(std::string_view(chunk.constData(), static_cast<std::size_t>(chunk.size())));
        DdeWire::Frame frame;
        DdeWire::FrameReader::Status status;
        while ((status = reader.next(frame)) == DdeWire::FrameReader::Status::Ready) {
            handle(frame);
            if (!*stillAlive)
                return;
        }
        if (status == DdeWire::FrameReader::Status::Broken)
            forget();
    }
    --inSignal;
}

void KDdeClientPrivate::handle(const DdeWire::Frame& frame) {
    if (frame.type == DdeWire::FrameType::HelloReply && hello == Hello::Awaiting &&
        frame.payload.size() == 1) {
        hello = frame.payload[0] == '\1' ? Hello::Accepted : Hello::Refused;
        if (helloLoop)
            helloLoop->quit();
        return;
    }
    const auto parsed = frame.type == DdeWire::FrameType::Reply && conversation
                            ? DdeWire::parseReply(frame.payload)
                            : std::nullopt;
    if (!parsed) {
        // Not what a server says: this conversation cannot be trusted any more.
        forget();
        return;
    }
    const auto found = pending.find(parsed->id);
    if (found == pending.end())
        return; // an execute, or a request that stopped waiting
    Pending transaction = std::move(found->second);
    pending.erase(found);
    const bool done = parsed->status == DdeWire::ReplyStatus::Done;
    if (Waiting* waiting = transaction.waiting) {
        waiting->done = true;
        waiting->answered = done;
        waiting->answer = DdeWire::cutText(parsed->answer, kAnswerBuffer - 1);
        if (waiting->loop)
            waiting->loop->quit();
    } else if (done) {
        char text[kAnswerBuffer];
        const std::size_t n = std::min(transaction.value.size(), kAnswerBuffer - 1);
        std::memcpy(text, transaction.value.data(), n);
        text[n] = '\0';
        q.OnData(text);
    }
}

KDdeClient::KDdeClient(const char* service, const char* topic)
    : d(std::make_unique<KDdeClientPrivate>(*this)) {
    d->slot = DdeShared::takeSlot(DdeShared::Kind::Client, this);
    if (d->slot < 0) {
        DdeShared::report(QStringLiteral("There are too many DDE Clients active"));
        return;
    }
    if (!DdeShared::canRun()) {
        DdeShared::releaseSlots(this);
        d->slot = -1;
        DdeShared::report(QStringLiteral("DdeInitialize failed"));
        return;
    }
    d->service = service ? service : "";
    d->topic = topic ? topic : "";
}

KDdeClient::~KDdeClient() = default;

int KDdeClient::Execute(const char* command) {
    if (!d->connect())
        return kNoConnection;
    const auto frame =
        command ? DdeWire::transaction(DdeWire::FrameType::Execute, d->nextId++, command)
                : std::nullopt;
    if (!frame)
        return kFailed;
    return d->send(*frame) ? kSent : kFailed;
}

const char* KDdeClient::Request(const char* item, unsigned int timeout) {
    const auto alive = d->alive;
    if (!d->connect() || !*alive || !item || std::strlen(item) > DdeWire::kMaxName)
        return nullptr;
    const std::uint32_t id = d->nextId++;
    const auto frame = DdeWire::transaction(DdeWire::FrameType::Request, id, item);
    KDdeClientPrivate::Waiting waiting;
    d->pending[id].waiting = &waiting;
    if (!frame || !d->send(*frame)) {
        d->pending.erase(id);
        return nullptr;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(static_cast<int>(std::min<unsigned int>(timeout, INT_MAX)));
    waiting.loop = &loop;
    if (!waiting.done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!*alive)
        return nullptr;
    d->pending.erase(id);
    if (!waiting.done && d->reader.partial()) {
        // The server stopped in the middle of a frame: nothing after it can be read.
        d->forget();
    }
    if (!waiting.answered)
        return nullptr;
    std::memcpy(g_answer, waiting.answer.c_str(), waiting.answer.size() + 1);
    return g_answer;
}

int KDdeClient::Poke(const char* item, const char* value) {
    if (!d->connect())
        return kNoConnection;
    if (!item || !value)
        return kFailed;
    const std::uint32_t id = d->nextId++;
    const auto frame = DdeWire::poke(id, item, value);
    if (!frame)
        return kFailed;
    d->pending[id].value = DdeWire::cutText(value, kAnswerBuffer - 1);
    if (!d->send(*frame))
        return kFailed;
    return kSent;
}

bool KDdeClient::isUsable() const {
    return d->slot >= 0;
}

int KDdeClient::slot() const {
    return d->slot;
}

bool KDdeClient::isConnected() const {
    return d->conversation && d->socket && d->socket->state() == QLocalSocket::ConnectedState;
}
