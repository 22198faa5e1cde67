#include "app/KorvelApp.h"

#include "app/CMainFrame.h"
#include "app/DialogQuestions.h"
#include "app/HelpCommands.h"
#include "app/KAreas.h"
#include "app/KDocManager.h"
#include "app/KDocPromptDialogs.h"
#include "app/KStartPaintExit.h"
#include "app/KorvelAppChannel.h"
#include "app/QtTranslations.h"
#include "app/StartFile.h"
#include "core/document/CKorvelDoc.h"
#include "core/model/DefaultConfiguration.h"
#include "core/settings/DateFormatSetting.h"
#include "core/settings/Settings.h"
#include "grid/CvsFlexGrid.h"
#include "res/Commands.h"
#include "res/Resources.h"
#include "tolvex7/KHelpShow.h"
#include "view/KMainView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QTableView>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

namespace {

bool endsInSeparator(const QString& path) {
    return path.endsWith(QLatin1Char('/')) || path.endsWith(QDir::separator());
}

// How often a file that waits for a dialog to close looks again.
constexpr int kWaitingRetryMs = 250;

void bringToFront(QWidget& window) {
    if (window.isMinimized())
        window.showNormal();
    window.raise();
    window.activateWindow();
}
} // namespace

KorvelApp::KorvelApp(QStringList arguments, std::unique_ptr<KDocPrompts> prompts,
                     std::unique_ptr<KQuestions> questions)
    : m_arguments(std::move(arguments)), m_startFolder(QDir::currentPath()),
      m_prompts(std::move(prompts)), m_questions(std::move(questions)) {}

KorvelApp::~KorvelApp() {
    // Nothing arrives any more; the window listens to the document, it goes next.
    m_channel.reset();
    m_frame.reset();
}

bool KorvelApp::InitInstance() {
    // The profile: "Orvanta"/"Korvel"; the recent-file list lives in it.
    QCoreApplication::setOrganizationName(QStringLiteral("Orvanta"));
    QCoreApplication::setApplicationName(QString::fromUtf8(FrameText::appTitle));
    // The desktop entry the window belongs to (its icon and name in the task bar).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvanta.Korvel"));
    loadQtTranslations();
    initResources();
    // Every window of the program, also the message and choice windows, shows its icon.
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/korvel.png")));
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

    // The command line: a new administration, or the file it names. The grid is built once,
    // after the file, the date format and the columns are known.
    KMainView& view = *m_frame->view();
    view.holdUpdates();
    const QString file = fileFromArguments(m_arguments);
    if (file.isEmpty())
        m_docs->newDocument();
    else if (m_docs->openDocumentFile(file) != KOutcome::Done)
        return false;

    QDir::setCurrent(dataFolderSetting()); // a folder that does not exist changes nothing
    LoadDateFormat();
    openStartFile();
    // What a Korvel that ended badly left behind is offered back before anything else.
    m_docs->offerRecovery();

    view.OnUpdate();
    view.releaseUpdates();
    KStartPaintExit::installIfAsked(*view.grid().view()->viewport());
    m_frame->show();
    m_frame->repaint();
    m_started = true;
    // Files handed over while the program started.
    openWaitingFiles();
    return true;
}

void KorvelApp::setChannel(std::unique_ptr<KorvelAppChannel> channel) {
    m_channel = std::move(channel);
    if (m_channel)
        QObject::connect(m_channel.get(), &KorvelAppChannel::filesArrived, m_channel.get(),
                         [this](const QStringList& paths) { openHandedOver(paths); });
}

void KorvelApp::openHandedOver(const QStringList& paths) {
    m_waitingFiles += paths;
    openWaitingFiles();
}

bool KorvelApp::busyElsewhere() const {
    // A dialog, a menu, or a command that waits in a loop of its own: the document must stay
    // as that work found it.
    return QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
           QThread::currentThread()->loopLevel() > 1;
}

void KorvelApp::openWaitingFiles() {
    if (!m_started || m_openingWaiting || m_waitingFiles.isEmpty())
        return;
    if (busyElsewhere()) {
        if (!m_retryPlanned) {
            m_retryPlanned = true;
            QTimer::singleShot(kWaitingRetryMs, m_frame.get(), [this] {
                m_retryPlanned = false;
                openWaitingFiles();
            });
        }
        return;
    }
    m_openingWaiting = true;
    bringToFront(*m_frame);
    // Files that arrive while the save question is asked wait their turn here.
    while (!m_waitingFiles.isEmpty())
        m_docs->openDocumentFile(m_waitingFiles.takeFirst());
    m_openingWaiting = false;
}

void KorvelApp::openStartFile() {
    if (!Settings::loadAtStart()) {
        // A first start gets the default columns; the columns the user chose stay.
        if (!Settings::hasColumns())
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
