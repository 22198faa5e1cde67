#pragma once

#include "core/KOutcome.h"
#include "core/output/MemberExport.h"
#include "view/KCommandHost.h"

#include <cstdint>
#include <memory>

class KComponentSource;
class KGridSource;
class KOutputDialogs;

// The output commands: export of the member grid to a text file (32777), printing the member
// overview through the print component (57607, Ctrl+A), the grid's font (32774), messages to
// all members (32789) or to the selected one (169) through the correspondence component, and
// selecting every row of the grid from its context menu.
class KOutputCommands : public KAreaCommands {
public:
    KOutputCommands(KCommandHost& host, std::unique_ptr<KOutputDialogs> dialogs,
                    std::unique_ptr<KComponentSource> components);
    ~KOutputCommands() override;

    void exportMembers();
    void print();
    void chooseFont();
    void sendMessage();
    // Hands the data of every member (-1) or of the member with that id to the correspondence
    // component, with the main window out of sight meanwhile.
    void SendMessages(std::int32_t memberId);
    void selectAll();

private:
    // Writes the export to path, after asking when that file is there already.
    KResult exportTo(const QString& path, const KGridSource& grid, const MemberExport::Choice& choice);

    KCommandHost& m_host;
    std::unique_ptr<KOutputDialogs> m_dialogs;
    std::unique_ptr<KComponentSource> m_components;
};

// The output commands with the program's windows and components.
std::unique_ptr<KAreaCommands> makeOutputCommands(KCommandHost& host);
