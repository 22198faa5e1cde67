#pragma once

#include "core/KOutcome.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

class CKorvelDoc;
class KDocPrompts;
class KFileLock;

// New, open, save and save as around the one document: asks to save a modified document first,
// reports files that cannot be read or written, keeps the recent-file list and the title. It
// holds the lock of the open file, so one Korvel at a time writes it; a file another Korvel
// holds may be opened read-only. Before a save it checks that nobody changed the file since it
// was opened, and while the administration is modified it keeps a recovery file.
class KDocManager : public QObject {
    Q_OBJECT

public:
    KDocManager(CKorvelDoc& doc, KDocPrompts& prompts, QObject* parent = nullptr);
    // A clean end: the recovery file goes, the lock is given back.
    ~KDocManager() override;

    CKorvelDoc& document() { return m_doc; }
    KDocPrompts& prompts() { return m_prompts; }

    // "club.kvl - Korvel", or "Korvel - Korvel" for an administration without a file.
    QString title() const;
    // The file name of the document, or the name of a new administration.
    QString documentName() const;
    // Opened while another Korvel holds the file: Bewaar is not possible, Bewaar als is.
    bool isReadOnly() const { return m_readOnly; }
    // Whether this Korvel holds the lock of the open file.
    bool holdsLock() const;

    // True when the document may be replaced or closed: it was not modified, the user saved
    // it, or chose not to.
    bool saveModified();

    // The commands: Done; Stopped when the user cancelled a question or the work; Failed when
    // a file could not be read or written, which the user has been told.
    KOutcome fileNew();
    KOutcome fileOpen();
    KOutcome fileSave();
    KOutcome fileSaveAs();
    KOutcome openRecentFile(int index);
    // Lists the backup and the generations of the open file and opens the chosen one as a new,
    // unsaved administration; nothing is overwritten.
    KOutcome restoreBackup();

    // Starts a new administration without asking (start-up).
    void newDocument();
    // Opens a file after asking to save a modified document. A file that is already the open
    // document is left as it is (Done). When the file could not be read the user is told why
    // (Failed), and the open administration stays as it was.
    KOutcome openDocumentFile(const QString& path);

    // Most recent first, at most four, in the profile like the framework's list.
    QStringList recentFiles() const;

    // Writes the recovery file now when the administration is modified (the timer's work).
    KResult writeRecovery();
    // At start: offers the administration a Korvel that ended badly left behind. Done when it
    // was taken back, NothingToDo when there was none, Stopped when the user declined.
    KOutcome offerRecovery();
    // The recovery timer, every Settings::recoveryMinutes() minutes; none with 0.
    const QTimer& recoveryTimer() const { return m_recoveryTimer; }

signals:
    // The path, the modified state after a save, or the whole administration changed.
    void documentChanged();
    void recentFilesChanged();

private:
    KOutcome saveTo(const QString& path);
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);
    void writeRecentFiles(const QStringList& files);
    bool isOpenDocument(const QString& path) const;
    KOutcome reloadIfChanged();
    KOutcome openFile(const QString& file, std::unique_ptr<KFileLock> lock, bool readOnly);
    void takeLock(std::unique_ptr<KFileLock> lock, bool readOnly);
    void dropRecovery();
    void restartRecoveryTimer();

    CKorvelDoc& m_doc;
    KDocPrompts& m_prompts;
    std::unique_ptr<KFileLock> m_lock;
    bool m_readOnly = false;
    QTimer m_recoveryTimer;
    // The path the recovery file was last written for.
    std::optional<QString> m_recoveryFor;
    bool m_recoveryFailureTold = false;
};
