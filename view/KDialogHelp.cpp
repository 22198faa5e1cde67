#include "view/KDialogHelp.h"

#include "tolvex7/KHelpShow.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace {

KDialogHelp::Shower& customShower() {
    static KDialogHelp::Shower shower;
    return shower;
}

} // namespace

KDialogHelp::KDialogHelp(QWidget& widget, KHelpContext context)
    : QObject(&widget), m_context(context) {
    widget.installEventFilter(this);
}

void KDialogHelp::attach(QWidget& widget, KHelpContext context) {
    if (auto* help = widget.findChild<KDialogHelp*>(QString(), Qt::FindDirectChildrenOnly)) {
        help->m_context = context;
        return;
    }
    new KDialogHelp(widget, context);
}

bool KDialogHelp::available() {
    return customShower() || !KHelpShow::applicationHelpFile().empty();
}

void KDialogHelp::show(KHelpContext context) {
    if (customShower()) {
        customShower()(context);
        return;
    }
    KHelpShow::openHelp(KHelpShow::applicationHelpFile(), context.id());
}

KDialogHelp::Shower KDialogHelp::setShower(Shower shower) {
    return std::exchange(customShower(), std::move(shower));
}

bool KDialogHelp::eventFilter(QObject* watched, QEvent* event) {
    // A key a control leaves alone travels up to its parents; the first one with a page of its
    // own takes F1. Shift+F1 and the other combinations are not the help of the window.
    if (event->type() == QEvent::KeyPress && watched == parent()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            event->accept();
            show(m_context);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
