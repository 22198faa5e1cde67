#include "app/KHelpCommands.h"

#include "app/HelpCommands.h"
#include "app/KContextHelp.h"
#include "res/Commands.h"
#include "view/KMainView.h"

#include <QAction>

namespace {

// The command an action stands for (the frame gives each command's action its id as data); 0
// for an action that is no command.
int commandOf(const QAction* action) {
    if (!action)
        return 0;
    bool isNumber = false;
    const int id = action->data().toInt(&isNumber);
    if (!isNumber)
        return 0;
    for (const KCommand& command : allCommands())
        if (command.id == id)
            return id;
    return 0;
}

} // namespace

KHelpCommands::KHelpCommands(KCommandHost& host)
    : m_host(host), m_pointing(std::make_unique<KContextHelp>()) {
    for (int id : {Cmd::HelpFinder, Cmd::Help, Cmd::DefaultHelp})
        host.setHandler(id, [id] { showHelp(static_cast<unsigned>(id)); });
    host.setHandler(Cmd::ContextHelp, [this] { m_pointing->start(); });

    QObject::connect(m_pointing.get(), &KContextHelp::actionChosen, m_pointing.get(),
                     [](QAction* action) {
                         const int id = commandOf(action);
                         showHelp(static_cast<unsigned>(id != 0 ? id : Cmd::Help));
                     });
    QObject::connect(m_pointing.get(), &KContextHelp::widgetChosen, m_pointing.get(),
                     [this](QWidget* widget) {
                         const KMainView& view = m_host.mainView();
                         const bool onList = widget == &view || view.isAncestorOf(widget);
                         showHelp(onList ? kMemberListHelp : static_cast<unsigned>(Cmd::Help));
                     });
}

KHelpCommands::~KHelpCommands() = default;
