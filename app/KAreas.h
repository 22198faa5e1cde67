#pragma once

#include "view/KCommandHost.h"

#include <memory>
#include <vector>

// Makes the commands of every area, each installing its handlers and rules on the host, with
// the dialogs the program shows.
std::vector<std::unique_ptr<KAreaCommands>> installAreaCommands(KCommandHost& host);
