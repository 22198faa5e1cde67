#include "res/CommandIcons.h"

#include "res/Commands.h"
#include "res/Resources.h"

#include <iterator>

namespace {

// Redo comes with the "&Bewerken" menu, beside undo.
constexpr int kEditRedo = 57644;

struct IconName {
    int id;
    const char* name; // the freedesktop.org icon name, also the name of the shipped files
};

constexpr IconName kIcons[] = {
    {Cmd::FileNew, "document-new"},
    {Cmd::FileOpen, "document-open"},
    {Cmd::FileSave, "document-save"},
    {Cmd::FilePrint, "document-print"},
    {Cmd::EditCut, "edit-cut"},
    {Cmd::EditCopy, "edit-copy"},
    {Cmd::EditPaste, "edit-paste"},
    {Cmd::EditUndo, "edit-undo"},
    {kEditRedo, "edit-redo"},
    {Cmd::AppAbout, "help-about"},
    {Cmd::ContextHelp, "help-contextual"},
};

QIcon shipped(const QString& name) {
    QIcon icon;
    for (int size : {24, 48})
        icon.addFile(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(name), QSize(size, size));
    return icon;
}

} // namespace

QIcon commandIcon(int id) {
    initResources();
    for (const IconName& icon : kIcons) {
        if (icon.id == id) {
            const QString name = QString::fromLatin1(icon.name);
            return QIcon::fromTheme(name, shipped(name));
        }
    }
    return {};
}
