#pragma once

#include <QIcon>

// The icon of a command: the desktop theme's icon where it has one, else the one shipped with
// the program, so that every toolbar button shows an icon on a machine without a theme.
// A null icon for a command without one.
QIcon commandIcon(int id);
