#pragma once

#include <QCursor>
#include <QGuiApplication>

// The wait cursor over every window of the program for as long as it lives, or until done():
// while a big file loads or saves the program cannot answer for a few seconds.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { done(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    // The ordinary cursor again, e.g. before a message is shown.
    void done() {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
        m_active = false;
    }

private:
    bool m_active = true;
};
