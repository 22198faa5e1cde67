#pragma once

#include "tolvex7/Tolvex7Export.h"

#include <QString>

// What the library's DDE servers and clients share: the table of the objects that exist (ten
// servers and ten clients at most), where a service's socket lives, and how failures are told.
namespace DdeShared {

enum class Kind { Server, Client };

// Takes the first free slot of the kind for the object: 0 to 9 for servers, 10 to 19 for
// clients; -1 when all ten are taken.
int takeSlot(Kind kind, const void* object);
// Frees every slot that holds the object.
void releaseSlots(const void* object);

// The local socket of a service, or an empty string for a name that cannot be one (empty, a
// path, or too long). Service names are compared without regard to case, as DDE compares
// them. On Linux the socket lives in a folder of the user's private runtime folder, so no
// other user can take the name or answer in its place.
TOLVEX7_EXPORT QString socketPath(const char* service);
// The folder of the sockets: "tolvex7-dde" in the runtime folder, or without one (empty)
// "tolvex7-dde-<user id>" in the temporary folder. Empty where sockets need no folder.
TOLVEX7_EXPORT QString serviceFolder(const QString& runtime);
// Makes the folder of a socket path, open to the user only; false when it cannot be made, or
// when what is there is no folder of this user (a link, another user's folder).
TOLVEX7_EXPORT bool prepareFolder(const QString& path);
// Whether the path is a socket file, which a server that ended without closing can leave.
bool isLeftOverSocket(const QString& path);

// Whether a topic sent by a client names this topic, without regard to case.
bool sameName(const QString& ours, const QString& theirs);

// Shows the message with Alert, or writes it to standard error in a program without windows.
void report(const QString& message);

// Whether the calling thread runs an event loop that sockets and timers need.
bool canRun();

} // namespace DdeShared
