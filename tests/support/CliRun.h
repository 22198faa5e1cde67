#pragma once

#include "tests/support/ProcessRun.h"

#include <QStringList>

#include <cstdint>

#ifndef KORVEL_CLI
#error "runCli runs the korvel-cli the build names in KORVEL_CLI"
#endif

// What korvel-cli takes from its surroundings, pinned for a run: today (0 leaves the clock)
// and the date format.
struct CliPins {
    std::int32_t today = 0;
    const char* dateFormat = "Standard";
};

// Runs the korvel-cli built with the tests.
inline ProcessRun runCli(QStringList args, const CliPins& pins = {}) {
    if (pins.today != 0)
        args << QStringLiteral("--today") << QString::number(pins.today);
    args << QStringLiteral("--date-format") << QString::fromUtf8(pins.dateFormat);
    return runProcess(QStringLiteral(KORVEL_CLI), args);
}
