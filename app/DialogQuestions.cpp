#include "app/DialogQuestions.h"

#include "tolvex7/KSelectString.h"
#include "tolvex7/Messages.h"

void DialogQuestions::alert(const std::string& message) {
    Alert("%s", message.c_str());
}

bool DialogQuestions::yesNo(const std::string& message) {
    return YesNo("%s", message.c_str()) == 1;
}

int DialogQuestions::yesNoAllStop(const std::string& caption, const std::string& message) {
    return YesNoAllStop(caption.c_str(), "%s", message.c_str());
}

std::vector<int> DialogQuestions::selectString(const std::vector<std::string>& items,
                                               const std::string& caption, bool multiple) {
    // The dialog itself rather than SelectString, so that equal texts stay told apart.
    KSelectString dialog(items, caption.c_str(), multiple ? kSelectExtended : 0u, nullptr, 0);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.chosenRows();
}
