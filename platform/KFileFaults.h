#pragma once

// The steps by which a file is written: every one of them can fail on a real disk (full,
// gone, no permission), and each is counted here so a test can make exactly one of them fail.
enum class FileStep { Write, Flush, Sync, Rename, Remove };

// The fault switch of the file layer. Everything that writes a file the user keeps (the member
// file, its backups, the recovery file, the export, the bank files) asks pass() before each
// step; in the program nothing is ever armed and pass() is true. A test arms one step: the
// k-th step of that kind from then on fails with the given error number.
class KFileFaults {
public:
    // Counts from now: the k-th (1-based) step of that kind fails with errno = error.
    static void failAt(FileStep step, int k, int error);
    // Disarms and zeroes the counts.
    static void clear();
    // How many steps of that kind were asked for since the last clear().
    static int count(FileStep step);
    // Before each step: false, with errno set, when this very step is to fail.
    static bool pass(FileStep step);
};
