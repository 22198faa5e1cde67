#include "KorvelFixture.h"

#include "core/format/DateFormat.h"
#include "core/model/DefaultConfiguration.h"
#include "grid/CvsFlexGrid.h"
#include "view/KMainView.h"

#include <QFileInfo>

namespace {

using StartUp = KorvelFixture;

QString columns() {
    return Profile::readString(QStringLiteral("Settings"), QStringLiteral("Columns"));
}

TEST_F(StartUp, FirstStartMakesANewAdministrationAndTheDefaultColumns) {
    Profile::open()->remove(QStringLiteral("Settings/Datadir"));
    const QString home = QDir::homePath();
    ASSERT_TRUE(start());
    EXPECT_TRUE(doc().pathName().isEmpty());
    EXPECT_FALSE(doc().fields().empty());
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(columns(), QString::fromLatin1(kDefaultColumnList));
    EXPECT_EQ(QDir::currentPath(), home);
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("0 leden"));
    EXPECT_EQ(frame().shownTitle(), QStringLiteral("Korvel - Korvel"));
    EXPECT_TRUE(frame().isVisible());
    EXPECT_TRUE(prompts().errors.isEmpty());
}

TEST_F(StartUp, GoesToTheDataFolderAndReadsTheDateFormat) {
    PinnedDateFormat keep("Standard");
    setSetting("DateFormat", QStringLiteral("%d-%m-%Y"));
    ASSERT_TRUE(start());
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(),
              QFileInfo(m_data.path()).canonicalFilePath());
    EXPECT_EQ(DateFormat::setting(), "%d-%m-%Y");
}

TEST_F(StartUp, AMissingDataFolderLeavesTheWorkingDirectory) {
    setSetting("Datadir", dataPath(QStringLiteral("weg")));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(start());
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(StartUp, TheColumnsTheUserChoseStayAndAFirstStartGetsTheDefault) {
    setSetting("Columns", QStringLiteral("Naam|IBAN|"));
    for (int loadstart : {1, 0}) {
        m_app.reset();
        setSetting("loadstart", loadstart);
        ASSERT_TRUE(start());
        EXPECT_EQ(columns(), QStringLiteral("Naam|IBAN|")) << loadstart;
    }
    // No columns at all is a choice too.
    m_app.reset();
    setSetting("Columns", QString());
    ASSERT_TRUE(start());
    EXPECT_EQ(columns(), QString());

    m_app.reset();
    Profile::open()->remove(QStringLiteral("Settings/Columns"));
    ASSERT_TRUE(start());
    EXPECT_EQ(columns(), QString::fromLatin1(kDefaultColumnList));
}

TEST_F(StartUp, OpensTheFixedStartFile) {
    const QString club =
        writeClub(dataPath(QStringLiteral("vast.kvl")), {"Piet Jansen", "Els de Vries"});
    setSetting("loadstart", 1);
    setSetting("fixed", 1);
    setSetting("Startfile", club);
    ASSERT_TRUE(start());
    EXPECT_EQ(doc().pathName(), club);
    EXPECT_EQ(doc().members().size(), 2u);
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("2 leden"));
    EXPECT_EQ(frame().view()->grid().rowCount(), 3); // the title row and two members
    EXPECT_EQ(frame().shownTitle(), QStringLiteral("vast.kvl - Korvel"));
}

TEST_F(StartUp, TheFixedStartFileIsNotTakenWithoutLoadstart) {
    const QString club = writeClub(dataPath(QStringLiteral("vast.kvl")), {"Piet Jansen"});
    setSetting("fixed", 1);
    setSetting("Startfile", club);
    ASSERT_TRUE(start());
    EXPECT_TRUE(doc().pathName().isEmpty());
    EXPECT_TRUE(doc().members().empty());
}

TEST_F(StartUp, AFixedStartFileThatCannotBeReadLeavesANewAdministration) {
    setSetting("loadstart", 1);
    setSetting("fixed", 1);
    setSetting("Startfile", dataPath(QStringLiteral("bestaat-niet.kvl")));
    ASSERT_TRUE(start());
    ASSERT_EQ(prompts().errors.size(), 1);
    EXPECT_TRUE(prompts().errors.front().contains(QStringLiteral("bestaat-niet.kvl")));
    EXPECT_TRUE(doc().pathName().isEmpty());
    EXPECT_FALSE(doc().fields().empty());
}

TEST_F(StartUp, OpensTheFileOfTheCommandLine) {
    QTemporaryDir other;
    const QString club = writeClub(other.filePath(QStringLiteral("Club Leden.kvl")), {"Ans Bos"});
    setSetting("loadstart", 1);
    ASSERT_TRUE(start({club}));
    EXPECT_EQ(doc().pathName(), club);
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("1 lid"));
    EXPECT_TRUE(prompts().errors.isEmpty());
}

// A relative name on the command line means the folder the program was started in, also after
// start-up has gone to the data folder, where a file of the same name holds another club.
TEST_F(StartUp, ARelativeCommandLineFileIsTheOneInTheStartFolder) {
    QTemporaryDir startFolder;
    writeClub(startFolder.filePath(QStringLiteral("club.kvl")), {"Ans Bos"});
    writeClub(dataPath(QStringLiteral("club.kvl")), {"Kees Smit", "Jan Vos", "Bep Kok"});
    QDir::setCurrent(startFolder.path());
    setSetting("loadstart", 1);
    ASSERT_TRUE(start({QStringLiteral("club.kvl")}));
    EXPECT_EQ(doc().members().size(), 1u);
    EXPECT_EQ(QFileInfo(doc().pathName()).canonicalFilePath(),
              QFileInfo(startFolder.filePath(QStringLiteral("club.kvl"))).canonicalFilePath());
    EXPECT_TRUE(prompts().errors.isEmpty());
}

TEST_F(StartUp, ACommandLineWithoutMemberFileOpensNothingMore) {
    setSetting("loadstart", 1);
    ASSERT_TRUE(start({QStringLiteral("-x")}));
    EXPECT_TRUE(doc().pathName().isEmpty());
    EXPECT_TRUE(prompts().errors.isEmpty());
}

TEST_F(StartUp, EndsWhenTheCommandLineFileCannotBeRead) {
    QFile damaged(dataPath(QStringLiteral("kapot.kvl")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("geen ledenbestand");
    damaged.close();
    EXPECT_FALSE(start({damaged.fileName()}));
    EXPECT_EQ(prompts().errors.size(), 1);
}

} // namespace
