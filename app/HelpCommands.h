#pragma once

class CMainFrame;

// The manual shipped with the program (docs/handleiding), as the application's help file.
inline constexpr const char* kManualFolder = ":/handleiding";

// The help context of the member list. A window's context is 0x20000 plus the id of its form
// or dialog template (the main view's form is 134); a command's context is its command id.
inline constexpr unsigned kMemberListHelp = 0x20000 + 134;

// F1 and "&Help Onderwerpen" open the manual; Shift+F1 and the "?" button let the user point
// at a command, or at the member list, and read its page.
void installHelpCommands(CMainFrame& frame);

// Opens the manual on the page of a help context.
void showHelp(unsigned context);
