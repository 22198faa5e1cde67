#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

// Components created by class id: shared libraries in the program's own plug-in folder, each
// declaring the class id it serves in its plug-in metadata ({"ClassId": "{...}"}). An instance
// is made through the library's factory and asked for interfaces by interface id; every
// interface starts with query, add reference and release, and the calls return a status code
// that is negative on failure, with the codes the program has always shown.

using KStatus = std::int32_t;

namespace KStatusCode {
inline constexpr KStatus ok = 0;
inline constexpr KStatus notImplemented = static_cast<KStatus>(0x80004001);
inline constexpr KStatus noInterface = static_cast<KStatus>(0x80004002);
inline constexpr KStatus pointer = static_cast<KStatus>(0x80004003);
inline constexpr KStatus fail = static_cast<KStatus>(0x80004005);
inline constexpr KStatus noAggregation = static_cast<KStatus>(0x80040110);
inline constexpr KStatus classNotRegistered = static_cast<KStatus>(0x80040154);
inline constexpr KStatus invalidArgument = static_cast<KStatus>(0x80070057);
// A library that declares the class but cannot be loaded (a dependency is missing).
inline constexpr KStatus moduleNotFound = static_cast<KStatus>(0x8007007E);
} // namespace KStatusCode

inline bool failed(KStatus status) {
    return status < 0;
}

// A class or interface id.
struct KGuid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    // "{B64AA710-9818-11D6-B44F-4581709A1D10}", braces optional, letter case aside.
    static std::optional<KGuid> parse(std::string_view text);
    // With braces, upper case.
    QString toString() const;
    bool operator==(const KGuid&) const = default;
};

// The start of every interface. Callers release what they got; nobody deletes an instance.
class IKUnknown {
public:
    virtual KStatus QueryInterface(const KGuid& iid, void** object) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~IKUnknown() = default;
};

inline constexpr KGuid IID_IKUnknown = {0x00000000, 0x0000, 0x0000,
                                        {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Holds one reference and releases it when it goes.
template <class T> class KComPtr {
public:
    KComPtr() = default;
    explicit KComPtr(T* p) : m_p(p) {}
    ~KComPtr() { reset(); }
    KComPtr(const KComPtr&) = delete;
    KComPtr& operator=(const KComPtr&) = delete;
    KComPtr(KComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    KComPtr& operator=(KComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void reset() {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    // For a call that hands out a reference: the old one is released first.
    T** put() {
        reset();
        return &m_p;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

private:
    T* m_p = nullptr;
};

// What a component library's plug-in object offers: making instances of its class.
class KComponentFactory {
public:
    virtual ~KComponentFactory() = default;
    // Makes an instance and asks it for iid. outer is an aggregating object, which no component
    // of this program accepts (noAggregation).
    virtual KStatus createInstance(IKUnknown* outer, const KGuid& iid, void** object) = 0;
};

#define KComponentFactory_iid "org.orvanta.korvel.KComponentFactory/1.0"
Q_DECLARE_INTERFACE(KComponentFactory, KComponentFactory_iid)

namespace Components {

// The program's plug-in folder, found from the executable's own folder (pluginFolderOf).
// Components are loaded from there only, never from the working directory or a folder named
// by the environment, so a library left beside a member file cannot run.
QString pluginFolder();

// The plug-in folder of a program in programFolder: "plugins" beside it, as in the build
// tree; else, when that is no folder, the installed program's own library folder relative to
// it (/usr/lib/<architecture>/korvel/plugins for /usr/bin); when neither is a folder, the one
// beside it.
QString pluginFolderOf(const QString& programFolder);

// Makes an instance of the class, asking for the basic interface, from the library in folder
// that declares the class id. Only the declared ids are read from the other libraries; none of
// their code runs. classNotRegistered when no library declares it.
KStatus createInstance(const KGuid& clsid, IKUnknown** object, const QString& folder);

using MessageSink = std::function<void(const QString& message)>;

// The shared routine for getting a component: creates an instance of the class asking for the
// basic interface, then asks it for the wanted one. A failure shows one of the fixed messages
// through show and returns its status, with nothing held. On success basic and wanted each hold
// one reference.
KStatus GetComInterface(const KGuid& clsid, const KGuid& iid, IKUnknown** basic, void** wanted,
                        const MessageSink& show, const QString& folder = pluginFolder());

// The fixed messages for a failed creation and a failed query.
QString createMessage(KStatus status);
QString queryMessage(KStatus status);

} // namespace Components
