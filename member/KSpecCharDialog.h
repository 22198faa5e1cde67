#pragma once

#include <QDialog>
#include <QPointer>

class QLineEdit;
class QMenu;

// The base of dialogs whose fields offer the special characters: a right click anywhere in the
// dialog offers "&Speciale karakters", which opens the picker beside the field that last had
// the focus and types the chosen character there; a right click on such a field offers it below
// the field's own editing commands. The remarks fields (KFocusEdit) offer it by themselves,
// other edits (amounts, dates) once offerSpecialChars() was called for them. While no such
// field has the focus (none ever had it, or another control took it), the dialog's command
// does nothing.
class KSpecCharDialog : public QDialog {
    Q_OBJECT

public:
    explicit KSpecCharDialog(QWidget* parent = nullptr);

    static QString menuText();

    QLineEdit* targetEdit() const;
    void setTargetEdit(QLineEdit* edit);

    // The edit offers the special characters in its own right-click menu and becomes the
    // target while it has the focus.
    void offerSpecialChars(QLineEdit* edit);
    // The edit's own right-click menu with "&Speciale karakters" below its editing commands.
    static void showEditMenu(QLineEdit* edit, const QPoint& globalPos);

    // The menu a right click shows.
    QMenu* popupMenu() const { return m_popup; }
    // Runs the picker for the target field; nothing without one.
    void showSpecialChars();

    // Tells the dialog, after the focus change is done, that the edit gained (focused) or lost
    // the focus.
    static void tellFocus(QLineEdit* edit, bool focused, Qt::FocusReason reason);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLineEdit> m_target;
    QMenu* m_popup = nullptr;
};
