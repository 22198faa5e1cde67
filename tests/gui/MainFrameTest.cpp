#include "KorvelFixture.h"

#include "res/Commands.h"
#include "grid/CvsFlexGrid.h"
#include "view/KMainView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace {

using MainFrame = KorvelFixture;

TEST_F(MainFrame, OnlyBuiltCommandsAreEnabled) {
    QApplication::clipboard()->clear(); // nothing to paste
    ASSERT_TRUE(start());
    std::set<int> working = {
        Cmd::FileNew,    Cmd::FileOpen,     Cmd::FileSave,     Cmd::FileSaveAs,
        Cmd::AppExit,    Cmd::AppAbout,     Cmd::ViewToolbar,  Cmd::ViewStatusBar,
        Cmd::FileMru1,   Cmd::FileMru1 + 1, Cmd::FileMru1 + 2, Cmd::FileMru1 + 3,
        Cmd::HelpFinder, Cmd::Help,         Cmd::ContextHelp,  Cmd::DefaultHelp,
        Cmd::MemberAdd,  Cmd::MemberEdit,   Cmd::MemberDelete, Cmd::EditFind};
    // The configuration: always enabled.
    working.insert({Cmd::ConfigTabs, Cmd::ConfigFields, Cmd::ConfigMemberTypes,
                    Cmd::ConfigColumns, Cmd::Settings});
    // Contributions: a new scheme and the overview need nothing.
    working.insert({Cmd::ContrNew, Cmd::ContrOverview});
    // Direct debits: the command says itself what is missing.
    working.insert(Cmd::ContrSepa);
    // Output: export, printing, font, messages.
    working.insert({Cmd::MemberExport, Cmd::FilePrint, Cmd::ViewFont, Cmd::SendMessage});
    // Exchange: importing and the Excel export; pasting waits for text on the clipboard.
    working.insert({Cmd::FileImport, Cmd::MemberExportExcel});
    // Files: taking back a backup says itself when no file is open.
    working.insert(Cmd::FileRestoreBackup);
    for (const KCommand& command : allCommands()) {
        QAction* action = frame().action(command.id);
        ASSERT_NE(action, nullptr) << command.id;
        EXPECT_EQ(action->isEnabled(), working.count(command.id) == 1) << command.id;
        EXPECT_EQ(action->statusTip(), QString::fromUtf8(command.statusText)) << command.id;
    }
    EXPECT_EQ(frame().action(12345), nullptr);
}

TEST_F(MainFrame, MenusAndToolbarFollowTheLayout) {
    ASSERT_TRUE(start());
    QStringList titles;
    for (QAction* menu : frame().menuBar()->actions())
        titles.append(menu->text());
    EXPECT_EQ(titles, (QStringList{"&Bestand", "Be&werken", "&Leden", "&Financieel",
                                   "&Configuratie", "&Toon", "&Help"}));

    QStringList file;
    for (QAction* item : frame().menuBar()->actions().front()->menu()->actions())
        if (item->isVisible())
            file.append(item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(file, (QStringList{"&Nieuw", "&Open...", "&Bewaar", "Bewaar A&ls...", "-",
                                 "&Importeren...", "&Reservekopie terugzetten...", "-",
                                 "&Afdrukken...", "-", "Recente bestanden",
                                 "-", "&Einde"}));

    QList<int> buttons;
    for (QAction* button : frame().toolBar()->actions()) {
        int id = 0;
        for (const KCommand& command : allCommands())
            if (frame().action(command.id) == button)
                id = command.id;
        buttons.append(id);
    }
    EXPECT_EQ(buttons, (QList<int>{Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, 0, Cmd::EditCut,
                                   Cmd::EditCopy, Cmd::EditPaste, 0, Cmd::FilePrint, 0,
                                   Cmd::AppAbout, Cmd::ContextHelp}));
    EXPECT_EQ(frame().action(Cmd::FileSave)->shortcut(), QKeySequence(QStringLiteral("Ctrl+B")));
    EXPECT_EQ(frame().action(Cmd::EditCopy)->shortcuts().size(), 2);
}

// The letter after "&" in a menu text, lower case; none when the text has no access key.
QChar accessKey(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toLower();
        ++i; // "&&" is a plain "&"
    }
    return {};
}

