#pragma once

#include "core/document/KDocListener.h"
#include "view/KCommandHost.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class KDocManager;
class KMainView;
class KQuestions;
class QLabel;
class QMenu;
class QToolBar;

// The main window: menu bar, toolbar, the member count in the status bar and the main view.
// Every command is one QAction found by its id; a command without a handler stays disabled.
// The frame hosts the commands of the areas; it listens to the document for the member count,
// and keeps undo and redo in step with the document's history.
class CMainFrame : public QMainWindow, public KDocListener, public KCommandHost {
    Q_OBJECT

public:
    CMainFrame(KDocManager& docs, KQuestions& questions, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // nullptr for an id the program does not know.
    QAction* action(int id) const;

    KMainView* view() const { return m_view; }
    QToolBar* toolBar() const { return m_toolBar; }
    QString memberCountText() const;
    void showMemberCount(long count);

    // KCommandHost
    void setHandler(int id, std::function<void()> handler) override;
    void setEnabledRule(int id, std::function<bool()> rule) override;
    void refreshCommandStates() override;
    CKorvelDoc& document() override;
    KMainView& mainView() override { return *m_view; }
    KQuestions& questions() override { return m_questions; }
    QWidget* window() override { return this; }
    void showStatus(const QString& message) override;

    // KDocListener
    void documentReset() override;
    void membersChanged(const KMemberChange& change) override;
    void modifiedChanged(bool modified) override;

    void refreshTitle();
    // The title as the window shows it: "club.kvl* - Korvel" while there are unsaved changes.
    QString shownTitle() const;
    // The commands of the areas, which live as long as the window.
    void setAreas(std::vector<std::unique_ptr<KAreaCommands>> areas) { m_areas = std::move(areas); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void connectCommands();
    void connectHistory();
    void copySelection();
    void refreshRecentFiles();
    void showAbout();
    void restoreWindowGeometry();

    KDocManager& m_docs;
    KQuestions& m_questions;
    KMainView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentAnchor = nullptr;
    QLabel* m_memberCount = nullptr;
    std::map<int, QAction*> m_actions;
    std::map<int, std::function<bool()>> m_rules;
    std::vector<std::unique_ptr<KAreaCommands>> m_areas;
};
