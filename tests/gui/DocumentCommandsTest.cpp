#include "KorvelFixture.h"

#include "res/Commands.h"

#include <QCursor>
#include <QFile>
#include <QGuiApplication>

namespace {

using DocumentCommands = KorvelFixture;

TEST_F(DocumentCommands, ANewAdministrationIsCalledKorvel) {
    ASSERT_TRUE(start());
    EXPECT_EQ(frame().shownTitle(), QStringLiteral("Korvel - Korvel"));
    trigger(Cmd::FileSaveAs);
    ASSERT_EQ(prompts().suggestedPaths.size(), 1);
    EXPECT_EQ(QFileInfo(prompts().suggestedPaths.front()).fileName(), QStringLiteral("Korvel.kvl"));

    addMember(doc(), "Piet Jansen");
    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::Cancel);
    trigger(Cmd::FileNew);
    EXPECT_EQ(prompts().askedToSave, QStringList{QStringLiteral("Korvel")});
}

TEST_F(DocumentCommands, OpenStartsInTheFolderOfTheOpenFile) {
    ASSERT_TRUE(start());
    trigger(Cmd::FileOpen); // no file yet: the data folder, which is the working folder
    QDir().mkpath(dataPath(QStringLiteral("seizoen")));
    const QString club = writeClub(dataPath(QStringLiteral("seizoen/club.kvl")), {"Piet Jansen"});
    ASSERT_EQ(m_app->docManager().openDocumentFile(club), KOutcome::Done);
    trigger(Cmd::FileOpen);
    trigger(Cmd::FileSaveAs);
    ASSERT_EQ(prompts().openFolders.size(), 2);
    EXPECT_EQ(QDir(prompts().openFolders.at(0)), QDir(dataPath(QString())));
    EXPECT_EQ(QDir(prompts().openFolders.at(1)), QDir(dataPath(QStringLiteral("seizoen"))));
    EXPECT_EQ(prompts().suggestedPaths, QStringList{club});
}

// A failure is told with the ordinary cursor, and the cursor stays ordinary afterwards (while a
// file loads, the progress window shows the wait cursor).
TEST_F(DocumentCommands, FailuresAreToldWithTheOrdinaryCursor) {
    ASSERT_TRUE(start());
    prompts().openPaths.push_back(dataPath(QStringLiteral("weg.kvl")));
    trigger(Cmd::FileOpen);
    prompts().savePaths.push_back(dataPath(QStringLiteral("geen/map/club.kvl")));
    trigger(Cmd::FileSaveAs);
    EXPECT_EQ(prompts().busyWhenShown, (QList<bool>{false, false}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    prompts().savePaths.push_back(dataPath(QStringLiteral("goed.kvl")));
    trigger(Cmd::FileSaveAs);
    EXPECT_TRUE(QFile::exists(dataPath(QStringLiteral("goed.kvl"))));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
