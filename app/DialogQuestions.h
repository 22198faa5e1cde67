#pragma once

#include "core/KQuestions.h"

// The core's questions answered by the user through the library's dialogs.
class DialogQuestions : public KQuestions {
public:
    void alert(const std::string& message) override;
    bool yesNo(const std::string& message) override;
    int yesNoAllStop(const std::string& caption, const std::string& message) override;
    std::vector<int> selectString(const std::vector<std::string>& items, const std::string& caption,
                                  bool multiple) override;
};
