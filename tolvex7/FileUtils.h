#pragma once

#include "tolvex7/Tolvex7Export.h"

#include <QStringList>

class QFileDialog;

#include <optional>
#include <string>

// Copying files and folder trees, choosing a file or folder, and forcing a file extension.
// Paths are Windows-1252 byte strings; they are converted to the file system's own names, so
// names with characters such as "é" work on every platform.

// Copies source to target byte for byte, replacing target. Returns 0 on success, 1 when the
// copy buffer cannot be had, 2 when the source cannot be opened or read, 3 when the target
// cannot be created or written. A target that failed part-way is removed.
TOLVEX7_EXPORT int copyFile(const char* source, const char* target);
// The same for paths as the program holds them, which may name any file the platform allows.
TOLVEX7_EXPORT int copyFile(const QString& source, const QString& target);

// Copies the folder tree source into target, creating target and every missing folder above
// it. Entries whose name begins with a dot are skipped. Returns 0, or the first non-zero
// result of a file copy, which ends the whole copy. A source that cannot be listed gives 0.
TOLVEX7_EXPORT int copyDir(const char* source, const char* target);

// Lets the user pick a file with the open (open != 0) or save dialog. filter holds pairs of a
// description and a pattern ("Leden\0*.kvl\0Alle bestanden\0*.*\0\0"); the first is selected.
// Neither demands that the file exists nor asks before overwriting. Empty on cancel.
TOLVEX7_EXPORT std::optional<std::string> selectFile(const char* title, const char* filter,
                                                     const char* initialFolder, short open);
// The same, the path as the platform names it: characters outside Windows-1252 stay as they are.
TOLVEX7_EXPORT std::optional<QString> selectFilePath(const char* title, const char* filter,
                                                     const QString& initialFolder, short open);

// Lets the user pick a folder, starting at initialFolder when given. Empty on cancel or when
// no dialog can be shown. flags are accepted for the callers' sake; the folder dialog always
// shows the chosen path.
TOLVEX7_EXPORT std::optional<std::string> selectDir(const char* title, unsigned long flags,
                                                    const char* initialFolder);

// Makes sure path ends in extension. The last dot of the whole path counts: with none, or more
// than three characters after it, a dot and the extension are appended; otherwise what follows
// the dot is replaced by the extension unless it equals the extension's first three
// characters, case aside.
TOLVEX7_EXPORT void ForceExtension(std::string& path, const char* extension);

// The zero-separated description and pattern pairs of a file filter as the name filters of a
// Qt file dialog: "Desc (pattern)", with ';' between patterns turned into ' ' and "*.*"
// meaning every file.
TOLVEX7_EXPORT QStringList fileDialogFilters(const char* filter);

// Makes a file dialog the program's own: Qt's dialog rather than the desktop's, so it speaks
// the program's language on every system, with icons and types taken from names and kinds
// only; listing a folder never reads a file in it.
TOLVEX7_EXPORT void prepareFileDialog(QFileDialog& dialog);
