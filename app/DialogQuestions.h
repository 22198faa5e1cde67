#pragma once

#include "core/KQuestions.h"

class QWidget;

// The core's questions answered by the user through the library's dialogs.
class DialogQuestions : public KQuestions {
public:
    void alert(const QString& message) override;
    bool yesNo(const QString& message) override;
    bool yesNoDefaultNo(const QString& message) override;
    int yesNoAllStop(const QString& caption, const QString& message) override;
    std::vector<int> selectString(const QStringList& items, const QString& caption,
                                  bool multiple) override;
};
