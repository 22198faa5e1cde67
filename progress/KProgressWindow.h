#pragma once

#include "core/KProgressReport.h"

#include <QPointer>
#include <QtGlobal>

#include <functional>
#include <memory>

class KProgress;
class QWidget;

// How the program shows the progress of its long work. Work that is done within half a second
// shows nothing but a busy cursor; longer work gets the "Voortgangsrapportage" window, which
// closes the rest of the program to the user while it runs and whose "&Stop" stops the work.
class KProgressWindow : public KProgressReport {
public:
    // How long work runs before its window appears.
    static constexpr qint64 kDelayMs = 500;

    // The window belongs to parent; without one, to the application's main window.
    explicit KProgressWindow(QWidget* parent = nullptr);
    ~KProgressWindow() override;

    KProgressWindow(const KProgressWindow&) = delete;
    KProgressWindow& operator=(const KProgressWindow&) = delete;

    void start(const QString& text, std::int64_t total) override;
    bool advance(std::int64_t done) override;
    void finish() override;

    // The clock in milliseconds that decides when the window appears and what it shows; a
    // steady clock unless set.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock);

    // The window while it is shown, else null.
    KProgress* window() const { return m_window.get(); }

private:
    void showWindow();
    void restoreCursor();

    QPointer<QWidget> m_parent;
    Clock m_clock;
    std::unique_ptr<KProgress> m_window;
    QString m_text;
    std::int64_t m_total = 0;
    qint64 m_startedAt = 0;
    bool m_running = false;
    bool m_busyCursor = false;
};
