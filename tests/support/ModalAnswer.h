#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the next modal window from a timer, so that a test never blocks on exec(). The
// action must end the modal loop, e.g. by clicking a button.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QWidget*)> action) : m_action(std::move(action)) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                m_timer.stop();
                m_answered = true;
                m_action(modal);
            } else if (++m_ticks > 500) {
                m_timer.stop();
            }
        });
        m_timer.start();
    }

    bool answered() const { return m_answered; }

    // The button of a window by its text, mnemonic included.
    static QAbstractButton* button(QWidget* window, const QString& text) {
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
            if (b->text() == text)
                return b;
        return nullptr;
    }

    // Clicks the button, or closes the window when there is none so nothing hangs.
    static void click(QWidget* window, const QString& text) {
        if (QAbstractButton* b = button(window, text))
            b->click();
        else
            window->close();
    }

private:
    std::function<void(QWidget*)> m_action;
    QTimer m_timer;
    int m_ticks = 0;
    bool m_answered = false;
};
