#pragma once

#include "app/KDocPrompts.h"

#include <QStringList>

#include <deque>

// Answers the document questions from a script and records what was asked and shown.
// A question without a scripted answer is answered with Cancel or an empty path.
class ScriptedDocPrompts : public KDocPrompts {
public:
    std::deque<SaveAnswer> saveAnswers;
    std::deque<QString> openPaths;
    std::deque<QString> savePaths;

    QStringList askedToSave;
    QStringList errors;
    QStringList messages;

    SaveAnswer askSaveChanges(const QString& documentName) override {
        askedToSave.append(documentName);
        return take(saveAnswers, SaveAnswer::Cancel);
    }
    QString openFileName(const QString&) override { return take(openPaths, QString()); }
    QString saveFileName(const QString&) override { return take(savePaths, QString()); }
    void showError(const QString& text) override { errors.append(text); }
    void showMessage(const QString& text) override { messages.append(text); }

private:
    template <class T> static T take(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};
