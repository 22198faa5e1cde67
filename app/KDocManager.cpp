#include "app/KDocManager.h"

#include "app/KDocPrompts.h"
#include "core/document/CKorvelDoc.h"
#include "core/model/DefaultConfiguration.h"
#include "core/settings/Settings.h"
#include "res/Commands.h"

#include <QDir>
#include <QFileInfo>

namespace {

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
    return documentName() + QStringLiteral("[*] - ") + QString::fromUtf8(FrameText::appTitle);
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
    emit documentChanged();
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

    // A file that cannot be read leaves the open administration as it was.
    KFileReport report;
    const QString file = absolute(path);
    const std::unique_ptr<KProgressReport> progress = m_prompts.fileProgress();
    if (!m_doc.OnOpenDocument(file, &report, progress.get())) {
        if (report.cancelled)
            return OpenResult::Cancelled;
        m_prompts.showError(report.error);
        return OpenResult::Failed;
    }
    // An old file was read into the default configuration; the default columns go with it.
    if (report.oldLayout)
        writeDefaultColumnList();
    for (const QString& message : report.messages)
        m_prompts.showMessage(message);
    addRecentFile(file);
    emit documentChanged();
    return OpenResult::Opened;
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
    KFileReport report;
    const std::unique_ptr<KProgressReport> progress = m_prompts.fileProgress();
    if (!m_doc.OnSaveDocument(path, &report, progress.get())) {
        if (!report.cancelled)
            m_prompts.showError(report.error);
        emit documentChanged();
        return false;
    }
    for (const QString& message : report.messages)
        m_prompts.showMessage(message);
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
    return Settings::recentFiles();
}

void KDocManager::writeRecentFiles(const QStringList& files) {
    Settings::setRecentFiles(files);
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

