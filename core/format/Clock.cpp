#include "core/format/Clock.h"

#include <chrono>
#include <optional>

namespace {
std::optional<std::time_t>& pinned() {
    static std::optional<std::time_t> value;
    return value;
}
} // namespace

namespace Clock {

std::time_t now() {
    return pinned() ? *pinned() : std::time(nullptr);
}

std::int64_t nowMilliseconds() {
    if (pinned())
        return static_cast<std::int64_t>(*pinned()) * 1000;
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::int32_t today() {
    // Every new date value asks for today, a file load millions of times; the calendar date is
    // worked out once per second of the clock.
    static std::time_t lastTime = -1;
    static std::int32_t lastToday = 0;
    const std::time_t t = now();
    if (t == lastTime)
        return lastToday;
    std::tm local{};
    if (!localtime_r(&t, &local))
        return 0;
    lastToday = (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
    lastTime = t;
    return lastToday;
}

void pin(std::time_t value) {
    pinned() = value;
}

void pinToday(std::int32_t yyyymmdd) {
    std::tm local{};
    local.tm_year = yyyymmdd / 10000 - 1900;
    local.tm_mon = (yyyymmdd / 100) % 100 - 1;
    local.tm_mday = yyyymmdd % 100;
    local.tm_hour = 12;
    local.tm_isdst = -1; // let the time zone decide, so noon stays noon in summer time
    pin(std::mktime(&local));
}

void unpin() {
    pinned().reset();
}

} // namespace Clock
