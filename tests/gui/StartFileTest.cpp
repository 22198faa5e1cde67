#include "app/KorvelApp.h"
#include "app/StartFile.h"
#include "platform/Profile.h"
#include "tests/support/Pinned.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

struct ScanCase {
    const char* commandLine;
    const char* file;
};

TEST(StartFileFromCommandLine, FindsTheLastMemberFile) {
    const ScanCase cases[] = {
        // quoted program, quoted file
        {R"("/usr/bin/korvel" "/home/club/Club.kvl")", "/home/club/Club.kvl"},
        // the name starts after the space in front of it; its case is kept
        {"/usr/bin/korvel /home/club/LEDEN.Kvl", "/home/club/LEDEN.Kvl"},
        {"korvel leden.kvl", "leden.kvl"},
        // a quoted path may hold spaces
        {R"("/opt/korvel/korvel" "/home/My Club/club 2024.kvl")", "/home/My Club/club 2024.kvl"},
        // the last one counts
        {"korvel oud.kvl nieuw.KVL", "nieuw.KVL"},
        // the text is cut right after ".kvl"
        {"korvel /data/club.kvl.bak", "/data/club.kvl"},
        {"korvel /data/club.kvlx", "/data/club.kvl"},
        // no space or quote in front: from the start of the line
        {"x.kvl", "x.kvl"},
        // upper-casing would change this line's length; positions must still fit
        {"korvel /home/straße/Fuß.kvl", "/home/straße/Fuß.kvl"},
        // nothing to open
        {"/usr/bin/korvel", ""},
        {"korvel notities.txt", ""},
        {"", ""},
        // the first character is not searched
        {".kvl", ""},
    };
    for (const ScanCase& c : cases)
        EXPECT_EQ(startFileFromCommandLine(QString::fromUtf8(c.commandLine)),
                  QString::fromUtf8(c.file))
            << c.commandLine;
}

TEST(StartFileFromCommandLine, HasNoLimitOnTheLineLength) {
    const QString folder = QStringLiteral("/m") + QString(100000, QLatin1Char('a'));
    const QString line = QStringLiteral("korvel ") + folder + QStringLiteral("/club.kvl");
    EXPECT_EQ(startFileFromCommandLine(line), folder + QStringLiteral("/club.kvl"));
}

TEST(StartFileFromCommandLine, ReadsTheArgumentsAsTheProgramGetsThem) {
    const QStringList arguments{QStringLiteral("/opt/Korvel App/korvel"),
                                QStringLiteral("/home/My Club/club.kvl")};
    EXPECT_EQ(commandLineOf(arguments),
              QStringLiteral(R"("/opt/Korvel App/korvel" "/home/My Club/club.kvl")"));
    EXPECT_EQ(startFileFromCommandLine(commandLineOf(arguments)),
              QStringLiteral("/home/My Club/club.kvl"));
    EXPECT_EQ(commandLineOf({QStringLiteral("korvel"), QString()}), QStringLiteral(R"(korvel "")"));
}

TEST(FileFromArguments, SkipsTheProgramAndOptions) {
    EXPECT_EQ(fileFromArguments({QStringLiteral("korvel")}), QString());
    EXPECT_EQ(fileFromArguments({QStringLiteral("korvel"), QStringLiteral("-x"),
                                 QStringLiteral("club.kvl"), QStringLiteral("b.kvl")}),
              QStringLiteral("club.kvl"));
    EXPECT_EQ(fileFromArguments({QStringLiteral("club.kvl")}), QString());
}

TEST(DataFolderPath, AddsOneSeparator) {
    TempProfile profile;
    const QString sep = QDir::separator();
    Profile::writeString(QStringLiteral("Settings"), QStringLiteral("Datadir"),
                         QStringLiteral("/club"));
    EXPECT_EQ(KorvelApp::dataFolderPath(QStringLiteral("leden.txt")),
              QStringLiteral("/club") + sep + QStringLiteral("leden.txt"));
    EXPECT_EQ(KorvelApp::dataFolder(), QStringLiteral("/club") + sep);
    Profile::writeString(QStringLiteral("Settings"), QStringLiteral("Datadir"),
                         QStringLiteral("/club/"));
    EXPECT_EQ(KorvelApp::dataFolderPath(QStringLiteral("leden.txt")),
              QStringLiteral("/club/leden.txt"));
}

TEST(DataFolderPath, IsTheHomeFolderWhenNotSet) {
    TempProfile profile;
    EXPECT_EQ(KorvelApp::dataFolderSetting(), QDir::homePath());
}

} // namespace
