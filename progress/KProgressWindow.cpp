#include "progress/KProgressWindow.h"

#include "platform/CodePage.h"
#include "tolvex7/KProgress.h"

#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <climits>

namespace {

qint64 steadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A count as the window takes it; long may be narrower than 64 bits.
long asLong(std::int64_t value) {
    return static_cast<long>(std::clamp<std::int64_t>(value, LONG_MIN, LONG_MAX));
}

} // namespace

KProgressWindow::KProgressWindow(QWidget* parent) : m_parent(parent), m_clock(steadyMilliseconds) {}

KProgressWindow::~KProgressWindow() {
    finish();
}

void KProgressWindow::setClock(Clock clock) {
    m_clock = clock ? std::move(clock) : Clock(steadyMilliseconds);
}

void KProgressWindow::start(const QString& text, std::int64_t total) {
    finish();
    m_text = text;
    m_total = total;
    m_startedAt = m_clock();
    m_running = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_busyCursor = true;
}

bool KProgressWindow::advance(std::int64_t done) {
    if (!m_running)
        return true;
    if (!m_window) {
        if (m_clock() - m_startedAt < kDelayMs)
            return true;
        showWindow();
    }
    // Without a known total the window shows what is done as all there is so far.
    const std::int64_t total = m_total > 0 ? m_total : std::max<std::int64_t>(done, 1);
    return m_window->Show(asLong(done), asLong(total)) == 0;
}

void KProgressWindow::finish() {
    m_running = false;
    m_window.reset();
    restoreCursor();
}

void KProgressWindow::showWindow() {
    restoreCursor();
    // Application-modal: while Show lets events through, the user can only stop the work,
    // not start other work on the same administration.
    m_window = std::make_unique<KProgress>(CodePage::fromQString(m_text).c_str(), m_parent.data(),
                                           Qt::ApplicationModal);
    // Seconds since the work started, so the times count from there, not from the window.
    m_window->setClock([clock = m_clock, startedAt = m_startedAt] {
        return static_cast<std::time_t>((clock() - startedAt) / 1000);
    });
    m_window->setStart(0);
}

void KProgressWindow::restoreCursor() {
    if (!m_busyCursor)
        return;
    m_busyCursor = false;
    QGuiApplication::restoreOverrideCursor();
}
