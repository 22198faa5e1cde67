#include "platform/Components.h"

#include "korvel/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The class id a library declares in its plug-in metadata, read without loading it.
std::optional<KGuid> declaredClass(const QString& path) {
    const QJsonObject meta =
        QPluginLoader(path).metaData().value(QStringLiteral("MetaData")).toObject();
    return KGuid::parse(meta.value(QStringLiteral("ClassId")).toString().toStdString());
}

} // namespace

std::optional<KGuid> KGuid::parse(std::string_view text) {
    if (text.size() == 38 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, 36);
    if (text.size() != 36)
        return std::nullopt;
    // 8-4-4-4-12 hexadecimal digits.
    std::array<std::uint8_t, 16> bytes{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (at == 8 || at == 13 || at == 18 || at == 23) {
            if (text[at] != '-')
                return std::nullopt;
            ++at;
        }
        const int high = hexDigit(text[at]);
        const int low = hexDigit(text[at + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
        at += 2;
    }
    KGuid id;
    id.data1 = static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
               static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
    id.data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    id.data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
    for (std::size_t i = 0; i < 8; ++i)
        id.data4[i] = bytes[8 + i];
    return id;
}

QString KGuid::toString() const {
    QString text = QString::asprintf("{%08X-%04X-%04X-%02X%02X-", data1, data2, data3, data4[0],
                                     data4[1]);
    for (std::size_t i = 2; i < 8; ++i)
        text += QString::asprintf("%02X", data4[i]);
    return text + QLatin1Char('}');
}

namespace Components {

QString pluginFolder() {
    QString programFolder;
    if (QCoreApplication::instance()) {
        programFolder = QCoreApplication::applicationDirPath();
    } else {
#ifdef Q_OS_LINUX
        // Without an application object the executable still knows where it lies.
        programFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
        programFolder = programFolder.isEmpty() ? QString() : QFileInfo(programFolder).path();
#endif
    }
    return pluginFolderOf(programFolder);
}

QString pluginFolderOf(const QString& programFolder) {
    if (programFolder.isEmpty())
        return {};
    const QString beside = programFolder + QStringLiteral("/plugins");
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed = QDir::cleanPath(programFolder + QLatin1Char('/') +
                                              QString::fromLatin1(kInstalledPluginFolder));
    return QFileInfo(installed).isDir() ? installed : beside;
}

KStatus createInstance(const KGuid& clsid, IKUnknown** object, const QString& folder) {
    if (!object)
        return KStatusCode::pointer;
    *object = nullptr;
    if (folder.isEmpty())
        return KStatusCode::classNotRegistered;
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QString path = dir.absoluteFilePath(name);
        if (!QLibrary::isLibrary(path))
            continue;
        const std::optional<KGuid> declared = declaredClass(path);
        if (!declared || !(*declared == clsid))
            continue;
        QPluginLoader loader(path);
        QObject* root = loader.instance();
        if (!root)
            return KStatusCode::moduleNotFound;
        auto* factory = qobject_cast<KComponentFactory*>(root);
        if (!factory)
            return KStatusCode::fail;
        return factory->createInstance(nullptr, IID_IKUnknown, reinterpret_cast<void**>(object));
    }
    return KStatusCode::classNotRegistered;
}

QString createMessage(KStatus status) {
    switch (status) {
    case KStatusCode::noInterface:
        return QStringLiteral("CoCreateInstance: no interface");
    case KStatusCode::noAggregation:
        return QStringLiteral("CoCreateInstance: No aggregration");
    case KStatusCode::classNotRegistered:
        return QStringLiteral("CoCreateInstance: Class is not registered");
    default:
        return QStringLiteral("CoCreateInstance: unknown error");
    }
}

QString queryMessage(KStatus status) {
    return status == KStatusCode::noInterface ? QStringLiteral("QueryInterface: No interface")
                                              : QStringLiteral("QueryInterface: Unknown COM error");
}

KStatus GetComInterface(const KGuid& clsid, const KGuid& iid, IKUnknown** basic, void** wanted,
                        const MessageSink& show, const QString& folder) {
    if (!basic || !wanted)
        return KStatusCode::pointer;
    *basic = nullptr;
    *wanted = nullptr;
    auto tell = [&show](const QString& message) {
        if (show)
            show(message);
    };

    IKUnknown* instance = nullptr;
    KStatus status = createInstance(clsid, &instance, folder);
    if (!failed(status) && !instance)
        status = KStatusCode::pointer; // a factory that claims success but made nothing
    if (failed(status)) {
        tell(createMessage(status));
        return status;
    }

    void* interface = nullptr;
    status = instance->QueryInterface(iid, &interface);
    if (!failed(status) && !interface)
        status = KStatusCode::noInterface;
    if (failed(status)) {
        tell(queryMessage(status));
        instance->Release();
        return status;
    }
    *basic = instance;
    *wanted = interface;
    return status;
}

} // namespace Components
