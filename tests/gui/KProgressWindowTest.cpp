#include "progress/KProgressWindow.h"
#include "tolvex7/KProgress.h"

#include <QApplication>
#include <QCursor>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Work of a number of steps, each taking some milliseconds of a clock the test moves.
class SlowWork : public testing::Test {
protected:
    SlowWork() {
        m_progress.setClock([this] { return m_now; });
    }
    ~SlowWork() override { m_progress.finish(); }

    // Runs steps from..to, each after stepMs; the step at which the work stopped, or 0.
    int run(int from, int to, qint64 stepMs, const std::function<void(int)>& during = {}) {
        for (int step = from; step <= to; ++step) {
            m_now += stepMs;
            if (during)
                during(step);
            if (!m_progress.advance(step))
                return step;
        }
        return 0;
    }

    static bool busy() {
        return QGuiApplication::overrideCursor() &&
               QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
    }

    qint64 m_now = 10000;
    KProgressWindow m_progress;
};

} // namespace

TEST_F(SlowWork, ShortWorkShowsOnlyABusyCursor) {
    m_progress.start(QStringLiteral("Opslaan"), 1000);
    EXPECT_TRUE(busy());
    EXPECT_EQ(run(1, 1000, 0), 0);
    m_now += KProgressWindow::kDelayMs - 1;
    EXPECT_TRUE(m_progress.advance(1000));
    EXPECT_EQ(m_progress.window(), nullptr) << "work within half a second shows no window";
    m_progress.finish();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(SlowWork, LongWorkShowsTheWindowAndStopsWhenAsked) {
    m_progress.start(QStringLiteral("Contributie uitvoeren voor café-leden"), 100);
    EXPECT_EQ(run(1, 4, 100), 0);
    EXPECT_EQ(m_progress.window(), nullptr);
    EXPECT_TRUE(busy());
    EXPECT_EQ(run(5, 5, 100), 0) << "half a second: the window appears";
    KProgress* window = m_progress.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(window->info(), QStringLiteral("Contributie uitvoeren voor café-leden"));
    EXPECT_EQ(window->progressText(), "5/100 (5%)");
    EXPECT_FALSE(busy()) << "the window takes over from the busy cursor";

    EXPECT_EQ(run(6, 20, 100), 0);
    EXPECT_EQ(window->elapsedText(), "00:00:02") << "counted from the start of the work";
    EXPECT_EQ(window->remainingText(), "00:00:08");

    // The user presses Stop while the window processes events.
    const int stopped = run(21, 100, 100, [&](int step) {
        if (step == 25)
            QTimer::singleShot(0, window->stopButton(), &QPushButton::click);
    });
    EXPECT_GE(stopped, 25);
    EXPECT_LE(stopped, 30) << "within the next second the work hears of it";
    EXPECT_FALSE(m_progress.advance(stopped + 1)) << "a stop stays";

    m_progress.finish();
    EXPECT_EQ(m_progress.window(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<KProgress*>(widget), nullptr) << "the window is gone";
}

TEST_F(SlowWork, UnknownTotalAndASecondJob) {
    m_progress.start(QStringLiteral("Inlezen"), 0);
    EXPECT_EQ(run(1, 1000, 1), 0);
    ASSERT_NE(m_progress.window(), nullptr);
    EXPECT_EQ(m_progress.window()->progressText(), "1000/1000 (100%)");

    m_progress.start(QStringLiteral("Opslaan"), 10);
    EXPECT_EQ(m_progress.window(), nullptr) << "a new job starts without window";
    EXPECT_TRUE(m_progress.advance(1)) << "and without the old job's stop or time";
    m_progress.finish();
    m_progress.finish();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the cursor is restored once";
    EXPECT_TRUE(m_progress.advance(1)) << "advance after finish does nothing";
    EXPECT_EQ(m_progress.window(), nullptr);
}
