#include "KorvelFixture.h"

#include "app/HelpCommands.h"
#include "grid/CvsFlexGrid.h"
#include "res/Commands.h"
#include "tolvex7/KHelpWindow.h"
#include "view/KDialogHelp.h"
#include "view/KMainView.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTableView>
#include <QTextBrowser>
#include <QToolBar>

#include <set>

namespace {

const QString kSourceManual = QStringLiteral(KORVEL_SOURCE_DIR "/docs/handleiding");

class Help : public KorvelFixture {
protected:
    ~Help() override {
        if (KHelpWindow* window = KHelpWindow::current())
            delete window;
    }

    // The page the help window shows; empty when there is no window.
    static QString shownPage() {
        KHelpWindow* window = KHelpWindow::current();
        if (!window || !window->isVisible() || window->currentPage() < 0)
            return {};
        return window->pages().at(static_cast<std::size_t>(window->currentPage())).file;
    }

    // Clicks a widget the way the mouse does, press and release.
    static void click(QWidget* widget, QPoint at = {}) {
        if (at.isNull())
            at = widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    }

    bool pointing() const {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        return cursor && cursor->shape() == Qt::WhatsThisCursor;
    }
};

TEST_F(Help, TheManualShipsEveryPageAndTiesCommandsToThem) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(KHelpWindow::isHelpFolder(QString::fromLatin1(kManualFolder)));
    const auto pages = KHelpWindow::readContents(QString::fromLatin1(kManualFolder));
    ASSERT_GE(pages.size(), 3u);

    // Every page of docs/handleiding is in the contents and shipped with the program.
    std::set<QString> listed;
    for (const auto& page : pages)
        listed.insert(page.file);
    QDirIterator sources(kSourceManual, {QStringLiteral("*.md")}, QDir::Files);
    int onDisk = 0;
    while (sources.hasNext()) {
        const QString file = QFileInfo(sources.next()).fileName();
        if (file == QLatin1String("README.md"))
            continue;
        ++onDisk;
        EXPECT_EQ(listed.count(file), 1u) << file.toStdString() << " is missing in inhoud.txt "
                                          << "or in res/handleiding.qrc";
    }
    EXPECT_EQ(onDisk, static_cast<int>(pages.size()));

    std::set<unsigned> tied;
    for (const auto& page : pages) {
        EXPECT_FALSE(page.title.isEmpty()) << page.file.toStdString();
        for (unsigned context : page.contexts) {
            EXPECT_TRUE(tied.insert(context).second) << context << " has two pages";
            // A command's page, or a window's: 0x20000 plus the id of its form or dialog.
            EXPECT_TRUE(findCommand(static_cast<int>(context)) || context == kMemberListHelp ||
                        (context > 0x20000u && context < 0x20000u + 0x1000u))
                << context << " is no command and no window";
        }
    }
    // Every command that works has its page.
    for (const KCommand& command : allCommands()) {
        if (frame().action(command.id)->isEnabled()) {
            EXPECT_EQ(tied.count(static_cast<unsigned>(command.id)), 1u) << command.id;
        }
    }
}

