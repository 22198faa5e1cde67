#pragma once

#include "cli/CommandOptions.h"

// korvel-cli sepa: the direct-debit file of what the members owe, as "Incassobestand maken"
// writes it, with the creditor's data on the command line instead of the profile.
int sepaCommand(int argc, char** argv, UsageReport usage);
