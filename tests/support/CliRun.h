#pragma once

#include "tests/support/ProcessRun.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <cstdint>

#ifndef KORVEL_CLI
#error "runCli runs the korvel-cli the build names in KORVEL_CLI"
#endif

// What korvel-cli takes from its surroundings, pinned for a run: today (0 leaves the clock)
// and the date format (none leaves the profile's).
struct CliPins {
    std::int32_t today = 0;
    const char* dateFormat = "Standard";
};

// Runs the korvel-cli built with the tests; with a profile folder, in a profile of its own, so
// that a user's settings play no part.
inline ProcessRun runCli(QStringList args, const CliPins& pins = {},
                         const QString& profileFolder = {}) {
    if (pins.today != 0)
        args << QStringLiteral("--today") << QString::number(pins.today);
    if (pins.dateFormat)
        args << QStringLiteral("--date-format") << QString::fromUtf8(pins.dateFormat);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!profileFolder.isEmpty())
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), profileFolder);
    return runProcess(QStringLiteral(KORVEL_CLI), args, environment);
}
