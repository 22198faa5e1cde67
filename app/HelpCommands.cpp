#include "app/HelpCommands.h"

#include "tolvex7/KHelpShow.h"

void showHelp(unsigned context) {
    KHelpShow::openHelp(KHelpShow::applicationHelpFile(), context);
}
