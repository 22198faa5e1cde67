#pragma once

#include "cli/CommandOptions.h"

// korvel-cli overview FILE
// Prints the overview of outstanding amounts as JSON: {"grid": [[cell, ...], ...], "alerts":
// [text, ...]}, every row of the grid with its titles, every cell as the text shown, and the
// alerts raised while it was filled. 0 done, 1 a file that cannot be read, 2 a usage error.
int overviewCommand(int argc, char** argv, UsageReport usage);
