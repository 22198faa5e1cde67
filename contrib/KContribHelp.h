#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

// The "&Help" buttons of the contribution dialogs: the application's help on the page of the
// command the dialog belongs to. Without a help file the user is told so.
void showContribHelp(QWidget* parent, int commandId);

// The end of a contribution dialog's button row: "&OK" (the default, accepts), "&Annuleren"
// (rejects) and "&Help" (the help of the command), added to row in that order.
struct KContribDialogEnd {
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* help;
};
KContribDialogEnd addContribDialogEnd(QDialog& dialog, QHBoxLayout& row, int helpCommandId);
