#pragma once

#include <QString>

// Writes a member file of a generated club with that many members (the generator of
// korvel-cli). The same seed gives the same club.
bool writeBenchClub(const QString& path, int members, unsigned seed = 42);