TEST_F(MainFrame, EveryMenuAndItemHasAnAccessKeyOfItsOwn) {
    ASSERT_TRUE(start());
    std::map<QChar, QString> titles;
    for (QAction* menu : frame().menuBar()->actions()) {
        const QChar key = accessKey(menu->text());
        ASSERT_FALSE(key.isNull()) << menu->text().toStdString();
        EXPECT_TRUE(titles.emplace(key, menu->text()).second)
            << menu->text().toStdString() << " and " << titles[key].toStdString();
        std::map<QChar, QString> items;
        for (QAction* item : menu->menu()->actions()) {
            if (item->isSeparator() || !item->isVisible())
                continue;
            const QChar itemKey = accessKey(item->text());
            if (itemKey.isNull())
                continue; // the greyed "Recente bestanden" place
            EXPECT_TRUE(items.emplace(itemKey, item->text()).second)
                << menu->text().toStdString() << ": " << item->text().toStdString() << " and "
                << items[itemKey].toStdString();
        }
    }
    // The keys of the items of this round (Importeren, Reservekopie; Excel, Leeftijd; Incasso,
    // Bankafschrift) are left to them.
    const std::map<int, std::vector<QChar>> reserved = {
        {0, {u'i', u'r'}}, {2, {u'e', u'l'}}, {3, {u'i', u'b'}}};
    for (const auto& [menuIndex, keys] : reserved) {
        QMenu* menu = frame().menuBar()->actions().at(menuIndex)->menu();
        for (QAction* item : menu->actions()) {
            const QChar key = accessKey(item->text());
            // The items of this round themselves (ids 32810 to 32816) take them.
            bool ownItem = false;
            for (int id = 32810; id <= 32816; ++id)
                ownItem = ownItem || (frame().action(id) && item == frame().action(id));
            if (!ownItem) {
                EXPECT_EQ(std::count(keys.begin(), keys.end(), key), 0)
                    << item->text().toStdString();
            }
        }
    }
    EXPECT_EQ(frame().action(Cmd::EditFind)->text(), QStringLiteral("&Zoeken..."));
    EXPECT_EQ(frame().action(Cmd::EditFind)->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    EXPECT_EQ(frame().action(Cmd::FilePrint)->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
}

TEST_F(MainFrame, TheViewMenuAndTheCountSpeakDutch) {
    ASSERT_TRUE(start());
    QStringList view;
    for (QAction* item : frame().menuBar()->actions().at(5)->menu()->actions())
        view.append(item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(view, (QStringList{"&Werkbalk", "&Statusbalk", "-", "&Lettertype...",
                                 "&Instellingen"}));
    EXPECT_EQ(frame().toolBar()->windowTitle(), QStringLiteral("Werkbalk"));
    frame().showMemberCount(1);
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("1 lid"));
    frame().showMemberCount(0);
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("0 leden"));
    // Message and choice windows show the program's icon too.
    EXPECT_FALSE(QApplication::windowIcon().isNull());
}

TEST_F(MainFrame, TheStatusBarKeepsTheCountWhileHidden) {
    ASSERT_TRUE(start());
    frame().showMemberCount(17);
    trigger(Cmd::ViewStatusBar);
    EXPECT_FALSE(frame().statusBar()->isVisible());
    trigger(Cmd::ViewStatusBar);
    EXPECT_TRUE(frame().statusBar()->isVisible());
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("17 leden"));

    trigger(Cmd::ViewToolbar);
    EXPECT_FALSE(frame().toolBar()->isVisible());
}

TEST_F(MainFrame, SavesANewAdministrationAndOpensItAgain) {
    ASSERT_TRUE(start());
    addMember(doc(), "Piet Jansen");
    addMember(doc(), "Els de Vries");
    const QString club = dataPath(QStringLiteral("nieuw"));
    prompts().savePaths.push_back(club);
    trigger(Cmd::FileSave); // no file yet: asks for one
    const QString saved = club + QStringLiteral(".kvl");
    EXPECT_EQ(doc().pathName(), saved);
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(frame().shownTitle(), QStringLiteral("nieuw.kvl - Korvel"));

    trigger(Cmd::FileNew);
    EXPECT_TRUE(prompts().askedToSave.isEmpty());
    EXPECT_TRUE(doc().members().empty());
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("0 leden"));
    EXPECT_EQ(frame().shownTitle(), QStringLiteral("Korvel - Korvel"));

    prompts().openPaths.push_back(saved);
    trigger(Cmd::FileOpen);
    EXPECT_EQ(doc().pathName(), saved);
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("2 leden"));
    EXPECT_EQ(frame().view()->grid().rowCount(), 3); // the title row and two members
    EXPECT_TRUE(prompts().errors.isEmpty());
    EXPECT_EQ(m_app->docManager().recentFiles(), QStringList{saved});
}

TEST_F(MainFrame, AFileThatCannotBeReadLeavesTheOpenAdministration) {
    ASSERT_TRUE(start());
    addMember(doc(), "Piet Jansen");
    ASSERT_EQ(frame().view()->grid().rowCount(), 2);
    QFile damaged(dataPath(QStringLiteral("kapot.kvl")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\x0b\x00\x01", 3);
    damaged.close();

    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::No);
    prompts().openPaths.push_back(damaged.fileName());
    trigger(Cmd::FileOpen);
    ASSERT_EQ(prompts().errors.size(), 1);
    EXPECT_TRUE(prompts().errors.front().contains(QStringLiteral("kapot.kvl")));
    EXPECT_TRUE(doc().pathName().isEmpty());
    EXPECT_EQ(doc().members().size(), 1u);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(frame().view()->grid().rowCount(), 2);
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("1 lid"));
    EXPECT_EQ(frame().shownTitle(), QStringLiteral("Korvel* - Korvel"));
    EXPECT_TRUE(m_app->docManager().recentFiles().isEmpty());
}

