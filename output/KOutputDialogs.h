#pragma once

#include "core/output/MemberExport.h"
#include "core/table/MemberGridFont.h"
#include "platform/Components.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class KProgressReport;

// What the output commands ask of the user and of the main window. The program answers with
// its dialogs; tests answer from a script.
class KOutputDialogs {
public:
    virtual ~KOutputDialogs() = default;

    // The export dialog on these list items, all selected. On "&Exporteren" exportNow gets
    // the choice; the dialog closes when it returns true and stays open otherwise. True when
    // it closed that way.
    virtual bool runExport(const std::vector<std::string>& items,
                           const std::function<bool(const MemberExport::Choice&)>& exportNow) = 0;
    // The file to export to, chosen in the save dialog, as the platform names it; nothing when
    // the user cancelled.
    virtual std::optional<QString> exportFile() = 0;
    // The font dialog on the grid's font; nothing when the user cancelled.
    virtual std::optional<MemberGridFont> chooseFont(const MemberGridFont& current) = 0;
    // A plain message box, as the routine that gets a component shows its messages.
    virtual void messageBox(const QString& text) = 0;
    // The main window out of sight while a component works in its own window, and back.
    virtual void minimizeMainWindow() = 0;
    virtual void restoreMainWindow() = 0;
    // Where long work reports how far it is.
    virtual KProgressReport& progress() = 0;
};

// Where the output commands get their components: the shared routine over the program's
// plug-in folder; tests hand out components of their own.
class KComponentSource {
public:
    virtual ~KComponentSource() = default;
    virtual KStatus get(const KGuid& clsid, const KGuid& iid, IKUnknown** basic, void** wanted,
                        const Components::MessageSink& show) = 0;
};

// The shared routine on a plug-in folder, the program's own unless told.
class KPluginComponents : public KComponentSource {
public:
    explicit KPluginComponents(QString folder = Components::pluginFolder())
        : m_folder(std::move(folder)) {}
    KStatus get(const KGuid& clsid, const KGuid& iid, IKUnknown** basic, void** wanted,
                const Components::MessageSink& show) override {
        return Components::GetComInterface(clsid, iid, basic, wanted, show, m_folder);
    }

private:
    QString m_folder;
};
