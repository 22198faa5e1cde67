#include "app/KorvelAppChannel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QtEndian>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include <algorithm>
#include <cstring>

namespace {

// A message: the four bytes "KVL1", the length of the body as unsigned 32-bit little-endian,
// then the body: each path in the file system's encoding, ended by a zero byte. The answer of
// the running program is the two bytes "OK".
constexpr char kMagic[] = "KVL1";
constexpr qsizetype kMagicSize = 4;
constexpr qsizetype kHeaderSize = kMagicSize + 4;
constexpr quint32 kMaxBody = 1 << 20;
constexpr char kTaken[] = "OK";
constexpr qsizetype kTakenSize = 2;

constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 5000;
// A sender that connects and then sends nothing is not waited for longer than this.
constexpr int kSenderMs = 10000;

const QString kSocketName = QStringLiteral("korvel.socket");

QByteArray message(const QStringList& paths) {
    QByteArray body;
    for (const QString& path : paths) {
        body += QFile::encodeName(path);
        body += '\0';
    }
    QByteArray bytes(kMagic, kMagicSize);
    char length[4];
    qToLittleEndian(static_cast<quint32>(body.size()), length);
    bytes.append(length, 4);
    return bytes + body;
}

// What has arrived of a message so far.
struct Reading {
    enum class State { Incomplete, Complete, Refused } state = State::Incomplete;
    QStringList paths;
};

Reading readMessage(const QByteArray& bytes) {
    Reading reading;
    const qsizetype known = std::min(bytes.size(), kMagicSize);
    if (std::memcmp(bytes.constData(), kMagic, static_cast<std::size_t>(known)) != 0) {
        reading.state = Reading::State::Refused;
        return reading;
    }
    if (bytes.size() < kHeaderSize)
        return reading;
    const quint32 length = qFromLittleEndian<quint32>(bytes.constData() + kMagicSize);
    if (length == 0 || length > kMaxBody) {
        reading.state = Reading::State::Refused;
        return reading;
    }
    if (bytes.size() < kHeaderSize + static_cast<qsizetype>(length))
        return reading;
    if (bytes.size() > kHeaderSize + static_cast<qsizetype>(length) || bytes.back() != '\0') {
        reading.state = Reading::State::Refused;
        return reading;
    }
    const QByteArray body = bytes.mid(kHeaderSize, length - 1);
    for (const QByteArray& name : body.split('\0')) {
        const QString path = QFile::decodeName(name);
        // Only whole paths: the sender's working folder means nothing here.
        if (path.isEmpty() || !QDir::isAbsolutePath(path)) {
            reading.state = Reading::State::Refused;
            return reading;
        }
        reading.paths.append(path);
    }
    reading.state = Reading::State::Complete;
    return reading;
}

// The folder is used only when it is a folder of this user that nobody else may enter, so no
// other user can listen in the program's place or learn which files it opens.
KResult ownFolder(const QString& folder) {
    if (folder.isEmpty())
        return KResult::failed(QStringLiteral("Er is geen map voor het doorgeven van bestanden."));
    const QFileInfo existing(folder);
    if (!existing.exists() && !QDir().mkdir(folder, QFileDevice::ReadOwner |
                                                        QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner))
        return KResult::failed(QStringLiteral("De map %1 kan niet worden gemaakt.")
                                   .arg(QDir::toNativeSeparators(folder)));
    const QFileInfo info(folder);
    const QFileDevice::Permissions others =
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    bool own = info.isDir() && !info.isSymLink() && !(info.permissions() & others);
#ifdef Q_OS_UNIX
    own = own && info.ownerId() == ::geteuid();
#endif
    if (!own)
        return KResult::failed(
            QStringLiteral("De map %1 is niet alleen van deze gebruiker; bestanden worden niet "
                           "doorgegeven aan een Korvel die al draait.")
                .arg(QDir::toNativeSeparators(folder)));
    return KResult::done();
}

bool someoneListens(const QString& path) {
    QLocalSocket probe;
    probe.connectToServer(path);
    const bool listening = probe.waitForConnected(kConnectMs);
    probe.abort();
    return listening;
}

} // namespace

KorvelAppChannel::KorvelAppChannel(QString folder, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)) {}

KorvelAppChannel::~KorvelAppChannel() = default;

QString KorvelAppChannel::userFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString() : runtime + QStringLiteral("/korvel");
}

QString KorvelAppChannel::socketPath() const {
    return QDir(m_folder).filePath(kSocketName);
}

KResult KorvelAppChannel::handOver(const QStringList& paths) const {
    if (const KResult own = ownFolder(m_folder); !own.isDone())
        return own;
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kConnectMs))
        return KResult::nothingToDo(QStringLiteral("Er draait geen Korvel."));

    const QString notTaken = QStringLiteral("De Korvel die al draait, nam het bestand niet aan.");
    socket.write(message(paths));
    if (!socket.waitForBytesWritten(kAnswerMs))
        return KResult::failed(notTaken);
    QByteArray answer = socket.readAll();
    while (answer.size() < kTakenSize) {
        const bool more = socket.waitForReadyRead(kAnswerMs);
        answer += socket.readAll();
        if (!more)
            break;
    }
    if (answer != QByteArray(kTaken, kTakenSize))
        return KResult::failed(notTaken);
    return KResult::done();
}

KResult KorvelAppChannel::listen() {
    if (isListening())
        return KResult::done();
    if (const KResult own = ownFolder(m_folder); !own.isDone())
        return own;
    // Asked first: listening puts the new socket in the place of one that is there.
    const QString path = socketPath();
    if (someoneListens(path))
        return KResult::nothingToDo(QStringLiteral("Korvel draait al."));
    // What is left is the socket of a program that ended without closing it.
    QLocalServer::removeServer(path);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path))
        return KResult::failed(QStringLiteral("Korvel kan geen bestanden aannemen van een latere "
                                              "start via %1.")
                                   .arg(QDir::toNativeSeparators(path)));
    connect(server.get(), &QLocalServer::newConnection, this, &KorvelAppChannel::takeConnections);
    m_server = std::move(server);
    return KResult::done();
}

bool KorvelAppChannel::isListening() const {
    return m_server && m_server->isListening();
}

void KorvelAppChannel::takeConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        // The server is the socket's parent; it goes once the sender has hung up.
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kSenderMs, socket, &QLocalSocket::abort);
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] {
            *received += socket->readAll();
            const Reading reading = readMessage(*received);
            if (reading.state == Reading::State::Incomplete)
                return;
            if (reading.state == Reading::State::Refused) {
                socket->abort();
                return;
            }
            // Answered first: the sender ends at once, however long the opening takes here.
            socket->write(kTaken, kTakenSize);
            socket->flush();
            socket->disconnectFromServer();
            emit filesArrived(reading.paths);
        });
    }
}
