#include "tolvex7/DialogGeometry.h"
#include "tolvex7/KHelpShow.h"
#include "tolvex7/Messages.h"

#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

// Runs the test in a folder of its own as the current folder.
class InTempFolder {
public:
    InTempFolder() : m_old(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~InTempFolder() { QDir::setCurrent(m_old); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_old;
};

QString readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

TEST(Position, EdgesAndCentre) {
    const QRect screen(0, 0, 1024, 768);
    const QSize window(200, 100);
    struct Case {
        int horizontal, vertical;
        QPoint expected;
    };
    const Case cases[] = {
        {1, -1, {823, 667}}, // bottom right, one pixel from both edges
        {-1, 1, {1, 1}},     // top left
        {-1, -1, {1, 667}},  // bottom left
        {1, 1, {823, 1}},    // top right
        {0, 0, {412, 334}},  // centre
        {2, -2, {412, 334}}, // any other value centres
    };
    for (const Case& c : cases)
        EXPECT_EQ(DialogGeometry::positionFor(screen, window, c.horizontal, c.vertical), c.expected)
            << c.horizontal << "," << c.vertical;
    EXPECT_EQ(DialogGeometry::positionFor(QRect(1920, 0, 1024, 768), window, -1, 1),
              QPoint(1921, 1))
        << "a second screen counts from its own corner";
}

TEST(DialogGeometry, AWindowIsKeptWithinTheRoomOfItsScreen) {
    const QRect room(0, 24, 1280, 776); // a panel above
    struct Case {
        QRect frame;
        QRect expected;
        const char* what;
    };
    const Case cases[] = {
        {{100, 100, 600, 400}, {100, 100, 600, 400}, "inside: stays"},
        {{900, 600, 600, 400}, {680, 400, 600, 400}, "below and beside: moved back"},
        {{-50, 0, 600, 400}, {0, 24, 600, 400}, "above and before: moved on"},
        {{100, 100, 600, 900}, {100, 24, 600, 776}, "taller than the room: as tall"},
        {{-10, 30, 1400, 300}, {0, 30, 1280, 300}, "wider than the room: as wide"},
        {{1380, 124, 600, 400}, {680, 124, 600, 400}, "beside it altogether"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DialogGeometry::keptWithin(c.frame, room), c.expected) << c.what;
    EXPECT_EQ(DialogGeometry::keptWithin({1000, 100, 600, 400}, QRect(1280, 0, 1024, 768)),
              QRect(1280, 100, 600, 400))
        << "a second screen counts from its own corner";
}

TEST(ShowMessagesGeometry, GrowsWithinTheScreen) {
    EXPECT_EQ(DialogGeometry::messagesListSize(QSize(120, 1404), QSize(1024, 768)), QSize(120, 307))
        << "40 % of 768, not 1404";
    EXPECT_EQ(DialogGeometry::messagesListSize(QSize(1800, 32), QSize(1024, 768)), QSize(716, 32));
}

TEST(SelectStringGeometry, ListWidthFollowsTheWidestItem) {
    EXPECT_EQ(DialogGeometry::selectListWidth(360, 1024), 360);
    EXPECT_EQ(DialogGeometry::selectListWidth(360, 360), 360);
    EXPECT_EQ(DialogGeometry::selectListWidth(360, 359), 251);
}

TEST(DialogGeometry, WidestTextIsMeasuredNotCounted) {
    guiApplication();
    const QFontMetrics metrics(QApplication::font());
    // Fewer characters may still be wider.
    const QStringList texts{QStringLiteral("iiiiiiiiiiii"), QStringLiteral("WWWWWWWW"),
                            QStringLiteral("jan")};
    EXPECT_EQ(DialogGeometry::widestText(texts, metrics), 1);
    EXPECT_EQ(DialogGeometry::widestText({}, metrics), -1);
    QStringList many(5000, QStringLiteral("Piet"));
    many[4321] = QStringLiteral("Pietje Puk");
    EXPECT_EQ(DialogGeometry::widestText(many, metrics), 4321);
}

TEST(IsDigit, OnlyTheTenDigits) {
    for (char c : std::string("0123456789"))
        EXPECT_EQ(IsDigit(c), 1) << c;
    for (char c : std::string(" a/:Z\xB2\xBD\xE9\x80"))
        EXPECT_EQ(IsDigit(c), 0) << static_cast<int>(static_cast<unsigned char>(c));
}

TEST(BuildLastError, TextOfTheLastErrorAndNothingWithoutOne) {
    errno = ENOENT;
    EXPECT_EQ(BuildLastError(), std::string(std::strerror(ENOENT)));
    EXPECT_EQ(errno, ENOENT) << "asking does not change the error";
    errno = 0;
    EXPECT_EQ(BuildLastError(), "");
}

TEST(LogAlert, AppendsTimedLinesAndCutsLongOnes) {
    InTempFolder folder;
    LogAlert("x=%d", 5);
    LogAlert("%s", std::string(3000, 'a').c_str());
    const QStringList lines = readAll(QDir(folder.path()).filePath("log.txt")).split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d x=5$").match(lines[0]).hasMatch())
        << lines[0].toStdString();
    EXPECT_EQ(lines[1].size(), 9 + 1999) << "the message is cut to its buffer";
    EXPECT_EQ(lines[2], "");
}

TEST(LogAlert, SilentWhenTheLogCannotBeOpened) {
    InTempFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("log.txt"));
    LogAlert("x=%d", 5);
    EXPECT_TRUE(QFileInfo(QDir(folder.path()).filePath("log.txt")).isDir());
}

TEST(MessageBoxes, AlertShowsItsTextPlain) {
    guiApplication();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Korvel"));
    QString title, text;
    ModalAnswer answer([&](QWidget* box) {
        title = box->windowTitle();
        if (auto* message = qobject_cast<QMessageBox*>(box))
            text = message->text();
        ModalAnswer::click(box, "OK");
        box->close();
    });
    Alert("Lid %d: <b>%s</b>", 7, "Caf\xE9");
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(title, "Korvel"); // the program's name, not an English word
    EXPECT_EQ(text, QString::fromUtf8("Lid 7: <b>Café</b>"));
}

TEST(MessageBoxes, YesNoIgnoresEscape) {
    guiApplication();
    bool stillOpen = false;
    ModalAnswer no([&](QWidget* box) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &escape);
        box->close();
        stillOpen = box->isVisible();
        ModalAnswer::click(box, "&Nee");
    });
    EXPECT_EQ(YesNo("Verwijderen?"), 0);
    EXPECT_TRUE(stillOpen);
    ModalAnswer yes([](QWidget* box) { ModalAnswer::click(box, "&Ja"); });
    EXPECT_EQ(YesNo("Verwijderen?"), 1);
}