// A picture a page shows ships with the program: the page finds it where its link points.
TEST_F(Help, EveryPictureOfThePagesShips) {
    ASSERT_TRUE(start());
    const QString folder = QString::fromLatin1(kManualFolder);
    const QRegularExpression picture(QStringLiteral(R"(!\[[^\]]*\]\(([^)]+)\))"));
    int pictures = 0;
    for (const auto& page : KHelpWindow::readContents(folder)) {
        QFile file(QDir(folder).filePath(page.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.file.toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        for (const auto& match : picture.globalMatch(text)) {
            ++pictures;
            const QString path = QDir::cleanPath(folder + QLatin1Char('/') + match.captured(1));
            EXPECT_TRUE(QFile::exists(path)) << page.file.toStdString() << ": "
                                             << match.captured(1).toStdString();
        }
    }
    EXPECT_GT(pictures, 0);
}

TEST_F(Help, F1AndHelpTopicsOpenTheManual) {
    ASSERT_TRUE(start());
    trigger(Cmd::Help);
    EXPECT_EQ(shownPage(), QStringLiteral("starten.md"));
    KHelpWindow* window = KHelpWindow::current();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Help - Korvel starten"));
    // The page is shown as text, not as its Markdown source.
    const QString text = window->browser()->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Korvel starten"))) << text.left(80).toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("**")));
    EXPECT_EQ(window->contentsList()->count(), static_cast<int>(window->pages().size()));

    window->close();
    trigger(Cmd::HelpFinder);
    EXPECT_EQ(shownPage(), QStringLiteral("starten.md"));
    EXPECT_TRUE(frame().action(Cmd::Help)->shortcuts().contains(QKeySequence(Qt::Key_F1)));
}

TEST_F(Help, ShiftF1ThenAToolbarButtonShowsItsPageWithoutRunningIt) {
    ASSERT_TRUE(start());
    addMember(doc(), "Piet Jansen");
    trigger(Cmd::ContextHelp);
    EXPECT_TRUE(pointing());
    click(frame().toolBar()->widgetForAction(frame().action(Cmd::FileNew)));
    EXPECT_EQ(shownPage(), QStringLiteral("bestanden.md"));
    EXPECT_FALSE(pointing());
    EXPECT_TRUE(prompts().askedToSave.isEmpty()) << "New did not run";
    EXPECT_EQ(doc().members().size(), 1u);

    // A button that cannot be used has its page too.
    trigger(Cmd::ContextHelp);
    click(frame().toolBar()->widgetForAction(frame().action(Cmd::EditCut)));
    EXPECT_EQ(shownPage(), QStringLiteral("bewerken.md"));
}

TEST_F(Help, ShiftF1ThenAMenuItemShowsItsPage) {
    ASSERT_TRUE(start());
    trigger(Cmd::ContextHelp);
    QMenu* file = frame().menuBar()->actions().front()->menu();
    file->popup(frame().mapToGlobal(QPoint(10, 10)));
    QAction* saveAs = frame().action(Cmd::FileSaveAs);
    click(file, file->actionGeometry(saveAs).center());
    EXPECT_EQ(shownPage(), QStringLiteral("bestanden.md"));
    EXPECT_FALSE(file->isVisible());
    EXPECT_TRUE(prompts().suggestedPaths.isEmpty()) << "Save As did not run";
}

TEST_F(Help, ShiftF1ThenTheMemberListOrEscape) {
    ASSERT_TRUE(start());
    trigger(Cmd::ContextHelp);
    QWidget* list = frame().view()->grid().view()->viewport();
    click(list);
    EXPECT_EQ(shownPage(), QStringLiteral("ledenlijst.md"));
    KHelpWindow::current()->close();

    trigger(Cmd::ContextHelp);
    QTest::keyClick(&frame(), Qt::Key_Escape);
    EXPECT_FALSE(pointing());
    click(list);
    EXPECT_EQ(shownPage(), QString()) << "after Escape a click is an ordinary click";
}

// A dialog names its page by the window's help context; the program shows it in the help window.
TEST_F(Help, ADialogsHelpShowsItsPage) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(KDialogHelp::available());
    KDialogHelp::show(KHelpContext::window(177));
    EXPECT_EQ(shownPage(), QStringLiteral("financieel.md"));
    KDialogHelp::show(KHelpContext::window(173));
    EXPECT_EQ(shownPage(), QStringLiteral("velden.md"));
    KDialogHelp::show(KHelpContext::command(Cmd::Settings));
    EXPECT_EQ(shownPage(), QStringLiteral("instellingen.md"));
    KDialogHelp::show(KHelpContext::window(0xFFF));
    EXPECT_EQ(shownPage(), QStringLiteral("starten.md")) << "an unknown page opens the manual";
}

TEST_F(Help, SearchFindsPagesByEveryWordCaseAndAccentsAside) {
    ASSERT_TRUE(start());
    trigger(Cmd::Help);
    KHelpWindow* window = KHelpWindow::current();
    auto titles = [window](const QString& query) {
        QStringList found;
        for (int index : window->search(query))
            found.append(window->pages().at(static_cast<std::size_t>(index)).file);
        return found;
    };
    EXPECT_EQ(titles(QStringLiteral("Reservekopie TERUGZETTEN")),
              QStringList{QStringLiteral("bestanden.md")});
    EXPECT_TRUE(titles(QStringLiteral("kopieren werkbalk")).contains(QStringLiteral("starten.md")));
    EXPECT_TRUE(titles(QStringLiteral("reservekopie sorteren")).isEmpty());
    EXPECT_TRUE(titles(QStringLiteral("  ")).isEmpty());

    // Typing shows the results; choosing one shows its page with the word marked.
    window->searchEdit()->setText(QStringLiteral("achternaam"));
    ASSERT_EQ(window->resultList()->count(), 1);
    window->resultList()->setCurrentRow(0);
    EXPECT_EQ(shownPage(), QStringLiteral("ledenlijst.md"));
    EXPECT_EQ(window->browser()->textCursor().selectedText(), QStringLiteral("achternaam"));
}

TEST_F(Help, LinksLeadToOtherPagesAndTheContentsFollow) {
    ASSERT_TRUE(start());
    trigger(Cmd::Help);
    KHelpWindow* window = KHelpWindow::current();
    const QUrl link = window->browser()->source().resolved(QUrl(QStringLiteral("bestanden.md")));
    window->browser()->setSource(link);
    EXPECT_EQ(shownPage(), QStringLiteral("bestanden.md"));
    EXPECT_EQ(window->contentsList()->currentItem()->text(),
              QStringLiteral("Bestanden en reservekopieën"));
    EXPECT_FALSE(window->browser()->toPlainText().contains(QStringLiteral("**")));
    window->browser()->backward();
    EXPECT_EQ(shownPage(), QStringLiteral("starten.md"));
}

} // namespace
