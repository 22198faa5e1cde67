#include "platform/KFileFaults.h"

#include <array>
#include <atomic>
#include <cerrno>

namespace {

constexpr std::size_t kSteps = 5;

struct Faults {
    std::array<std::atomic<int>, kSteps> counts{};
    std::atomic<int> armedStep{-1};
    std::atomic<int> armedAt{0};
    std::atomic<int> error{0};
};

Faults& faults() {
    static Faults f;
    return f;
}

} // namespace

void KFileFaults::failAt(FileStep step, int k, int error) {
    Faults& f = faults();
    f.counts[static_cast<std::size_t>(step)] = 0;
    f.error = error;
    f.armedAt = k;
    f.armedStep = static_cast<int>(step);
}

void KFileFaults::clear() {
    Faults& f = faults();
    f.armedStep = -1;
    for (auto& c : f.counts)
        c = 0;
}

int KFileFaults::count(FileStep step) {
    return faults().counts[static_cast<std::size_t>(step)];
}

bool KFileFaults::pass(FileStep step) {
    Faults& f = faults();
    const int n = ++f.counts[static_cast<std::size_t>(step)];
    if (f.armedStep == static_cast<int>(step) && n == f.armedAt) {
        errno = f.error;
        return false;
    }
    return true;
}
