#pragma once

#include <QObject>

class QAction;
class QWidget;

// Help on what the user points at (Shift+F1, the "?" button): the pointer becomes a question
// mark until the user clicks a command (a toolbar button or a menu item), presses a command's
// keys or chooses a menu item with Enter; that command's help is then asked for and the
// command does not run. A click anywhere else asks for the help of what was clicked; Escape
// ends it without help. Menus still open, so that their items can be pointed at.
class KContextHelp : public QObject {
    Q_OBJECT

public:
    explicit KContextHelp(QObject* parent = nullptr);
    ~KContextHelp() override;

    void start();
    void stop();
    bool isActive() const { return m_active; }

signals:
    void actionChosen(QAction* action);
    void widgetChosen(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mouseEvent(QWidget* widget, QEvent* event);
    void choose(QAction* action);

    bool m_active = false;
};
