#include "app/CMainFrame.h"

#include "app/HelpCommands.h"
#include "app/KDocManager.h"
#include "app/KDocPrompts.h"
#include "core/document/CKorvelDoc.h"
#include "core/model/DefaultConfiguration.h"
#include "platform/Profile.h"
#include "res/CommandIcons.h"
#include "res/Commands.h"
#include "view/KMainView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

#ifndef KORVEL_VERSION
#define KORVEL_VERSION "0"
#endif

namespace {

const QString kWindowSection = QStringLiteral("Window");
const QString kGeometryKey = QStringLiteral("Geometry");

QString text(const char* s) {
    return QString::fromUtf8(s);
}

QList<QKeySequence> shortcutsOf(const KCommand& command) {
    QList<QKeySequence> keys;
    for (const QString& key : text(command.shortcuts).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        keys.append(QKeySequence(key, QKeySequence::PortableText));
    return keys;
}

} // namespace

CMainFrame::CMainFrame(KDocManager& docs, QWidget* parent) : QMainWindow(parent), m_docs(docs) {
    setWindowIcon(QIcon(QStringLiteral(":/icons/korvel.png")));
    m_view = new KMainView(this);
    m_view->setDocument(&docs.document());
    setCentralWidget(m_view);

    createActions();
    m_view->setCommands([this](int id) { return action(id); });
    createMenus();
    createToolBar();
    createStatusBar();
    connectCommands();
    showMemberCount(0);

    connect(&m_docs, &KDocManager::documentChanged, this, &CMainFrame::refreshTitle);
    connect(&m_docs, &KDocManager::recentFilesChanged, this, &CMainFrame::refreshRecentFiles);
    refreshRecentFiles();
    refreshTitle();
    restoreWindowGeometry();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::createActions() {
    for (const KCommand& command : allCommands()) {
        auto* action = new QAction(text(command.menuText), this);
        action->setStatusTip(text(command.statusText));
        if (*command.toolTip)
            action->setToolTip(text(command.toolTip));
        const QList<QKeySequence> keys = shortcutsOf(command);
        if (!keys.isEmpty()) {
            action->setShortcuts(keys);
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action); // the keys work even for commands on no menu
        }
        action->setIcon(commandIcon(command.id));
        action->setIconVisibleInMenu(false);
        action->setEnabled(false);
        m_actions[command.id] = action;
    }
}

void CMainFrame::createMenus() {
    for (const KMenuLayout& layout : menuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(text(layout.title));
        for (int id : layout.items) {
            if (id == 0) {
                menu->addSeparator();
            } else if (id == Cmd::FileMru1) {
                // The recent files are inserted in front of it; it shows when there are none.
                m_fileMenu = menu;
                m_recentAnchor = menu->addAction(text(FrameText::noRecentFiles));
                m_recentAnchor->setEnabled(false);
            } else {
                menu->addAction(action(id));
            }
        }
    }
}

void CMainFrame::createToolBar() {
    m_toolBar = addToolBar(QStringLiteral("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("toolbar"));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setMovable(true);
    for (int id : toolbarLayout()) {
        if (id == 0)
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(action(id));
    }
}

void CMainFrame::createStatusBar() {
    // The prompt area shows the idle text; status tips of hovered commands cover it.
    auto* idle = new QLabel(text(FrameText::idlePrompt), this);
    statusBar()->addWidget(idle, 1);
    m_memberCount = new QLabel(this);
    m_memberCount->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_memberCount->setAlignment(Qt::AlignCenter);
    m_memberCount->setMinimumWidth(
        m_memberCount->fontMetrics().horizontalAdvance(text(FrameText::memberCountWidth)) + 12);
    statusBar()->addPermanentWidget(m_memberCount);
}

void CMainFrame::connectCommands() {
    setHandler(Cmd::FileNew, [this] { m_docs.fileNew(); });
    setHandler(Cmd::FileOpen, [this] { m_docs.fileOpen(); });
    setHandler(Cmd::FileSave, [this] { m_docs.fileSave(); });
    setHandler(Cmd::FileSaveAs, [this] { m_docs.fileSaveAs(); });
    for (int i = 0; i < Cmd::RecentFileCount; ++i)
        setHandler(Cmd::FileMru1 + i, [this, i] { m_docs.openRecentFile(i); });
    setHandler(Cmd::AppExit, [this] { close(); });
    setHandler(Cmd::AppAbout, [this] { showAbout(); });
    installHelpCommands(*this);

    QAction* toolbar = action(Cmd::ViewToolbar);
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    toolbar->setEnabled(true);
    connect(toolbar, &QAction::toggled, m_toolBar, &QToolBar::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, toolbar, &QAction::setChecked);

    QAction* status = action(Cmd::ViewStatusBar);
    status->setCheckable(true);
    status->setChecked(true);
    status->setEnabled(true);
    connect(status, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
}

QAction* CMainFrame::action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::setHandler(int id, std::function<void()> handler) {
    QAction* target = action(id);
    if (!target)
        return;
    connect(target, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    target->setEnabled(true);
}

QString CMainFrame::memberCountText() const {
    return m_memberCount->text();
}

void CMainFrame::updateAllViews() {
    m_view->OnUpdate();
}

void CMainFrame::showMemberCount(long count) {
    m_memberCount->setText(QString::asprintf(FrameText::memberCountFormat, count));
}

void CMainFrame::restoreDefaultColumns() {
    writeDefaultColumnList();
}

void CMainFrame::loadMessage(const char* message) {
    m_docs.prompts().showMessage(text(message));
}

void CMainFrame::refreshTitle() {
    setWindowTitle(m_docs.title());
}

void CMainFrame::refreshRecentFiles() {
    for (int i = 0; i < Cmd::RecentFileCount; ++i)
        m_fileMenu->removeAction(action(Cmd::FileMru1 + i));
    const QStringList files = m_docs.recentFiles();
    m_recentAnchor->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        QAction* recent = action(Cmd::FileMru1 + i);
        recent->setText(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files.at(i))));
        m_fileMenu->insertAction(m_recentAnchor, recent);
    }
}

void CMainFrame::showAbout() {
    QMessageBox::about(this, QStringLiteral("Over Korvel"),
                       QStringLiteral("<h3>Korvel %1</h3>"
                                      "<p>Administreren van alle huidige en voormalige leden.</p>"
                                      "<p>Uitgebreide afhandeling van contributie.</p>")
                           .arg(QStringLiteral(KORVEL_VERSION)));
}

void CMainFrame::restoreWindowGeometry() {
    const QByteArray saved =
        QByteArray::fromBase64(Profile::readString(kWindowSection, kGeometryKey).toLatin1());
    if (saved.isEmpty() || !restoreGeometry(saved))
        resize(1000, 700);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_docs.saveModified()) {
        event->ignore();
        return;
    }
    Profile::writeString(kWindowSection, kGeometryKey,
                         QString::fromLatin1(saveGeometry().toBase64()));
    event->accept();
}
