#include "app/KContextHelp.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolButton>

namespace {

bool isMouseButton(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick;
}

// Closes the open menus, the innermost first.
void closeMenus() {
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (!popup->close())
            break;
    }
}

} // namespace

KContextHelp::KContextHelp(QObject* parent) : QObject(parent) {}

KContextHelp::~KContextHelp() {
    stop();
}

void KContextHelp::start() {
    if (m_active)
        return;
    m_active = true;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WhatsThisCursor));
    qApp->installEventFilter(this);
}

void KContextHelp::stop() {
    if (!m_active)
        return;
    m_active = false;
    qApp->removeEventFilter(this);
    QGuiApplication::restoreOverrideCursor();
}

void KContextHelp::choose(QAction* action) {
    stop();
    closeMenus();
    emit actionChosen(action);
}

bool KContextHelp::eventFilter(QObject* watched, QEvent* event) {
    if (!m_active)
        return false;
    if (event->type() == QEvent::Shortcut) {
        if (auto* action = qobject_cast<QAction*>(watched)) {
            choose(action);
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            stop();
            closeMenus();
            return true;
        }
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && menu && menu->activeAction() &&
            !menu->activeAction()->menu()) {
            choose(menu->activeAction());
            return true;
        }
        return false;
    }
    if (isMouseButton(event->type()) && watched->isWidgetType())
        return mouseEvent(static_cast<QWidget*>(watched), event);
    return false;
}

bool KContextHelp::mouseEvent(QWidget* widget, QEvent* event) {
    // The menu bar opens its menus as always.
    if (qobject_cast<QMenuBar*>(widget))
        return false;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        QAction* action = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        // A submenu opens; a separator or the margin does nothing.
        if (!action || action->menu() || action->isSeparator())
            return false;
        if (release)
            choose(action);
        return true;
    }
    if (auto* button = qobject_cast<QToolButton*>(widget); button && button->defaultAction()) {
        if (release)
            choose(button->defaultAction());
        return true;
    }
    if (release) {
        stop();
        closeMenus();
        emit widgetChosen(widget);
    }
    return true;
}
