#include "member/KSpecCharDialog.h"

#include "member/KDlgSpecChars.h"
#include "member/KFocusEdit.h"
#include "res/Commands.h"

#include <QContextMenuEvent>
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

KFocusEdit* KSpecCharDialog::targetEdit() const {
    return m_target.data();
}

void KSpecCharDialog::setTargetEdit(KFocusEdit* edit) {
    m_target = edit;
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
