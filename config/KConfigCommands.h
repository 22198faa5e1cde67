#pragma once

#include "config/KConfigDialogs.h"
#include "view/KCommandHost.h"

#include <memory>

// The commands of the menu "&Configuratie" (tabs, fields, member types, columns) and the
// settings sheet of "&Toon", all always enabled. Changes of tabs, fields and member types are
// one undoable step each; the columns and the settings are the user's profile and are not
// undone.
class KConfigCommands : public KAreaCommands {
public:
    // Without dialogs the real ones are shown.
    explicit KConfigCommands(KCommandHost& host, std::unique_ptr<KConfigDialogs> dialogs = {});
    ~KConfigCommands() override;

    void tabs();
    void fields();
    void memberTypes();
    void columns();
    void settings();

private:
    KCommandHost& m_host;
    std::unique_ptr<KConfigDialogs> m_dialogs;
};
