#include "tolvex7/DdeShared.h"

#include "platform/CodePage.h"
#include "tolvex7/DdeWire.h"
#include "tolvex7/Messages.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <array>
#include <cstdio>
#include <cstring>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr int kSlotsPerKind = 10;

// Slots 0 to 9 hold servers, 10 to 19 clients. Only the user-interface thread uses them.
std::array<const void*, 2 * kSlotsPerKind> g_slots{};

} // namespace

namespace DdeShared {

int takeSlot(Kind kind, const void* object) {
    const int first = kind == Kind::Server ? 0 : kSlotsPerKind;
    for (int slot = first; slot < first + kSlotsPerKind; ++slot) {
        if (!g_slots[static_cast<std::size_t>(slot)]) {
            g_slots[static_cast<std::size_t>(slot)] = object;
            return slot;
        }
    }
    return -1;
}

void releaseSlots(const void* object) {
    for (const void*& slot : g_slots)
        if (slot == object)
            slot = nullptr;
}

QString serviceFolder(const QString& runtime) {
#if defined(Q_OS_UNIX)
    if (!runtime.isEmpty())
        return runtime + QStringLiteral("/tolvex7-dde");
    // Without a runtime folder: a folder of the user's own in the temporary folder, named
    // after the user's id so that users do not meet there.
    return QDir::tempPath() + QStringLiteral("/tolvex7-dde-%1").arg(::getuid());
#else
    Q_UNUSED(runtime);
    return {};
#endif
}

QString socketPath(const char* service) {
    if (!service || !*service || std::strlen(service) > DdeWire::kMaxName)
        return {};
    const QString name = CodePage::toQString(service).toLower();
    if (name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return {};
    // /tmp, where Qt puts a socket of a bare name, is shared by every user of the machine.
    QString runtime;
#if defined(Q_OS_LINUX)
    static const QString location = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    runtime = location;
#endif
    const QString folder = serviceFolder(runtime);
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

bool prepareFolder(const QString& path) {
    const QFileInfo info(path);
    if (info.isRelative())
        return true;
    const QString folder = info.absolutePath();
#if defined(Q_OS_UNIX)
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), S_IRWXU) != 0 && errno != EEXIST) {
        // The parent may be missing too (a runtime folder not made yet).
        if (!QDir().mkpath(folder))
            return false;
    }
    // Only a real folder of this user, open to nobody else, may hold the sockets: in a shared
    // temporary folder another user could have made the folder, or a link, beforehand.
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::getuid())
        return false;
    if ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0 && ::chmod(native.constData(), S_IRWXU) != 0)
        return false;
    return true;
#else
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
#endif
}

bool isLeftOverSocket(const QString& path) {
#if defined(Q_OS_UNIX)
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISSOCK(status.st_mode);
#else
    Q_UNUSED(path);
    return true;
#endif
}

bool sameName(const QString& ours, const QString& theirs) {
    return ours.compare(theirs, Qt::CaseInsensitive) == 0;
}

void report(const QString& message) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) &&
        QThread::currentThread() == QCoreApplication::instance()->thread()) {
        Alert("%s", CodePage::fromQString(message).c_str());
        return;
    }
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

bool canRun() {
    return QCoreApplication::instance() && QAbstractEventDispatcher::instance(QThread::currentThread());
}

} // namespace DdeShared
