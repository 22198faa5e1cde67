#include "app/KorvelApp.h"

#include "app/CMainFrame.h"
#include "app/HelpCommands.h"
#include "app/KDocManager.h"
#include "app/KDocPromptDialogs.h"
#include "app/QtTranslations.h"
#include "app/StartFile.h"
#include "core/document/CKorvelDoc.h"
#include "core/format/DateFormat.h"
#include "core/model/DefaultConfiguration.h"
#include "platform/Profile.h"
#include "res/Commands.h"
#include "res/Resources.h"
#include "tolvex7/KHelpShow.h"

#include <QCoreApplication>
#include <QDir>

namespace {
const QString kSettings = QStringLiteral("Settings");

bool endsInSeparator(const QString& path) {
    return path.endsWith(QLatin1Char('/')) || path.endsWith(QDir::separator());
}
} // namespace

KorvelApp::KorvelApp(QStringList arguments, std::unique_ptr<KDocPrompts> prompts)
    : m_arguments(std::move(arguments)), m_startFolder(QDir::currentPath()),
      m_prompts(std::move(prompts)) {}

KorvelApp::~KorvelApp() {
    if (m_doc)
        m_doc->setObserver(nullptr);
}

bool KorvelApp::InitInstance() {
    // The profile: "Orvanta"/"Korvel"; the recent-file list lives in it.
    QCoreApplication::setOrganizationName(QStringLiteral("Orvanta"));
    QCoreApplication::setApplicationName(QString::fromUtf8(FrameText::appTitle));
    loadQtTranslations();
    initResources();
    KHelpShow::setApplicationHelpFile(kManualFolder);

    // The document, the main window and its view.
    KDocPromptDialogs* dialogs = nullptr;
    if (!m_prompts) {
        auto owned = std::make_unique<KDocPromptDialogs>();
        dialogs = owned.get();
        m_prompts = std::move(owned);
    }
    m_doc = std::make_unique<CKorvelDoc>();
    m_docs = std::make_unique<KDocManager>(*m_doc, *m_prompts);
    m_frame = std::make_unique<CMainFrame>(*m_docs);
    if (dialogs)
        dialogs->setParentWindow(m_frame.get());
    m_doc->setObserver(m_frame.get());

    // The command line: a new administration, or the file it names.
    const QString file = fileFromArguments(m_arguments);
    if (file.isEmpty())
        m_docs->newDocument();
    else if (m_docs->openDocumentFile(file) != KDocManager::OpenResult::Opened)
        return false;

    QDir::setCurrent(dataFolderSetting()); // a folder that does not exist changes nothing
    LoadDateFormat();
    openStartFile();

    // The views were filled before the date format was read.
    m_doc->updateAllViews();
    m_frame->show();
    m_frame->repaint();
    return true;
}

void KorvelApp::openStartFile() {
    if (Profile::readInt(kSettings, QStringLiteral("loadstart"), 0) == 0) {
        writeDefaultColumnList();
        return;
    }
    if (Profile::readInt(kSettings, QStringLiteral("fixed"), 0) != 0) {
        const QString startFile = Profile::readString(kSettings, QStringLiteral("Startfile"));
        if (!startFile.isEmpty())
            m_docs->openDocumentFile(startFile);
        return;
    }
    const QString path = startFileFromCommandLine(commandLineOf(m_arguments));
    if (path.isEmpty())
        return;
    // A relative name means the folder the program was started in, not the data folder.
    m_docs->openDocumentFile(QDir(m_startFolder).absoluteFilePath(path));
}

QString KorvelApp::dataFolderSetting() {
    return Profile::readString(kSettings, QStringLiteral("Datadir"), QDir::homePath());
}

QString KorvelApp::dataFolderPath(const QString& fileName) {
    QString path = dataFolderSetting();
    if (!endsInSeparator(path))
        path += QDir::separator();
    return path + fileName;
}
