#pragma once

#include "core/KProgressReport.h"

#include <QString>

#include <memory>

// What managing the document asks of the user: whether to save changes, which file to open or
// save to, and messages to read. The program answers with dialogs, tests with a script.
class KDocPrompts {
public:
    enum class SaveAnswer { Yes, No, Cancel };

    virtual ~KDocPrompts() = default;
    // documentName is the file name, or the name of a new administration.
    virtual SaveAnswer askSaveChanges(const QString& documentName) = 0;
    // The chosen path; empty when the user cancelled.
    virtual QString openFileName(const QString& folder) = 0;
    virtual QString saveFileName(const QString& suggestedPath) = 0;
    virtual void showError(const QString& text) = 0;
    virtual void showMessage(const QString& text) = 0;
    // What shows the progress of reading or writing a file; nothing shows it by default.
    virtual std::unique_ptr<KProgressReport> fileProgress() { return nullptr; }
};
