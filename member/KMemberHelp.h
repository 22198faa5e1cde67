#pragma once

#include <QString>

#include <functional>

class QDialog;
class QDialogButtonBox;

// The member area's dialogs name their page of the manual. The program hands the area the way
// to show a page; until it does, the dialogs show no Help button.
namespace KMemberHelp {

void setPageShower(std::function<void(const QString& page)> show);
bool available();
void showPage(const QString& page);

// Names the dialog's page (property "helpPage") and, when help can be shown, adds a "&Help"
// button that shows it.
void attach(QDialog& dialog, QDialogButtonBox& buttons, const QString& page);

} // namespace KMemberHelp
