#include "tolvex7/KHelpShow.h"
#include "tolvex7/KHelpWindow.h"
#include "tolvex7/KSelectString.h"

#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"

#include <QDialog>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string describe(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
           "x" + std::to_string(r.height());
}

// A manual on disk: two pages, a table that also names a page that does not exist.
class HelpFolder : public testing::Test {
protected:
    HelpFolder() {
        put("inhoud.txt", "# Inhoud\n"
                          "eerste.md   10 11   # uitleg\n"
                          "            12\n"
                          "weg.md      13\n"
                          "            14\n"
                          "tweede.md   20\n");
        put("eerste.md", "Inleiding zonder kop\n\n# Eerste pagina\n\nOver de **leden**.\n");
        put("tweede.md", "# Tweede pagina\n\nZie [de eerste](eerste.md).\n");
    }
    ~HelpFolder() override { delete KHelpWindow::current(); }

    void put(const char* name, const char* text) {
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir m_dir;
};

TEST_F(HelpFolder, TheTableGivesThePagesTheirTitlesAndContexts) {
    ASSERT_TRUE(KHelpWindow::isHelpFolder(m_dir.path()));
    EXPECT_FALSE(KHelpWindow::isHelpFolder(QDir::tempPath()));
    const auto pages = KHelpWindow::readContents(m_dir.path());
    ASSERT_EQ(pages.size(), 2u) << "a page that does not exist is left out, with its contexts";
    EXPECT_EQ(pages[0].file, "eerste.md");
    EXPECT_EQ(pages[0].title, "Eerste pagina");
    EXPECT_EQ(pages[0].contexts, (std::vector<unsigned>{10, 11, 12}));
    EXPECT_EQ(pages[1].title, "Tweede pagina");
    EXPECT_EQ(pages[1].contexts, (std::vector<unsigned>{20}));
}

TEST_F(HelpFolder, AContextOpensItsPageAndAnUnknownOneTheFirst) {
    guiApplication();
    KHelpWindow window(m_dir.path());
    window.showContext(20);
    EXPECT_EQ(window.currentPage(), 1);
    window.showContext(14); // its page does not exist
    EXPECT_EQ(window.currentPage(), 0);
    EXPECT_TRUE(window.browser()->toPlainText().contains("Over de leden."));
    EXPECT_EQ(window.search("LEDEN"), std::vector<int>{0});
}

TEST_F(HelpFolder, HelpAskedForInAModalDialogCanBeUsed) {
    guiApplication();
    const std::string folder = QFile::encodeName(m_dir.path()).toStdString();
    const std::vector<std::string> items = {"Lid", "Donateur"};
    QWidget* helpParent = nullptr;
    QWidget* dialog = nullptr;
    ModalAnswer answer([&](QWidget* window) {
        dialog = window;
        ModalAnswer::click(window, "&Help");
        helpParent = KHelpWindow::current() ? KHelpWindow::current()->parentWidget() : nullptr;
        ModalAnswer::click(window, "&Annuleren");
    });
    KSelectString select(items, "Kies", 0, folder.c_str(), 20);
    select.exec();
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(helpParent, dialog) << "only the modal dialog's own windows take input";
    ASSERT_NE(KHelpWindow::current(), nullptr);
    EXPECT_EQ(KHelpWindow::current()->currentPage(), 1);

    // Asked for again without a modal dialog, the help is a window of its own.
    EXPECT_TRUE(KHelpShow::openHelp(folder, 10));
    EXPECT_EQ(KHelpWindow::current()->parentWidget(), nullptr);
    EXPECT_EQ(KHelpWindow::current()->currentPage(), 0);
}

// Wherever it stood before and whatever it opens over, the help window opens within the room
// the screen has for windows.
TEST_F(HelpFolder, TheWindowOpensWithinTheScreen) {
    guiApplication();
    KHelpWindow* window = KHelpWindow::open(m_dir.path(), 10);
    ASSERT_NE(window, nullptr);
    const QRect room = window->screen()->availableGeometry();
    const auto within = [&room] {
        const QRect frame = KHelpWindow::current()->frameGeometry();
        return room.contains(frame) ? std::string() : "outside: " + describe(frame);
    };
    EXPECT_EQ(within(), "");

    // Left hanging below and beside the screen, it comes back when asked for again.
    window->move(room.right() - 100, room.bottom() - 100);
    ASSERT_NE(within(), "");
    KHelpWindow::open(m_dir.path(), 20);
    EXPECT_EQ(within(), "");
    // Grown beyond the screen, it is made to fit.
    window->resize(room.size() + QSize(200, 200));
    KHelpWindow::open(m_dir.path(), 20);
    EXPECT_EQ(within(), "");
    EXPECT_EQ(KHelpWindow::current(), window) << "the same window all along";
    delete window;

    // Asked for in a modal dialog in the screen's corner, it becomes the dialog's window.
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.resize(300, 200);
    dialog.move(room.bottomRight() - QPoint(320, 240));
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    window = KHelpWindow::open(m_dir.path(), 20);
    EXPECT_EQ(window->parentWidget(), &dialog);
    EXPECT_EQ(within(), "");
    delete window;
}

} // namespace
