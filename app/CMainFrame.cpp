#include "app/CMainFrame.h"

#include "app/KDocManager.h"
#include "app/KDocPrompts.h"
#include "core/document/CKorvelDoc.h"
#include "core/settings/Settings.h"
#include "res/CommandIcons.h"
#include "res/Commands.h"
#include "grid/CvsFlexGrid.h"
#include "view/KMainView.h"
#include "korvel/Version.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMimeData>
#include <QUndoStack>
#include <QDir>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

namespace {

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

CMainFrame::CMainFrame(KDocManager& docs, KQuestions& questions, QWidget* parent)
    : QMainWindow(parent), m_docs(docs), m_questions(questions) {
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
    connectHistory();
    showMemberCount(0);
    docs.document().addListener(this);
    connect(m_view, &KMainView::gridChanged, this, &CMainFrame::refreshCommandStates);

    connect(&m_docs, &KDocManager::documentChanged, this, &CMainFrame::refreshTitle);
    connect(&m_docs, &KDocManager::documentChanged, this, &CMainFrame::refreshCommandStates);
    connect(&m_docs, &KDocManager::recentFilesChanged, this, &CMainFrame::refreshRecentFiles);
    refreshRecentFiles();
    refreshTitle();
    restoreWindowGeometry();
}

CMainFrame::~CMainFrame() {
    m_docs.document().removeListener(this);
}

CKorvelDoc& CMainFrame::document() {
    return m_docs.document();
}

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
        // Whoever is handed the action (help on what the user points at) knows its command.
        action->setData(command.id);
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
    m_toolBar = addToolBar(QStringLiteral("Werkbalk"));
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
    // A file opened read-only is saved under another name only.
    setEnabledRule(Cmd::FileSave, [this] { return !m_docs.isReadOnly(); });
    setHandler(Cmd::FileSave, [this] { m_docs.fileSave(); });
    setHandler(Cmd::FileSaveAs, [this] { m_docs.fileSaveAs(); });
    setHandler(Cmd::FileRestoreBackup, [this] { m_docs.restoreBackup(); });
    for (int i = 0; i < Cmd::RecentFileCount; ++i)
        setHandler(Cmd::FileMru1 + i, [this, i] { m_docs.openRecentFile(i); });
    setHandler(Cmd::AppExit, [this] { close(); });
    setHandler(Cmd::AppAbout, [this] { showAbout(); });

    QAction* toolbar = action(Cmd::ViewToolbar);
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    toolbar->setEnabled(true);
    connect(toolbar, &QAction::toggled, m_toolBar, &QToolBar::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, toolbar, &QAction::setChecked);

    setHandler(Cmd::EditFind, [this] { m_view->showFindBar(); });
    setHandler(Cmd::EditCopy, [this] { copySelection(); });
    setEnabledRule(Cmd::EditCopy, [this] { return m_view->grid().selectedRowCount() > 0; });

    QAction* status = action(Cmd::ViewStatusBar);
    status->setCheckable(true);
    status->setChecked(true);
    status->setEnabled(true);
    connect(status, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
}

void CMainFrame::connectHistory() {
    // Undo and redo name the step they take back or do again ("Ongedaan maken: lid wijzigen").
    QUndoStack& history = m_docs.document().undoStack();
    QAction* undo = action(Cmd::EditUndo);
    QAction* redo = action(Cmd::EditRedo);
    const QString undoText = undo->text();
    const QString redoText = redo->text();
    auto refresh = [&history, undo, redo, undoText, redoText] {
        undo->setEnabled(history.canUndo());
        undo->setText(history.canUndo() ? undoText + QStringLiteral(": ") + history.undoText()
                                        : undoText);
        redo->setEnabled(history.canRedo());
        redo->setText(history.canRedo() ? redoText + QStringLiteral(": ") + history.redoText()
                                        : redoText);
    };
    connect(undo, &QAction::triggered, &history, &QUndoStack::undo);
    connect(redo, &QAction::triggered, &history, &QUndoStack::redo);
    connect(&history, &QUndoStack::indexChanged, this, refresh);
    connect(&history, &QUndoStack::cleanChanged, this, refresh);
    refresh();
}

void CMainFrame::copySelection() {
    if (QMimeData* data = m_view->selectionAsMimeData())
        QApplication::clipboard()->setMimeData(data);
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
    const auto rule = m_rules.find(id);
    target->setEnabled(rule == m_rules.end() || rule->second());
}

void CMainFrame::setEnabledRule(int id, std::function<bool()> rule) {
    if (!action(id))
        return;
    m_rules[id] = std::move(rule);
    action(id)->setEnabled(m_rules[id]());
}

void CMainFrame::refreshCommandStates() {
    for (const auto& [id, rule] : m_rules)
        action(id)->setEnabled(rule());
}

QString CMainFrame::memberCountText() const {
    return m_memberCount->text();
}

void CMainFrame::showMemberCount(long count) {
    m_memberCount->setText(FrameText::memberCount(count));
}

void CMainFrame::documentReset() {
    showMemberCount(static_cast<long>(m_docs.document().members().size()));
    refreshCommandStates();
}

void CMainFrame::membersChanged(const KMemberChange& change) {
    if (!change.added.empty() || !change.removed.empty())
        showMemberCount(static_cast<long>(m_docs.document().members().size()));
    refreshCommandStates();
}

void CMainFrame::modifiedChanged(bool) {
    refreshTitle();
}

void CMainFrame::refreshTitle() {
    // "[*]" is where the window shows "*" while the administration has unsaved changes.
    setWindowTitle(m_docs.title());
    setWindowModified(m_docs.document().IsModified());
}

QString CMainFrame::shownTitle() const {
    QString title = windowTitle();
    return title.replace(QStringLiteral("[*]"), isWindowModified() ? QStringLiteral("*") : QString());
}

void CMainFrame::showStatus(const QString& message) {
    statusBar()->showMessage(message);
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
                           .arg(QString::fromLatin1(kKorvelVersion)));
}

void CMainFrame::restoreWindowGeometry() {
    const QByteArray saved = Settings::windowGeometry();
    if (saved.isEmpty() || !restoreGeometry(saved))
        resize(1000, 700);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_docs.saveModified()) {
        event->ignore();
        return;
    }
    Settings::setWindowGeometry(saveGeometry());
    event->accept();
}
