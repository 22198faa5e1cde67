#pragma once

#include "view/KCommandHost.h"

#include <memory>

class KContextHelp;

// The help commands, installed like every other area's: F1 and "&Help Onderwerpen" open the
// manual; Shift+F1 and the "?" button let the user point at a command, or at the member list,
// and read its page.
class KHelpCommands : public KAreaCommands {
public:
    explicit KHelpCommands(KCommandHost& host);
    ~KHelpCommands() override;

private:
    KCommandHost& m_host;
    std::unique_ptr<KContextHelp> m_pointing;
};
