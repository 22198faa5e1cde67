#include "app/HelpCommands.h"

#include "app/CMainFrame.h"
#include "app/KContextHelp.h"
#include "res/Commands.h"
#include "tolvex7/KHelpShow.h"
#include "view/KMainView.h"

#include <QAction>

namespace {

// The command an action stands for; 0 for an action that is no command of the frame.
int commandOf(const CMainFrame& frame, const QAction* action) {
    for (const KCommand& command : allCommands()) {
        if (frame.action(command.id) == action)
            return command.id;
    }
    return 0;
}

} // namespace

void showHelp(unsigned context) {
    KHelpShow::openHelp(KHelpShow::applicationHelpFile(), context);
}

void installHelpCommands(CMainFrame& frame) {
    auto* pointing = new KContextHelp(&frame);
    for (int id : {Cmd::HelpFinder, Cmd::Help, Cmd::DefaultHelp})
        frame.setHandler(id, [id] { showHelp(static_cast<unsigned>(id)); });
    frame.setHandler(Cmd::ContextHelp, [pointing] { pointing->start(); });

    QObject::connect(pointing, &KContextHelp::actionChosen, &frame, [&frame](QAction* action) {
        const int id = commandOf(frame, action);
        showHelp(static_cast<unsigned>(id != 0 ? id : Cmd::Help));
    });
    QObject::connect(pointing, &KContextHelp::widgetChosen, &frame, [&frame](QWidget* widget) {
        KMainView* view = frame.view();
        const bool onList = widget == view || view->isAncestorOf(widget);
        showHelp(onList ? kMemberListHelp : static_cast<unsigned>(Cmd::Help));
    });
}
