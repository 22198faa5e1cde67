#pragma once

#include "app/KDocPrompts.h"

#include <QGuiApplication>
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
    QStringList openFolders;    // where each open dialog starts
    QStringList suggestedPaths; // what each save dialog suggests
    QList<bool> busyWhenShown;  // whether the wait cursor was on as each error was shown

    SaveAnswer askSaveChanges(const QString& documentName) override {
        askedToSave.append(documentName);
        return take(saveAnswers, SaveAnswer::Cancel);
    }
    QString openFileName(const QString& folder) override {
        openFolders.append(folder);
        return take(openPaths, QString());
    }
    QString saveFileName(const QString& suggestedPath) override {
        suggestedPaths.append(suggestedPath);
        return take(savePaths, QString());
    }
    void showError(const QString& text) override {
        errors.append(text);
        busyWhenShown.append(QGuiApplication::overrideCursor() != nullptr);
    }
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
