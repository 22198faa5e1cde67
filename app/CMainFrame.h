#pragma once

#include "core/document/KDocObserver.h"

#include <QMainWindow>

#include <functional>
#include <map>

class KDocManager;
class KMainView;
class QLabel;
class QMenu;
class QToolBar;

// The main window: menu bar, toolbar, the member count in the status bar and the main view.
// Every command is one QAction found by its id; a command without a handler stays disabled.
class CMainFrame : public QMainWindow, public KDocObserver {
    Q_OBJECT

public:
    explicit CMainFrame(KDocManager& docs, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // nullptr for an id the program does not know.
    QAction* action(int id) const;
    // Connects a command to its handler and enables it.
    void setHandler(int id, std::function<void()> handler);

    KMainView* view() const { return m_view; }
    QToolBar* toolBar() const { return m_toolBar; }
    QString memberCountText() const;

    // KDocObserver
    void updateAllViews() override;
    void showMemberCount(long count) override;
    void restoreDefaultColumns() override;
    void loadMessage(const char* text) override;

    void refreshTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void connectCommands();
    void refreshRecentFiles();
    void showAbout();
    void restoreWindowGeometry();

    KDocManager& m_docs;
    KMainView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentAnchor = nullptr;
    QLabel* m_memberCount = nullptr;
    std::map<int, QAction*> m_actions;
};
