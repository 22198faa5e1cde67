#include "app/KDocManager.h"

#include "app/KDocPrompts.h"
#include "core/document/CKorvelDoc.h"
#include "core/document/KFileLock.h"
#include "core/document/KRecovery.h"
#include "core/model/DefaultConfiguration.h"
#include "core/settings/Settings.h"
#include "res/Commands.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

QString absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

KDocManager::KDocManager(CKorvelDoc& doc, KDocPrompts& prompts, QObject* parent)
    : QObject(parent), m_doc(doc), m_prompts(prompts) {
    connect(&m_recoveryTimer, &QTimer::timeout, this, [this] { writeRecovery(); });
    connect(&Settings::notifier(), &Settings::changed, this, [this](Settings::Key key) {
        if (key == Settings::Key::RecoveryMinutes)
            restartRecoveryTimer();
    });
    restartRecoveryTimer();
}

KDocManager::~KDocManager() {
    dropRecovery();
}

bool KDocManager::holdsLock() const {
    return m_lock && m_lock->isLocked();
}

void KDocManager::restartRecoveryTimer() {
    const int minutes = Settings::recoveryMinutes();
    m_recoveryTimer.stop();
    if (minutes > 0)
        m_recoveryTimer.start(minutes * 60 * 1000);
}

void KDocManager::dropRecovery() {
    if (m_recoveryFor)
        KRecovery::remove(*m_recoveryFor);
    m_recoveryFor.reset();
}

KResult KDocManager::writeRecovery() {
    if (!m_doc.IsModified())
        return KResult::nothingToDo();
    // The administration may have got another path since the last write.
    if (m_recoveryFor && *m_recoveryFor != m_doc.pathName())
        dropRecovery();
    const KResult written = KRecovery::write(m_doc);
    if (written)
        m_recoveryFor = m_doc.pathName();
    else if (written.isFailed() && !m_recoveryFailureTold) {
        // Once: the user works on, and a save is what matters.
        m_recoveryFailureTold = true;
        m_prompts.showMessage(written.reason());
    }
    return written;
}

KOutcome KDocManager::offerRecovery() {
    const std::optional<KRecovery::Pending> found = KRecovery::pending();
    if (!found)
        return KOutcome::NothingToDo;
    const QString when = QLocale().toString(found->written.toLocalTime(),
                                            QStringLiteral("d-M-yyyy HH:mm"));
    QString question =
        QStringLiteral("Korvel is niet goed afgesloten. Wilt u de gegevens van %1 terugzetten?")
            .arg(when);
    if (!found->memberFile.isEmpty())
        question += QStringLiteral("\n\n(%1)").arg(QDir::toNativeSeparators(found->memberFile));
    if (!m_prompts.askRecover(question)) {
        KRecovery::declined(*found);
        return KOutcome::Stopped;
    }
    if (!saveModified())
        return KOutcome::Stopped;
    std::unique_ptr<KFileLock> lock;
    bool readOnly = false;
    if (!found->memberFile.isEmpty()) {
        lock = std::make_unique<KFileLock>(found->memberFile);
        const KResult locked = lock->lock();
        if (locked.isFailed()) {
            lock.reset();
            readOnly = true;
            m_prompts.showMessage(locked.reason() +
                                  QStringLiteral(" De teruggezette gegevens kunt u met \"Bewaar "
                                                 "als\" bewaren."));
        }
    }
    const KResult restored = KRecovery::restore(m_doc, *found);
    if (!restored) {
        if (restored.isFailed())
            m_prompts.showError(restored.reason());
        return restored.outcome();
    }
    takeLock(std::move(lock), readOnly);
    // This process keeps the recovery file from here on; the old one goes at the next write
    // or the clean end.
    m_recoveryFor = m_doc.pathName();
    emit documentChanged();
    return KOutcome::Done;
}

void KDocManager::takeLock(std::unique_ptr<KFileLock> lock, bool readOnly) {
    m_lock = std::move(lock);
    m_readOnly = readOnly;
}

QString KDocManager::documentName() const {
    if (m_doc.pathName().isEmpty())
        return QString::fromUtf8(FrameText::untitled);
    return QFileInfo(m_doc.pathName()).fileName();
}

QString KDocManager::title() const {
    const QString readOnly = m_readOnly ? QStringLiteral(" (alleen lezen)") : QString();
    return documentName() + readOnly + QStringLiteral("[*] - ") +
           QString::fromUtf8(FrameText::appTitle);
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
    dropRecovery();
    m_doc.OnNewDocument();
    m_lock.reset();
    m_readOnly = false;
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
        return reloadIfChanged();
    if (!saveModified())
        return KOutcome::Stopped;

    const QString file = absolute(path);
    auto lock = std::make_unique<KFileLock>(file);
    bool readOnly = false;
    if (const KResult locked = lock->lock(); locked.isFailed()) {
        lock.reset();
        switch (m_prompts.askLocked(locked.reason())) {
        case KDocPrompts::LockAnswer::ReadOnly:
            readOnly = true;
            break;
        case KDocPrompts::LockAnswer::OpenAnyway:
            break;
        case KDocPrompts::LockAnswer::Cancel:
            return KOutcome::Stopped;
        }
    } else if (locked.isNothingToDo()) {
        lock.reset(); // a folder where no lock can be made
    }
    return openFile(file, std::move(lock), readOnly);
}

