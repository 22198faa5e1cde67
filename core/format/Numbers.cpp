#include "core/format/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view skipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return text.substr(i);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether a decimal number too far from 1 for a double is too large rather than too small. The
// power of ten of its first significant digit decides: the two limits lie over six hundred
// powers apart.
bool tooLarge(std::string_view number) {
    constexpr std::int64_t kFar = 1'000'000'000'000'000;
    std::int64_t power = 0;
    bool significant = false;
    std::size_t i = 0;
    for (; i < number.size() && isDigit(number[i]); ++i) {
        if (significant)
            power = std::min(power + 1, kFar);
        else
            significant = number[i] != '0';
    }
    if (i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && isDigit(number[i]); ++i) {
            if (significant)
                continue;
            power = std::max(power - 1, -kFar);
            significant = number[i] != '0';
        }
    }
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            negative = number[i++] == '-';
        std::int64_t exponent = 0;
        for (; i < number.size() && isDigit(number[i]); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), kFar);
        power += negative ? -exponent : exponent;
    }
    return significant && power > 0;
}

} // namespace

namespace Numbers {

std::int32_t leadingLong(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1)
            value = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        value = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

double leadingReal(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0.0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = tooLarge(std::string_view(text.data(),
                                          static_cast<std::size_t>(result.ptr - text.data())))
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    else if (result.ec != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

std::string decimal(std::int64_t value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string fixed2(double value) {
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

std::int32_t truncateToInt(double value) {
    if (std::isnan(value))
        return 0;
    double t = std::trunc(value);
    if (t >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (t <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(t);
}

} // namespace Numbers
