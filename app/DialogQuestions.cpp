#include "app/DialogQuestions.h"

#include "platform/CodePage.h"
#include "tolvex7/KSelectString.h"
#include "tolvex7/Messages.h"

#include <string>

namespace {

// The library speaks Windows-1252.
std::string bytes(const QString& text) {
    return CodePage::fromQString(text);
}

} // namespace

void DialogQuestions::alert(const QString& message) {
    Alert("%s", bytes(message).c_str());
}

bool DialogQuestions::yesNo(const QString& message) {
    return YesNo("%s", bytes(message).c_str()) == 1;
}

bool DialogQuestions::yesNoDefaultNo(const QString& message) {
    return YesNoDefaultNo("%s", bytes(message).c_str()) == 1;
}

int DialogQuestions::yesNoAllStop(const QString& caption, const QString& message) {
    return YesNoAllStop(bytes(caption).c_str(), "%s", bytes(message).c_str());
}

std::vector<int> DialogQuestions::selectString(const QStringList& items, const QString& caption,
                                               bool multiple) {
    std::vector<std::string> list;
    list.reserve(static_cast<std::size_t>(items.size()));
    for (const QString& item : items)
        list.push_back(bytes(item));
    // The dialog itself rather than SelectString, so that equal texts stay told apart.
    KSelectString dialog(list, bytes(caption).c_str(), multiple ? kSelectExtended : 0u, nullptr,
                         0);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.chosenRows();
}
