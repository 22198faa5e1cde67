#pragma once

#include <cstdint>

class CKorvelDoc;

// Fills a document with a synthetic but realistic club: Dutch names and addresses, member
// types, flags, two yearly contribution schemes charged through the contribution rules, and
// payments. The same seed and the same "today" give the same administration byte for byte,
// on every platform and standard library.
class ClubGenerator {
public:
    explicit ClubGenerator(std::uint64_t seed) : m_state(seed) {}

    // Starts a new administration in the document and adds the schemes and members.
    void generate(CKorvelDoc& doc, long memberCount);

    // The next number of the generator's own sequence (splitmix64).
    std::uint64_t next();
    // A number in [0, bound); bound 0 gives 0.
    std::uint32_t below(std::uint32_t bound);
    // True with the given chance in percent.
    bool chance(int percent) { return below(100) < static_cast<std::uint32_t>(percent); }

private:
    std::uint64_t m_state;
};
