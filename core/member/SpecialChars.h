#pragma once

#include <array>
#include <cstdint>

// The characters the special-character picker offers: code 128 (the euro sign) and codes 161 to
// 255 of Windows-1252, the letters and signs a keyboard often lacks, 96 in all.
namespace SpecialChars {

inline constexpr int kCount = 96;
inline constexpr int kColumns = 8;
inline constexpr int kRows = kCount / kColumns;

constexpr std::array<std::uint8_t, kCount> codes() {
    std::array<std::uint8_t, kCount> all{};
    all[0] = 128;
    for (int i = 1; i < kCount; ++i)
        all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(160 + i);
    return all;
}

} // namespace SpecialChars
