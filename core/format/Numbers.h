#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Numbers in texts as the member file and the edit boxes hold them: a point as decimal separator,
// whatever C locale a Qt application has switched to.
namespace Numbers {

// The leading whole number of a text as atol reads it (blanks, a sign, digits; 0 when there is
// none); values beyond 32 bits are clamped.
std::int32_t leadingLong(std::string_view text);
// The leading real number of a text as atof reads it; 0.0 when there is none.
double leadingReal(std::string_view text);

// "%ld" and "%1.2f".
std::string decimal(std::int64_t value);
std::string fixed2(double value);
// Truncates toward zero, clamped to 32 bits; NaN gives 0.
std::int32_t truncateToInt(double value);

} // namespace Numbers
