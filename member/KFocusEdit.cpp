#include "member/KFocusEdit.h"

#include "member/KSpecCharDialog.h"
#include "view/KCodePageValidator.h"

#include <QContextMenuEvent>
#include <QFocusEvent>

KFocusEdit::KFocusEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new KCodePageValidator(this));
}

void KFocusEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    KSpecCharDialog::tellFocus(this, true, event->reason());
}

void KFocusEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    KSpecCharDialog::tellFocus(this, false, event->reason());
}

void KFocusEdit::contextMenuEvent(QContextMenuEvent* event) {
    KSpecCharDialog::showEditMenu(this, event->globalPos());
}
