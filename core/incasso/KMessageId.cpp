#include "core/incasso/KMessageId.h"

#include "core/format/Clock.h"

#include <mutex>

namespace KMessageId {

QString next(QDateTime* created) {
    static std::mutex guard;
    static std::int64_t last = 0;
    std::int64_t now = Clock::nowMilliseconds();
    {
        const std::lock_guard<std::mutex> lock(guard);
        if (now <= last)
            now = last + 1;
        last = now;
    }
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(now);
    if (created)
        *created = moment;
    return QStringLiteral("KVL-") + moment.toString(QStringLiteral("yyyyMMddHHmmsszzz"));
}

} // namespace KMessageId
