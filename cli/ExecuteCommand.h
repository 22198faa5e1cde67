#pragma once

#include "cli/CommandOptions.h"

// korvel-cli execute FILE OUT --scheme DESCRIPTION --select without-amount|all
// Executes the scheme with that description for the members the execution dialog's button
// selects ("Selecteer leden zonder bedrag" or "Selecteer alle leden"), prints the message the
// program shows and saves the result to OUT. 0 done, 1 a file that cannot be read or written,
// 2 a usage error, an unknown description included.
int executeCommand(int argc, char** argv, UsageReport usage);
