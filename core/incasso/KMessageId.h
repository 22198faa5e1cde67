#pragma once

#include <QDateTime>
#include <QString>

// The MsgId of a new direct-debit file: "KVL-" + the program's clock as yyyyMMddHHmmss and
// three digits of milliseconds. Within one process no two are alike: a clock that has not moved
// on since the last one (or is pinned) gives the next millisecond.
namespace KMessageId {

// The id, and the moment it stands for (the file's creation time).
QString next(QDateTime* created = nullptr);

} // namespace KMessageId
