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
    std::deque<LockAnswer> lockAnswers;
    std::deque<ChangedAnswer> changedAnswers;
    std::deque<bool> reloadAnswers;
    std::deque<bool> recoverAnswers;
    std::deque<int> backupChoices;
    QStringList questions; // the lock, changed, reload and recovery questions, as asked
    std::vector<KBackups::Restorable> offeredBackups;

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
    LockAnswer askLocked(const QString& text) override {
        questions.append(text);
        return take(lockAnswers, LockAnswer::Cancel);
    }
    ChangedAnswer askChangedOnDisk(const QString& text) override {
        questions.append(text);
        return take(changedAnswers, ChangedAnswer::Cancel);
    }
    bool askReload(const QString& text) override {
        questions.append(text);
        return take(reloadAnswers, false);
    }
    bool askRecover(const QString& text) override {
        questions.append(text);
        return take(recoverAnswers, false);
    }
    int chooseBackup(const QString&, const std::vector<KBackups::Restorable>& copies) override {
        offeredBackups = copies;
        return take(backupChoices, -1);
    }

private:
    template <class T> static T take(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};
