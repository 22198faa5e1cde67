#pragma once

#include "tolvex7/Tolvex7Export.h"

#include <QDialog>

#include <ctime>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// The "Voortgangsrapportage" window that a long loop on the user-interface thread keeps up to
// date. Typical use: construct, call Show after every step, leave the loop when Show returns
// non-zero, destroy.
//
// Show refreshes the texts at every call; once a second it also refreshes the elapsed and the
// remaining time and lets the thread process its pending events, so the window repaints and
// "&Stop" can be pressed. Those events belong to every window of the thread: the caller must
// expect the user interface to act meanwhile, unless the window is application-modal.
class TOLVEX7_EXPORT KProgress : public QDialog {
    Q_OBJECT

public:
    // The window is shown at once, centred over its parent; without one, over the
    // application's main window. info is a Windows-1252 text.
    explicit KProgress(const char* info, QWidget* parent = nullptr,
                       Qt::WindowModality modality = Qt::NonModal);
    ~KProgress() override;

    // done of total steps are done. Returns 1 once the user has asked to stop, else 0.
    short Show(long done, long total);

    // "&Stop", the close box and Escape: every later Show returns 1.
    void OnStop();

    // The clock Show reads, in seconds; the C library's time() unless set.
    using Clock = std::function<std::time_t()>;
    void setClock(Clock clock);
    // Counts the time from this moment of that clock instead of from the first Show, for
    // work that ran a while before its window appeared.
    void setStart(std::time_t start);

    QString info() const;
    QString progressText() const;
    QString elapsedText() const;
    QString remainingText() const;
    bool stopRequested() const { return m_stop != 0; }
    QPushButton* stopButton() const { return m_stopButton; }
    // The bar under the progress text: per mille of the work done.
    QProgressBar* bar() const { return m_bar; }
    // How many times Show let the thread process its events.
    int pumpCount() const { return m_pumps; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void build();
    void writeTexts();
    void pump();

    QString m_info;
    QString m_progress;
    QString m_remaining;
    QString m_elapsed;
    short m_stop = 0;
    QString m_lastElapsed;
    std::time_t m_start = 0;
    bool m_started = false;
    int m_pumps = 0;
    Clock m_clock;

    QLabel* m_infoLabel = nullptr;
    QLabel* m_progressLabel = nullptr;
    QLabel* m_elapsedLabel = nullptr;
    QLabel* m_remainingLabel = nullptr;
    QProgressBar* m_bar = nullptr;
    int m_perMille = 0;
    QPushButton* m_stopButton = nullptr;
};
