#pragma once

#include <QString>

// Writes a member file of a club with that many members, every field filled, a fee schedule
// charged to every member and payments from most of them. The same seed gives the same club.
bool writeBenchClub(const QString& path, int members, unsigned seed = 42);
