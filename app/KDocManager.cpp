#include "app/KDocManager.h"

#include "app/BusyCursor.h"
#include "app/KDocPrompts.h"
#include "core/document/CKorvelDoc.h"
#include "platform/Profile.h"
#include "res/Commands.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kRecentSection = QStringLiteral("Recent File List");

QString recentKey(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

QString absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

KDocManager::KDocManager(CKorvelDoc& doc, KDocPrompts& prompts, QObject* parent)
    : QObject(parent), m_doc(doc), m_prompts(prompts) {}

QString KDocManager::documentName() const {
    if (m_doc.pathName().isEmpty())
        return QString::fromUtf8(FrameText::untitled);
    return QFileInfo(m_doc.pathName()).fileName();
}

QString KDocManager::title() const {
    return documentName() + QStringLiteral(" - ") + QString::fromUtf8(FrameText::appTitle);
}

bool KDocManager::saveModified() {
    if (!m_doc.IsModified())
        return true;
    switch (m_prompts.askSaveChanges(documentName())) {
    case KDocPrompts::SaveAnswer::Yes:
        return fileSave();
    case KDocPrompts::SaveAnswer::No:
        return true;
    case KDocPrompts::SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool KDocManager::fileNew() {
    if (!saveModified())
        return false;
    newDocument();
    return true;
}

void KDocManager::newDocument() {
    m_doc.OnNewDocument();
    refreshViews();
}

bool KDocManager::fileOpen() {
    // In the folder of the open file, else in the data folder (the working folder).
    const QString path = m_prompts.openFileName(
        m_doc.pathName().isEmpty() ? QDir::currentPath() : QFileInfo(m_doc.pathName()).path());
    if (path.isEmpty())
        return false;
    return openDocumentFile(path) == OpenResult::Opened;
}

bool KDocManager::isOpenDocument(const QString& path) const {
    if (m_doc.pathName().isEmpty())
        return false;
    const QFileInfo open(m_doc.pathName());
    const QFileInfo asked(path);
    if (open.exists() && asked.exists())
        return open.canonicalFilePath() == asked.canonicalFilePath();
    return open.absoluteFilePath() == asked.absoluteFilePath();
}

KDocManager::OpenResult KDocManager::openDocumentFile(const QString& path) {
    if (isOpenDocument(path))
        return OpenResult::Opened;
    if (!saveModified())
        return OpenResult::Cancelled;

    // The document marks itself modified once it starts replacing its contents; a failure
    // before that leaves the old administration as it was.
    const bool wasModified = m_doc.IsModified();
    m_doc.SetModifiedFlag(false);
    QString error;
    const QString file = absolute(path);
    BusyCursor busy;
    if (m_doc.OnOpenDocument(file, &error)) {
        addRecentFile(file);
        refreshViews();
        return OpenResult::Opened;
    }
    busy.done();
    m_prompts.showError(error);
    if (m_doc.IsModified())
        m_doc.OnNewDocument();
    else
        m_doc.SetModifiedFlag(wasModified);
    refreshViews();
    return OpenResult::Failed;
}

bool KDocManager::fileSave() {
    if (m_doc.pathName().isEmpty())
        return fileSaveAs();
    return saveTo(m_doc.pathName());
}

bool KDocManager::fileSaveAs() {
    const QString suggested =
        m_doc.pathName().isEmpty()
            ? QDir::current().filePath(documentName() + QLatin1Char('.') +
                                       QString::fromUtf8(FrameText::fileExtension))
            : m_doc.pathName();
    QString path = m_prompts.saveFileName(suggested);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + QString::fromUtf8(FrameText::fileExtension);
    return saveTo(absolute(path));
}

bool KDocManager::saveTo(const QString& path) {
    QString error;
    BusyCursor busy;
    if (!m_doc.OnSaveDocument(path, &error)) {
        busy.done();
        m_prompts.showError(error);
        emit documentChanged();
        return false;
    }
    addRecentFile(path);
    emit documentChanged();
    return true;
}

bool KDocManager::openRecentFile(int index) {
    const QStringList files = recentFiles();
    if (index < 0 || index >= files.size())
        return false;
    const QString path = files.at(index);
    const OpenResult result = openDocumentFile(path);
    if (result == OpenResult::Failed)
        removeRecentFile(path);
    return result == OpenResult::Opened;
}

QStringList KDocManager::recentFiles() const {
    QStringList files;
    for (int i = 0; i < Cmd::RecentFileCount; ++i) {
        const QString path = Profile::readString(kRecentSection, recentKey(i));
        if (!path.isEmpty())
            files.append(path);
    }
    return files;
}

void KDocManager::writeRecentFiles(const QStringList& files) {
    for (int i = 0; i < Cmd::RecentFileCount; ++i)
        Profile::writeString(kRecentSection, recentKey(i),
                             i < files.size() ? files.at(i) : QString());
    emit recentFilesChanged();
}

void KDocManager::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > Cmd::RecentFileCount)
        files.removeLast();
    writeRecentFiles(files);
}

void KDocManager::removeRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    writeRecentFiles(files);
}

void KDocManager::refreshViews() {
    m_doc.updateAllViews();
    m_doc.showMemberCount();
    emit documentChanged();
}
