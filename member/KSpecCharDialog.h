#pragma once

#include <QDialog>
#include <QPointer>

class KFocusEdit;
class QMenu;

// The base of dialogs with remarks fields that offer the special characters: a right click
// anywhere in the dialog offers "&Speciale karakters", which opens the picker beside the remarks
// field that last had the focus and types the chosen character there. While no remarks field has
// the focus (it never had it, or another control took it), the command does nothing.
class KSpecCharDialog : public QDialog {
    Q_OBJECT

public:
    explicit KSpecCharDialog(QWidget* parent = nullptr);

    static QString menuText();

    KFocusEdit* targetEdit() const;
    void setTargetEdit(KFocusEdit* edit);

    // The menu a right click shows.
    QMenu* popupMenu() const { return m_popup; }
    // Runs the picker for the target field; nothing without one.
    void showSpecialChars();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPointer<KFocusEdit> m_target;
    QMenu* m_popup = nullptr;
};
