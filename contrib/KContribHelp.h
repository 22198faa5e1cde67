#pragma once

class QWidget;

// The "&Help" buttons of the contribution dialogs: the application's help on the page of the
// command the dialog belongs to. Without a help file the user is told so.
void showContribHelp(QWidget* parent, int commandId);
