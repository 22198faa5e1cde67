#include "app/HelpCommands.h"

#include "res/Commands.h"
#include "tolvex7/KHelpShow.h"
#include "tolvex7/KHelpWindow.h"

void showHelp(unsigned context) {
    KHelpShow::openHelp(KHelpShow::applicationHelpFile(), context);
}

void showHelpPage(const QString& file) {
    const QString folder = QString::fromStdString(KHelpShow::applicationHelpFile());
    KHelpWindow* window = KHelpWindow::open(folder, static_cast<unsigned>(Cmd::Help));
    if (!window)
        return;
    const auto& pages = window->pages();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (pages[i].file == file) {
            window->showPage(static_cast<int>(i));
            return;
        }
    }
}
