#pragma once

#include "core/KProgressReport.h"

#include "core/document/KBackups.h"

#include <QString>
#include <vector>

#include <memory>

// What managing the document asks of the user: whether to save changes, which file to open or
// save to, and messages to read. The program answers with dialogs, tests with a script.
class KDocPrompts {
public:
    enum class SaveAnswer { Yes, No, Cancel };
    enum class LockAnswer { ReadOnly, OpenAnyway, Cancel };
    enum class ChangedAnswer { Overwrite, SaveAs, Cancel };

    virtual ~KDocPrompts() = default;
    // documentName is the file name, or the name of a new administration.
    virtual SaveAnswer askSaveChanges(const QString& documentName) = 0;
    // The chosen path; empty when the user cancelled.
    virtual QString openFileName(const QString& folder) = 0;
    virtual QString saveFileName(const QString& suggestedPath) = 0;
    virtual void showError(const QString& text) = 0;
    virtual void showMessage(const QString& text) = 0;
    // "club.kvl is geopend door ... sinds ...": open it read-only, anyway, or not at all.
    virtual LockAnswer askLocked(const QString& text) { (void)text; return LockAnswer::Cancel; }
    // "club.kvl is gewijzigd sinds u het opende. Overschrijven, Bewaar als, of Annuleren?"
    virtual ChangedAnswer askChangedOnDisk(const QString& text) {
        (void)text;
        return ChangedAnswer::Cancel;
    }
    // Whether to read the open file again, which another program changed.
    virtual bool askReload(const QString& text) { (void)text; return false; }
    // Which copy to take back; -1 when the user cancelled.
    virtual int chooseBackup(const QString& documentName,
                             const std::vector<KBackups::Restorable>& copies) {
        (void)documentName;
        (void)copies;
        return -1;
    }
    // Whether to take back the administration a Korvel that ended badly left behind.
    virtual bool askRecover(const QString& text) { (void)text; return false; }
    // What shows the progress of reading or writing a file; nothing shows it by default.
    virtual std::unique_ptr<KProgressReport> fileProgress() { return nullptr; }
};
