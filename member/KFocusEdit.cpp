#include "member/KFocusEdit.h"

#include "member/KCodePageValidator.h"
#include "member/KSpecCharDialog.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QMenu>
#include <QPointer>

KFocusEdit::KFocusEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new KCodePageValidator(this));
}

void KFocusEdit::tellDialog(bool focused) {
    auto* dialog = qobject_cast<KSpecCharDialog*>(window());
    if (!dialog)
        return;
    QPointer<KSpecCharDialog> to(dialog);
    QPointer<KFocusEdit> self(focused ? this : nullptr);
    QMetaObject::invokeMethod(
        dialog,
        [to, self, focused] {
            if (to && (!focused || self))
                to->setTargetEdit(self.data());
        },
        Qt::QueuedConnection);
}

void KFocusEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    tellDialog(true);
}

void KFocusEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A menu or another window taking the focus for a while does not make the field stop being
    // the one the user types in; another control of the dialog does.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        tellDialog(false);
}

void KFocusEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (auto* dialog = qobject_cast<KSpecCharDialog*>(window())) {
        menu->addSeparator();
        QAction* chars = menu->addAction(KSpecCharDialog::menuText());
        QPointer<KSpecCharDialog> to(dialog);
        connect(chars, &QAction::triggered, this, [this, to] {
            if (to) {
                to->setTargetEdit(this);
                to->showSpecialChars();
            }
        });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
