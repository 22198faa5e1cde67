#pragma once

#include "core/KOutcome.h"

#include <QObject>
#include <QString>
#include <QStringList>

class CKorvelDoc;
class KDocPrompts;

// New, open, save and save as around the one document: asks to save a modified document first,
// reports files that cannot be read or written, keeps the recent-file list and the title.
class KDocManager : public QObject {
    Q_OBJECT

public:
    KDocManager(CKorvelDoc& doc, KDocPrompts& prompts, QObject* parent = nullptr);

    CKorvelDoc& document() { return m_doc; }
    KDocPrompts& prompts() { return m_prompts; }

    // "club.kvl - Korvel", or "Korvel - Korvel" for an administration without a file.
    QString title() const;
    // The file name of the document, or the name of a new administration.
    QString documentName() const;

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

    // Starts a new administration without asking (start-up).
    void newDocument();
    // Opens a file after asking to save a modified document. A file that is already the open
    // document is left as it is (Done). When the file could not be read the user is told why
    // (Failed), and the open administration stays as it was.
    KOutcome openDocumentFile(const QString& path);

    // Most recent first, at most four, in the profile like the framework's list.
    QStringList recentFiles() const;

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

    CKorvelDoc& m_doc;
    KDocPrompts& m_prompts;
};
