#pragma once

#include <QFileDevice>
#include <QString>

// Whether the file was being read or written (made or replaced) when it failed.
enum class FileAccess { Reading, Writing };

// Why a file could not be opened, read or written, in Dutch words for the user, e.g. "de map
// bestaat niet" after "Het bestand ... kan niet worden bewaard: ".
//
// systemError is the C library's errno right after the failing call, 0 where the platform
// gives none; it says most. Without it the reason follows Qt's error kind. With the path the
// reason tells a missing folder from a missing file and a read-only file from one that is
// merely out of reach.
QString fileErrorReason(QFileDevice::FileError error, int systemError = 0,
                        const QString& path = QString(), FileAccess access = FileAccess::Reading);
