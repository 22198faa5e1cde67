#pragma once

#include "cli/CommandOptions.h"

// korvel-cli's commands for spreadsheets: a table read into a member file (import), and the
// member list written as an .xlsx workbook (xlsx).
namespace ImportCommands {

bool handles(const char* command);
// Runs it: 0 on success, 1 when a file cannot be read or written, else what usage returns.
int run(int argc, char** argv, UsageReport usage);

} // namespace ImportCommands
