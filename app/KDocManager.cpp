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
        return fileSave() == KOutcome::Done;
    case KDocPrompts::SaveAnswer::No:
        return true;
    case KDocPrompts::SaveAnswer::Cancel:
        break;
    }
    return false;
}

KOutcome KDocManager::fileNew() {
    if (!saveModified())
        return KOutcome::Stopped;
    newDocument();
    return KOutcome::Done;
}

void KDocManager::newDocument() {
    m_doc.OnNewDocument();
    emit documentChanged();
}

KOutcome KDocManager::fileOpen() {
    // In the folder of the open file, else in the data folder (the working folder).
    const QString path = m_prompts.openFileName(
        m_doc.pathName().isEmpty() ? QDir::currentPath() : QFileInfo(m_doc.pathName()).path());
    if (path.isEmpty())
        return KOutcome::Stopped;
    return openDocumentFile(path);
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

KOutcome KDocManager::openDocumentFile(const QString& path) {
    if (isOpenDocument(path))
        return KOutcome::Done;
    if (!saveModified())
        return KOutcome::Stopped;

    // A file that cannot be read leaves the open administration as it was.
    KFileReport report;
    const QString file = absolute(path);
    const std::unique_ptr<KProgressReport> progress = m_prompts.fileProgress();
    const KResult opened = m_doc.OnOpenDocument(file, &report, progress.get());
    if (opened.isFailed())
        m_prompts.showError(opened.reason());
    if (!opened)
        return opened.outcome();
    // An old file was read into the default configuration; the default columns go with it.
    if (report.oldLayout)
        Settings::setColumns(kDefaultColumnList);
    for (const QString& message : report.messages)
        m_prompts.showMessage(message);
    addRecentFile(file);
    emit documentChanged();
    return KOutcome::Done;
}

KOutcome KDocManager::fileSave() {
    if (m_doc.pathName().isEmpty())
        return fileSaveAs();
    return saveTo(m_doc.pathName());
}

KOutcome KDocManager::fileSaveAs() {
    const QString suggested =
        m_doc.pathName().isEmpty()
            ? QDir::current().filePath(documentName() + QLatin1Char('.') +
                                       QString::fromUtf8(FrameText::fileExtension))
            : m_doc.pathName();
    QString path = m_prompts.saveFileName(suggested);
    if (path.isEmpty())
        return KOutcome::Stopped;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + QString::fromUtf8(FrameText::fileExtension);
    return saveTo(absolute(path));
}

KOutcome KDocManager::saveTo(const QString& path) {
    KFileReport report;
    const std::unique_ptr<KProgressReport> progress = m_prompts.fileProgress();
    const KResult saved = m_doc.OnSaveDocument(path, &report, progress.get());
    if (!saved) {
        if (saved.isFailed())
            m_prompts.showError(saved.reason());
        emit documentChanged();
        return saved.outcome();
    }
    for (const QString& message : report.messages)
        m_prompts.showMessage(message);
    addRecentFile(path);
    emit documentChanged();
    return KOutcome::Done;
}

KOutcome KDocManager::openRecentFile(int index) {
    const QStringList files = recentFiles();
    if (index < 0 || index >= files.size())
        return KOutcome::NothingToDo;
    const QString path = files.at(index);
    const KOutcome outcome = openDocumentFile(path);
    if (outcome == KOutcome::Failed)
        removeRecentFile(path);
    return outcome;
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

