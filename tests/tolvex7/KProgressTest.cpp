#include "tolvex7/KProgress.h"

#include "tests/support/GuiApplication.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <QProgressBar>

#include <gtest/gtest.h>

#include <climits>
#include <ctime>

namespace {

// A progress window on a clock the test sets.
class Progress : public testing::Test {
protected:
    Progress() {
        guiApplication();
        m_window.setClock([this] { return m_now; });
    }

    void at(std::time_t seconds) { m_now = seconds; }

    std::time_t m_now = 1000;
    KProgress m_window{"Leden inlezen"};
};

} // namespace

TEST_F(Progress, TextsOfTheSteps) {
    struct Case {
        std::time_t at;
        long done, total;
        const char* progress;
        const char* elapsed;
        const char* remaining;
        int bar; // per mille
    };
    // Each call is a new second, so every text is refreshed.
    const Case cases[] = {
        {1000, 0, 0, "1/1 (100%)", "00:00:00", "00:00:00", 1000},
        {1010, 25, 100, "25/100 (25%)", "00:00:10", "00:00:30", 250},
        {1013, 2, 3, "2/3 (66%)", "00:00:13", "00:00:06", 666},
        {1020, 150, 100, "150/100 (150%)", "00:00:20", "00:00:00", 1000}, // more than the total
        {1030, -5, 100, "-5/100 (-5%)", "00:00:30", "00:00:00", 0},
        {1000 + 3661, 1, 1, "1/1 (100%)", "01:01:01", "00:00:00", 1000},
        {1000 + 3700, 1, LONG_MAX, "", "01:01:40", "99999:59:59", 0}, // an estimate beyond reason
        {1000 + 3701, LONG_MAX, 3, "", "01:01:41", "00:00:00", 1000},
    };
    for (const Case& c : cases) {
        at(c.at);
        EXPECT_EQ(m_window.Show(c.done, c.total), 0);
        if (*c.progress) {
            EXPECT_EQ(m_window.progressText(), c.progress) << c.done << "/" << c.total;
        }
        EXPECT_EQ(m_window.elapsedText(), c.elapsed) << c.done << "/" << c.total;
        EXPECT_EQ(m_window.remainingText(), c.remaining) << c.done << "/" << c.total;
        EXPECT_EQ(m_window.bar()->value(), c.bar) << c.done << "/" << c.total;
    }
    EXPECT_EQ(m_window.info(), "Leden inlezen");
    EXPECT_EQ(m_window.windowTitle(), "Voortgangsrapportage");
}

TEST_F(Progress, FirstCallEstimatesFromOneStepAndTheStartIsKept) {
    at(500);
    m_window.Show(1, 10);
    at(504);
    m_window.Show(0, 10); // counts as one step done
    EXPECT_EQ(m_window.remainingText(), "00:00:36") << "(10 - 1) × 4 seconds";
    at(510);
    m_window.Show(5, 5);
    EXPECT_EQ(m_window.elapsedText(), "00:00:10") << "a second job counts from the first";
    m_window.setStart(505);
    at(511);
    m_window.Show(3, 5);
    EXPECT_EQ(m_window.elapsedText(), "00:00:06");
    EXPECT_EQ(m_window.remainingText(), "00:00:04");
}

TEST_F(Progress, WithinOneSecondOnlyTheProgressChangesAndNothingIsProcessed) {
    at(2000);
    m_window.Show(1, 100);
    const int pumps = m_window.pumpCount();
    int delivered = 0;
    QTimer::singleShot(0, [&] { ++delivered; });
    m_window.Show(2, 100);
    m_window.Show(3, 100);
    EXPECT_EQ(m_window.progressText(), "3/100 (3%)");
    EXPECT_EQ(m_window.pumpCount(), pumps);
    EXPECT_EQ(delivered, 0) << "no events are processed within the same second";
    at(2001);
    m_window.Show(4, 100);
    EXPECT_EQ(m_window.pumpCount(), pumps + 1);
    EXPECT_EQ(delivered, 1) << "a new second processes what is pending";
    EXPECT_EQ(m_window.remainingText(), "00:00:24");
}

TEST_F(Progress, StopIsPressedWhileShowProcessesEvents) {
    at(3000);
    EXPECT_EQ(m_window.Show(1, 10), 0);
    QTimer::singleShot(0, m_window.stopButton(), &QPushButton::click);
    at(3001);
    EXPECT_EQ(m_window.Show(2, 10), 1) << "the click is handled within the call";
    for (int step = 3; step <= 5; ++step) {
        at(3000 + step);
        EXPECT_EQ(m_window.Show(step, 10), 1) << "a stop stays";
    }
    EXPECT_EQ(m_window.Show(6, 10), 1) << "also within the same second";
}

TEST_F(Progress, CloseBoxAndEscapeAskToStop) {
    ASSERT_TRUE(m_window.windowHandle());
    m_window.windowHandle()->close(); // as the window system does for the close box
    EXPECT_TRUE(m_window.stopRequested());
    EXPECT_TRUE(m_window.isVisible()) << "the window stays until the work has stopped";

    KProgress other("Opslaan");
    other.setClock([] { return std::time_t(1); });
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&other, &escape);
    EXPECT_EQ(other.Show(1, 2), 1);
}

TEST_F(Progress, EveryTextFitsItsLabel) {
    KProgress window("Een lange omschrijving van het werk dat deze voortgangsrapportage volgt, "
                     "langer dan het venster breed is");
    window.setClock([] { return std::time_t(7); });
    window.Show(123456789, 987654321);
    QCoreApplication::processEvents();
    for (QLabel* label : window.findChildren<QLabel*>()) {
        const QString text = label->text();
        if (label->wordWrap()) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width())) << text.toStdString();
        } else {
            EXPECT_GE(label->width(), label->sizeHint().width()) << text.toStdString();
        }
        EXPECT_TRUE(window.rect().contains(label->geometry())) << text.toStdString();
    }
    EXPECT_EQ(window.stopButton()->text(), "&Stop");
    EXPECT_GE(window.stopButton()->width(), window.stopButton()->sizeHint().width());
    EXPECT_TRUE(window.isVisible()) << "shown at once";
    EXPECT_FALSE(window.isModal());
}

TEST_F(Progress, BelongsToTheMainWindow) {
    QMainWindow main;
    main.show();
    KProgress window("Werk");
    EXPECT_EQ(window.parentWidget(), &main);
    KProgress modal("Werk", nullptr, Qt::ApplicationModal);
    EXPECT_EQ(modal.windowModality(), Qt::ApplicationModal);
}
