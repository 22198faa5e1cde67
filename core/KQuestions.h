#pragma once

#include <string>
#include <vector>

// The questions the core puts to the user. The program answers them with the library's
// dialogs, tests with scripted answers. Texts are Windows-1252 bytes, already formatted.
class KQuestions {
public:
    // The answers of yesNoAllStop.
    enum AllStopAnswer { Stop = -1, No = 0, Yes = 1, AlwaysYes = 2, AlwaysNo = 3 };

    virtual ~KQuestions() = default;

    // A message with an OK button, captioned "Alert".
    virtual void alert(const std::string& message) = 0;
    virtual bool yesNo(const std::string& message) = 0;
    // One of AllStopAnswer.
    virtual int yesNoAllStop(const std::string& caption, const std::string& message) = 0;
    // The rows of items chosen, in list order; empty when the user chose nothing or cancelled.
    // Only with multiple may more than one row come back.
    virtual std::vector<int> selectString(const std::vector<std::string>& items,
                                          const std::string& caption, bool multiple) = 0;
};
