#include "app/KorvelApp.h"

#include "app/CMainFrame.h"
#include "app/DialogQuestions.h"
#include "app/HelpCommands.h"
#include "app/KAreas.h"
#include "app/KDocManager.h"
#include "app/KDocPromptDialogs.h"
#include "app/QtTranslations.h"
#include "app/StartFile.h"
#include "core/document/CKorvelDoc.h"
#include "core/model/DefaultConfiguration.h"
#include "core/settings/DateFormatSetting.h"
#include "core/settings/Settings.h"
#include "res/Commands.h"
#include "res/Resources.h"
#include "tolvex7/KHelpShow.h"
#include "view/KMainView.h"

#include <QCoreApplication>
#include <QDir>

namespace {

bool endsInSeparator(const QString& path) {
    return path.endsWith(QLatin1Char('/')) || path.endsWith(QDir::separator());
}
} // namespace

KorvelApp::KorvelApp(QStringList arguments, std::unique_ptr<KDocPrompts> prompts,
                     std::unique_ptr<KQuestions> questions)
    : m_arguments(std::move(arguments)), m_startFolder(QDir::currentPath()),
      m_prompts(std::move(prompts)), m_questions(std::move(questions)) {}

KorvelApp::~KorvelApp() {
    // The window listens to the document; it goes first.
    m_frame.reset();
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
    if (!m_questions)
        m_questions = std::make_unique<DialogQuestions>();
    m_doc = std::make_unique<CKorvelDoc>();
    m_docs = std::make_unique<KDocManager>(*m_doc, *m_prompts);
    m_frame = std::make_unique<CMainFrame>(*m_docs, *m_questions);
    if (dialogs)
        dialogs->setParentWindow(m_frame.get());
    m_frame->setAreas(installAreaCommands(*m_frame));

    // The command line: a new administration, or the file it names.
    const QString file = fileFromArguments(m_arguments);
    if (file.isEmpty())
        m_docs->newDocument();
    else if (m_docs->openDocumentFile(file) != KOutcome::Done)
        return false;

    QDir::setCurrent(dataFolderSetting()); // a folder that does not exist changes nothing
    LoadDateFormat();
    openStartFile();

    // The views were filled before the date format was read.
    m_frame->view()->OnUpdate();
    m_frame->show();
    m_frame->repaint();
    return true;
}

void KorvelApp::openStartFile() {
    if (!Settings::loadAtStart()) {
        Settings::setColumns(kDefaultColumnList);
        return;
    }
    if (Settings::fixedStartFile()) {
        const QString startFile = Settings::startFile();
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
    return Settings::dataFolder();
}

QString KorvelApp::dataFolderPath(const QString& fileName) {
    QString path = dataFolderSetting();
    if (!endsInSeparator(path))
        path += QDir::separator();
    return path + fileName;
}
