#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The questions the core puts to the user. The program answers them with the library's
// dialogs, tests with scripted answers. Texts are already formatted; texts of the
// administration (Windows-1252) are converted once, where the question is made.
class KQuestions {
public:
    // The answers of yesNoAllStop.
    enum AllStopAnswer { Stop = -1, No = 0, Yes = 1, AlwaysYes = 2, AlwaysNo = 3 };

    virtual ~KQuestions() = default;

    // A message with an OK button, captioned with the program's name.
    virtual void alert(const QString& message) = 0;
    virtual bool yesNo(const QString& message) = 0;
    // The same question with "Nee" as the default button, for a question whose "Ja" changes
    // much at once: a quick Enter then changes nothing.
    virtual bool yesNoDefaultNo(const QString& message) = 0;
    // One of AllStopAnswer.
    virtual int yesNoAllStop(const QString& caption, const QString& message) = 0;
    // The rows of items chosen, in list order; empty when the user chose nothing or cancelled.
    // Only with multiple may more than one row come back.
    virtual std::vector<int> selectString(const QStringList& items, const QString& caption,
                                          bool multiple) = 0;
};
