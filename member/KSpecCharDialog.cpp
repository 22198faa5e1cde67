#include "member/KSpecCharDialog.h"

#include "member/KDlgSpecChars.h"
#include "res/Commands.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>

KSpecCharDialog::KSpecCharDialog(QWidget* parent) : QDialog(parent) {
    m_popup = new QMenu(this);
    QAction* chars = m_popup->addAction(menuText());
    if (const KCommand* command = findCommand(Cmd::SpecialChars))
        chars->setStatusTip(QString::fromUtf8(command->statusText));
    connect(chars, &QAction::triggered, this, &KSpecCharDialog::showSpecialChars);
}

QString KSpecCharDialog::menuText() {
    const KCommand* command = findCommand(Cmd::SpecialChars);
    return command ? QString::fromUtf8(command->menuText) : QStringLiteral("&Speciale karakters");
}

QLineEdit* KSpecCharDialog::targetEdit() const {
    return m_target.data();
}

void KSpecCharDialog::setTargetEdit(QLineEdit* edit) {
    m_target = edit;
}

void KSpecCharDialog::offerSpecialChars(QLineEdit* edit) {
    edit->installEventFilter(this);
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QWidget::customContextMenuRequested, this,
            [edit](const QPoint& pos) { showEditMenu(edit, edit->mapToGlobal(pos)); });
}

void KSpecCharDialog::showEditMenu(QLineEdit* edit, const QPoint& globalPos) {
    QMenu* menu = edit->createStandardContextMenu();
    if (auto* dialog = qobject_cast<KSpecCharDialog*>(edit->window())) {
        menu->addSeparator();
        QAction* chars = menu->addAction(menuText());
        QPointer<KSpecCharDialog> to(dialog);
        QPointer<QLineEdit> target(edit);
        connect(chars, &QAction::triggered, edit, [to, target] {
            if (to && target) {
                to->setTargetEdit(target);
                to->showSpecialChars();
            }
        });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void KSpecCharDialog::tellFocus(QLineEdit* edit, bool focused, Qt::FocusReason reason) {
    // A menu or another window taking the focus for a while does not make the field stop being
    // the one the user types in; another control of the dialog does.
    if (!focused && (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason))
        return;
    auto* dialog = qobject_cast<KSpecCharDialog*>(edit->window());
    if (!dialog)
        return;
    // Posted: the dialog learns of the change after the focus change is done.
    QPointer<KSpecCharDialog> to(dialog);
    QPointer<QLineEdit> self(focused ? edit : nullptr);
    QMetaObject::invokeMethod(
        dialog,
        [to, self, focused] {
            if (to && (!focused || self))
                to->setTargetEdit(self.data());
        },
        Qt::QueuedConnection);
}

void KSpecCharDialog::showSpecialChars() {
    if (!m_target)
        return;
    KDlgSpecChars picker(m_target, this);
    picker.exec();
}

void KSpecCharDialog::contextMenuEvent(QContextMenuEvent* event) {
    m_popup->popup(event->globalPos());
}

bool KSpecCharDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            tellFocus(edit, event->type() == QEvent::FocusIn,
                      static_cast<QFocusEvent*>(event)->reason());
    }
    return QDialog::eventFilter(watched, event);
}