KOutcome KDocManager::reloadIfChanged() {
    if (!m_doc.changedOnDisk())
        return KOutcome::Done;
    if (!saveModified())
        return KOutcome::Stopped;
    // Saving may have overwritten the other program's change on the user's word.
    if (!m_doc.changedOnDisk())
        return KOutcome::Done;
    if (!m_prompts.askReload(
            QStringLiteral("%1 is gewijzigd door een ander programma. Wilt u het opnieuw "
                           "inlezen?")
                .arg(documentName())))
        return KOutcome::Stopped;
    return openFile(m_doc.pathName(), nullptr, m_readOnly);
}

KOutcome KDocManager::openFile(const QString& file, std::unique_ptr<KFileLock> lock,
                               bool readOnly) {
    // A file that cannot be read leaves the open administration as it was.
    KFileReport report;
    const std::unique_ptr<KProgressReport> progress = m_prompts.fileProgress();
    const QString before = m_doc.pathName();
    const KResult opened = m_doc.OnOpenDocument(file, &report, progress.get());
    if (opened.isFailed())
        m_prompts.showError(opened.reason());
    if (!opened)
        return opened.outcome();
    if (m_recoveryFor && *m_recoveryFor == before)
        dropRecovery();
    if (lock || before != file)
        takeLock(std::move(lock), readOnly);
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
    if (m_readOnly) {
        m_prompts.showError(QStringLiteral("%1 is alleen om te lezen geopend. Bewaar uw "
                                           "wijzigingen met \"Bewaar als\" onder een andere "
                                           "naam.")
                                .arg(documentName()));
        return KOutcome::Failed;
    }
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
    const bool sameFile = isOpenDocument(path);
    if (sameFile && m_doc.changedOnDisk()) {
        switch (m_prompts.askChangedOnDisk(
            QStringLiteral("%1 is gewijzigd sinds u het opende. Overschrijven, Bewaar als, of "
                           "Annuleren?")
                .arg(documentName()))) {
        case KDocPrompts::ChangedAnswer::Overwrite:
            break;
        case KDocPrompts::ChangedAnswer::SaveAs:
            return fileSaveAs();
        case KDocPrompts::ChangedAnswer::Cancel:
            return KOutcome::Stopped;
        }
    }
    // Another file: it must not be one another Korvel is writing. The open file was locked when
    // it was opened, or the user chose to open it anyway.
    std::unique_ptr<KFileLock> lock;
    if (!sameFile || m_readOnly) {
        lock = std::make_unique<KFileLock>(path);
        const KResult locked = lock->lock();
        if (locked.isFailed()) {
            m_prompts.showError(locked.reason() +
                                QStringLiteral(" Bewaar het onder een andere naam."));
            return KOutcome::Failed;
        }
        if (locked.isNothingToDo())
            lock.reset();
    }
    m_doc.setBackupGenerations(Settings::backupGenerations());
    KFileReport report;
    const std::unique_ptr<KProgressReport> progress = m_prompts.fileProgress();
    const QString before = m_doc.pathName();
    const KResult saved = m_doc.OnSaveDocument(path, &report, progress.get());
    if (!saved) {
        if (saved.isFailed())
            m_prompts.showError(saved.reason());
        emit documentChanged();
        return saved.outcome();
    }
    if (m_recoveryFor && (*m_recoveryFor == before || *m_recoveryFor == path))
        dropRecovery();
    if (lock)
        takeLock(std::move(lock), false);
    m_readOnly = false;
    for (const QString& message : report.messages)
        m_prompts.showMessage(message);
    addRecentFile(path);
    emit documentChanged();
    return KOutcome::Done;
}

KOutcome KDocManager::restoreBackup() {
    if (m_doc.pathName().isEmpty()) {
        m_prompts.showMessage(QStringLiteral("Open eerst het ledenbestand waarvan u een "
                                             "reservekopie wilt terugzetten."));
        return KOutcome::NothingToDo;
    }
    const std::vector<KBackups::Restorable> copies = KBackups::restorable(m_doc.pathName());
    if (copies.empty()) {
        m_prompts.showMessage(
            QStringLiteral("Van %1 zijn geen reservekopieën gevonden.").arg(documentName()));
        return KOutcome::NothingToDo;
    }
    const int chosen = m_prompts.chooseBackup(documentName(), copies);
    if (chosen < 0 || chosen >= static_cast<int>(copies.size()))
        return KOutcome::Stopped;
    if (!saveModified())
        return KOutcome::Stopped;
    const std::unique_ptr<KProgressReport> progress = m_prompts.fileProgress();
    const QString before = m_doc.pathName();
    const KResult opened =
        m_doc.OnOpenDocument(copies[static_cast<std::size_t>(chosen)].path, nullptr,
                             progress.get());
    if (!opened) {
        if (opened.isFailed())
            m_prompts.showError(opened.reason());
        return opened.outcome();
    }
    if (m_recoveryFor && *m_recoveryFor == before)
        dropRecovery();
    // A new administration: a save asks for a name, so no copy is ever written over.
    m_doc.setPathName(QString());
    m_doc.SetModifiedFlag(true);
    takeLock(nullptr, false);
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