TEST(MessageBoxes, EnterAnswersTheDefaultButton) {
    guiApplication();
    const auto pressEnter = [](QWidget* box) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
    };
    ModalAnswer yes(pressEnter);
    EXPECT_EQ(YesNo("Doorvoeren?"), 1);
    ModalAnswer no(pressEnter);
    EXPECT_EQ(YesNoDefaultNo("Doorvoeren?"), 0);
    ModalAnswer clicked([](QWidget* box) { ModalAnswer::click(box, "&Ja"); });
    EXPECT_EQ(YesNoDefaultNo("Doorvoeren?"), 1);
}

TEST(MessageBoxes, YesNoAllStopAnswers) {
    guiApplication();
    const struct {
        const char* button;
        int expected;
    } cases[] = {{"&Ja", 1}, {"&Nee", 0}, {"Altijd J&a", 2}, {"Altijd N&ee", 3}, {"&Stop", -1}};
    for (const auto& c : cases) {
        QString caption;
        ModalAnswer answer([&](QWidget* box) {
            caption = box->windowTitle();
            ModalAnswer::click(box, c.button);
        });
        EXPECT_EQ(YesNoAllStop("Contributie", "Lid %s?", "Jan"), c.expected) << c.button;
        EXPECT_EQ(caption, "Contributie");
    }
    ModalAnswer escape([](QWidget* box) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &key);
    });
    EXPECT_EQ(YesNoAllStop("", "Doorgaan?"), -1) << "Escape stops";
}

TEST(KHelpShow, ShowsItsTextAndNeedsAHelpFile) {
    guiApplication();
    KHelpShow dialog("Uitleg \x93kort\x94", 12);
    EXPECT_EQ(dialog.windowTitle(), "Dialog");
    EXPECT_EQ(dialog.text(), QString::fromUtf8("Uitleg “kort”"));
    EXPECT_EQ(dialog.helpContext(), 12u);
    EXPECT_FALSE(KHelpShow::openHelp("", 12));
}
