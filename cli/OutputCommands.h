#pragma once

#include "cli/CommandOptions.h"

// korvel-cli's output commands: the member grid as JSON (members), the export file (export),
// what messages to members hand to the correspondence component (messages), and the member
// overview through the print component as a PDF (print).
namespace OutputCommands {

// Whether the command is one of them.
bool handles(const char* command);
// Runs it: 0 on success, 1 when the member file or the output failed, else what usage returns.
int run(int argc, char** argv, UsageReport usage);

} // namespace OutputCommands