TEST_F(MainFrame, AFileThatCannotBeOpenedLeavesTheAdministration) {
    ASSERT_TRUE(start());
    addMember(doc(), "Piet Jansen");
    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::No);
    prompts().openPaths.push_back(dataPath(QStringLiteral("weg.kvl")));
    trigger(Cmd::FileOpen);
    EXPECT_EQ(prompts().errors.size(), 1);
    EXPECT_EQ(doc().members().size(), 1u);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(MainFrame, AsksToSaveAModifiedDocumentBeforeNew) {
    ASSERT_TRUE(start());
    addMember(doc(), "Piet Jansen");

    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::Cancel);
    trigger(Cmd::FileNew);
    EXPECT_EQ(prompts().askedToSave, QStringList{QStringLiteral("Korvel")});
    EXPECT_EQ(doc().members().size(), 1u);

    // Yes with no file yet asks for one; cancelling that keeps everything.
    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::Yes);
    trigger(Cmd::FileNew);
    EXPECT_EQ(doc().members().size(), 1u);

    const QString club = dataPath(QStringLiteral("club.kvl"));
    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::Yes);
    prompts().savePaths.push_back(club);
    trigger(Cmd::FileNew);
    EXPECT_TRUE(doc().members().empty());
    EXPECT_TRUE(QFile::exists(club));

    addMember(doc(), "Els de Vries");
    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::No);
    trigger(Cmd::FileNew);
    EXPECT_TRUE(doc().members().empty());
    EXPECT_EQ(prompts().askedToSave.size(), 4);
}

TEST_F(MainFrame, AFailedSaveSaysSoAndKeepsTheChanges) {
    ASSERT_TRUE(start());
    addMember(doc(), "Piet Jansen");
    prompts().savePaths.push_back(dataPath(QStringLiteral("geen/map/club.kvl")));
    trigger(Cmd::FileSaveAs);
    EXPECT_EQ(prompts().errors.size(), 1);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_TRUE(doc().pathName().isEmpty());
    EXPECT_EQ(frame().shownTitle(), QStringLiteral("Korvel* - Korvel")) << "still unsaved";
    EXPECT_TRUE(m_app->docManager().recentFiles().isEmpty());
}

TEST_F(MainFrame, ClosingAsksFirstAndCanBeCancelled) {
    ASSERT_TRUE(start());
    addMember(doc(), "Piet Jansen");
    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::Cancel);
    EXPECT_FALSE(frame().close());
    EXPECT_TRUE(frame().isVisible());
    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::No);
    EXPECT_TRUE(frame().close());
}

TEST_F(MainFrame, KeepsFourRecentFilesAndDropsOnesThatFail) {
    ASSERT_TRUE(start());
    QStringList paths;
    for (int i = 1; i <= 5; ++i)
        paths.append(writeClub(dataPath(QStringLiteral("club%1.kvl").arg(i)), {"Ans Bos"}));
    for (const QString& path : paths)
        ASSERT_EQ(m_app->docManager().openDocumentFile(path), KOutcome::Done);
    const QStringList expected{paths[4], paths[3], paths[2], paths[1]};
    EXPECT_EQ(m_app->docManager().recentFiles(), expected);
    EXPECT_TRUE(frame().action(Cmd::FileMru1 + 1)->text().endsWith(QStringLiteral("club4.kvl")));

    trigger(Cmd::FileMru1 + 2);
    EXPECT_EQ(doc().pathName(), paths[2]);
    EXPECT_EQ(m_app->docManager().recentFiles().front(), paths[2]);

    QFile::remove(paths[1]);
    trigger(Cmd::FileMru1 + 3);
    EXPECT_EQ(prompts().errors.size(), 1);
    EXPECT_FALSE(m_app->docManager().recentFiles().contains(paths[1]));
    EXPECT_EQ(doc().pathName(), paths[2]);
}

TEST_F(MainFrame, OpeningTheOpenFileAgainKeepsItsChanges) {
    const QString club = writeClub(dataPath(QStringLiteral("club.kvl")), {"Ans Bos"});
    ASSERT_TRUE(start({club}));
    addMember(doc(), "Piet Jansen");
    prompts().openPaths.push_back(club);
    trigger(Cmd::FileOpen);
    EXPECT_TRUE(prompts().askedToSave.isEmpty());
    EXPECT_EQ(doc().members().size(), 2u);
}

} // namespace
