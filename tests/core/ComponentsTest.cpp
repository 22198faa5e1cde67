// The routine that gets a component by class id, on test components that each fail their own
// way, and where components are looked for.
#include "platform/Components.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QTemporaryDir>

namespace {

const QString kTestFolder = QStringLiteral(KORVEL_TEST_PLUGIN_DIR);
constexpr KGuid kTestInterface = {0x0000B001, 0x0000, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0}};

KGuid testClass(int behaviour) {
    return *KGuid::parse("{0000A00" + std::to_string(behaviour) + "-0000-4000-8000-000000000000}");
}

// How many instances of a test component's library live.
int alive(const char* behaviour) {
    QLibrary library(QDir(kTestFolder).filePath(QStringLiteral("libtestcomponent_") +
                                                QLatin1String(behaviour)));
    auto count = reinterpret_cast<int (*)()>(library.resolve("testComponentsAlive"));
    return count ? count() : -1;
}

struct Got {
    KStatus status;
    QStringList messages;
};

Got get(const KGuid& clsid, const QString& folder = kTestFolder) {
    Got got;
    IKUnknown* basic = nullptr;
    void* wanted = nullptr;
    got.status = Components::GetComInterface(
        clsid, kTestInterface, &basic, &wanted,
        [&got](const QString& message) { got.messages << message; }, folder);
    EXPECT_EQ(basic == nullptr, failed(got.status));
    EXPECT_EQ(wanted == nullptr, failed(got.status));
    if (wanted)
        static_cast<IKUnknown*>(wanted)->Release();
    if (basic)
        basic->Release();
    return got;
}

TEST(Components, ClassIdsAreReadAndWrittenWithBraces) {
    const std::optional<KGuid> id = KGuid::parse("{b64aa710-9818-11d6-b44f-4581709a1d10}");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->data1, 0xB64AA710u);
    EXPECT_EQ(id->data2, 0x9818);
    EXPECT_EQ(id->data3, 0x11D6);
    EXPECT_EQ(id->data4[0], 0xB4);
    EXPECT_EQ(id->data4[7], 0x10);
    EXPECT_EQ(id->toString(), QStringLiteral("{B64AA710-9818-11D6-B44F-4581709A1D10}"));
    EXPECT_EQ(KGuid::parse("B64AA710-9818-11D6-B44F-4581709A1D10"), id);
    for (const char* bad : {"", "{B64AA710-9818-11D6-B44F-4581709A1D1}", "{B64AA710+9818-11D6-B44F-4581709A1D10}",
                            "{G64AA710-9818-11D6-B44F-4581709A1D10}", "{B64AA710-9818-11D6-B44F-4581709A1D10"})
        EXPECT_FALSE(KGuid::parse(bad)) << bad;
}

TEST(Components, EachFailureShowsItsFixedMessage) {
    struct Case {
        int behaviour;
        KStatus status;
        const char* message;
    };
    const Case cases[] = {
        {2, KStatusCode::noInterface, "CoCreateInstance: no interface"},
        {3, KStatusCode::noAggregation, "CoCreateInstance: No aggregration"},
        {4, KStatusCode::fail, "CoCreateInstance: unknown error"},
        {5, KStatusCode::noInterface, "QueryInterface: No interface"},
        {6, KStatusCode::fail, "QueryInterface: Unknown COM error"},
        {9, KStatusCode::classNotRegistered, "CoCreateInstance: Class is not registered"},
    };
    for (const Case& c : cases) {
        const Got got = get(testClass(c.behaviour));
        EXPECT_EQ(got.status, c.status) << c.behaviour;
        EXPECT_EQ(got.messages, QStringList{QString::fromLatin1(c.message)}) << c.behaviour;
    }
    // The instance asked for an interface it lacks is released again.
    EXPECT_EQ(alive("queryNoInterface"), 0);
    EXPECT_EQ(alive("queryUnknownError"), 0);
    EXPECT_EQ(static_cast<std::uint32_t>(KStatusCode::classNotRegistered), 0x80040154u);
}

TEST(Components, AComponentHandsOutTwoReferences) {
    IKUnknown* basic = nullptr;
    void* wanted = nullptr;
    QStringList messages;
    ASSERT_EQ(Components::GetComInterface(testClass(1), kTestInterface, &basic, &wanted,
                                          [&](const QString& m) { messages << m; }, kTestFolder),
              KStatusCode::ok);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(alive("works"), 1);
    EXPECT_EQ(static_cast<IKUnknown*>(wanted)->Release(), 1u);
    EXPECT_EQ(alive("works"), 1);
    EXPECT_EQ(basic->Release(), 0u);
    EXPECT_EQ(alive("works"), 0);
}

TEST(Components, OnlyTheProgramsOwnPluginFolderIsSearched) {
    // Beside the executable; korvel-cli and the tests share the folder.
    EXPECT_EQ(Components::pluginFolder(),
              QFileInfo(QStringLiteral(KORVEL_CLI)).absolutePath() + QStringLiteral("/plugins"));

    // A missing library is a class that is not registered, also in an empty folder.
    QTemporaryDir empty;
    EXPECT_EQ(get(testClass(1), empty.path()).messages,
              QStringList{QStringLiteral("CoCreateInstance: Class is not registered")});
    EXPECT_EQ(get(testClass(1), QString()).status, KStatusCode::classNotRegistered);

    // Libraries in the working directory are not looked at, nor are folders the environment
    // names.
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(kTestFolder));
    qputenv("QT_PLUGIN_PATH", kTestFolder.toLocal8Bit());
    IKUnknown* basic = nullptr;
    void* wanted = nullptr;
    const KStatus status = Components::GetComInterface(testClass(1), kTestInterface, &basic,
                                                       &wanted, nullptr);
    QDir::setCurrent(old);
    qunsetenv("QT_PLUGIN_PATH");
    EXPECT_EQ(status, KStatusCode::classNotRegistered);
    EXPECT_EQ(basic, nullptr);
}

// Built, the plug-ins lie beside the program; installed, in the folder the install rules give
// them, seen from the folder they give the program. A plug-in folder beside an installed
// program (the build tree's layout) still comes first.
TEST(Components, ThePluginFolderIsFoundFromTheProgramBuiltOrInstalled) {
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral(KORVEL_INSTALL_BINDIR));
    const QString installed = root.filePath(QStringLiteral(KORVEL_INSTALL_PLUGINDIR));
    ASSERT_TRUE(QDir().mkpath(program));
    EXPECT_EQ(Components::pluginFolderOf(program), program + QStringLiteral("/plugins"));

    ASSERT_TRUE(QDir().mkpath(installed));
    EXPECT_EQ(Components::pluginFolderOf(program), installed);

    ASSERT_TRUE(QDir().mkpath(program + QStringLiteral("/plugins")));
    EXPECT_EQ(Components::pluginFolderOf(program), program + QStringLiteral("/plugins"));
    EXPECT_EQ(Components::pluginFolderOf(QString()), QString());
}

} // namespace
