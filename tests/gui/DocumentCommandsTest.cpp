#include "KorvelFixture.h"

#include "core/document/KDocObserver.h"
#include "res/Commands.h"

#include <QCursor>
#include <QFile>
#include <QGuiApplication>

namespace {

using DocumentCommands = KorvelFixture;

TEST_F(DocumentCommands, ANewAdministrationIsCalledKorvel) {
    ASSERT_TRUE(start());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Korvel - Korvel"));
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
    ASSERT_EQ(m_app->docManager().openDocumentFile(club), KDocManager::OpenResult::Opened);
    trigger(Cmd::FileOpen);
    trigger(Cmd::FileSaveAs);
    ASSERT_EQ(prompts().openFolders.size(), 2);
    EXPECT_EQ(QDir(prompts().openFolders.at(0)), QDir(dataPath(QString())));
    EXPECT_EQ(QDir(prompts().openFolders.at(1)), QDir(dataPath(QStringLiteral("seizoen"))));
    EXPECT_EQ(prompts().suggestedPaths, QStringList{club});
}

// Records whether the wait cursor is on while the document reads a file.
struct CursorSpy : KDocObserver {
    void updateAllViews() override {}
    void showMemberCount(long) override {}
    void restoreDefaultColumns() override {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        busyWhileLoading = cursor && cursor->shape() == Qt::WaitCursor;
    }
    bool busyWhileLoading = false;
};

TEST_F(DocumentCommands, TheWaitCursorShowsWhileAFileLoadsButNotOverAMessage) {
    ASSERT_TRUE(start());
    // A file of an old version brings the default columns back while it loads.
    const QString old = dataPath(QStringLiteral("oud.kvl"));
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x41\xCC\x10\x00\x56\x08\x00\x00\x00", 9) + QByteArray(8, '\0'));
    file.close();
    CursorSpy spy;
    doc().setObserver(&spy);
    EXPECT_EQ(m_app->docManager().openDocumentFile(old), KDocManager::OpenResult::Opened);
    doc().setObserver(&frame());
    EXPECT_TRUE(spy.busyWhileLoading);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Failures are told with the ordinary cursor, and it stays ordinary afterwards.
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
