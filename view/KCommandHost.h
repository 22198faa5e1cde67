#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class CKorvelDoc;
class KMainView;
class KQuestions;
class QAction;
class QString;
class QWidget;

// The commands of one area (members, contributions, configuration, output): installed on the
// host when made, they live as long as the main window.
class KAreaCommands {
public:
    virtual ~KAreaCommands() = default;
};

// The main window as the commands of an area see it (members, contributions, configuration,
// output). Each area has a commands class that installs its handlers and the rules that enable
// them; the frame only hosts. A rule is asked again whenever the document, the grid or its
// selection changed.
class KCommandHost {
public:
    virtual ~KCommandHost() = default;

    // Connects a command to its handler; it is enabled from then on unless a rule says not.
    virtual void setHandler(int id, std::function<void()> handler) = 0;
    // Enables the command exactly when the rule holds.
    virtual void setEnabledRule(int id, std::function<bool()> rule) = 0;
    // Asks every rule again, after a change the host cannot see.
    virtual void refreshCommandStates() = 0;

    virtual CKorvelDoc& document() = 0;
    virtual KMainView& mainView() = 0;
    // The questions the core asks, answered by dialogs (scripted in tests).
    virtual KQuestions& questions() = 0;
    // The parent of dialogs.
    virtual QWidget* window() = 0;
    // A message in the status bar, until the next one or until a menu item is hovered.
    virtual void showStatus(const QString& message) = 0;
};
