#pragma once

#include "output/KOutputDialogs.h"

#include <memory>

class KProgressWindow;
class QWidget;

// The output commands' questions answered by the program's own windows.
class KOutputWindows : public KOutputDialogs {
public:
    explicit KOutputWindows(QWidget* mainWindow);
    ~KOutputWindows() override;

    bool runExport(const std::vector<std::string>& items,
                   const std::function<bool(const MemberExport::Choice&)>& exportNow) override;
    std::optional<QString> exportFile() override;
    std::optional<MemberGridFont> chooseFont(const MemberGridFont& current) override;
    void messageBox(const QString& text) override;
    void minimizeMainWindow() override;
    void restoreMainWindow() override;
    KProgressReport& progress() override;

    // The grid font as a Qt font and back: a chosen font keeps its point size.
    static QFont toQFont(const MemberGridFont& font);
    static MemberGridFont fromQFont(const QFont& font);

private:
    QWidget* m_window;
    std::unique_ptr<KProgressWindow> m_progress;
    Qt::WindowStates m_state;
};
