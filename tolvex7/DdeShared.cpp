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
#include <sys/stat.h>
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

QString socketPath(const char* service) {
    if (!service || !*service || std::strlen(service) > DdeWire::kMaxName)
        return {};
    const QString name = CodePage::toQString(service).toLower();
    if (name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return {};
#if defined(Q_OS_LINUX)
    // /tmp, where Qt puts a socket of a bare name, is shared by every user of the machine.
    static const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime + QStringLiteral("/tolvex7-dde/") + name;
#endif
    return name;
}

bool prepareFolder(const QString& path) {
    const QFileInfo info(path);
    if (info.isRelative())
        return true;
    const QString folder = info.absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
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
