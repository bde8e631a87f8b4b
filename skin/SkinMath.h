// The two roundings the painters are built on.
#pragma once

#include <cmath>
#include <cstdint>

namespace brisbolt {

// Nearest integer, ties to even (2.5 -> 2, 3.5 -> 4).
inline int RoundHalfEven(double value) {
    double whole = std::floor(value);
    double rest = value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return static_cast<int>(whole);
}

// a * b / c in 64 bits, rounded to nearest with halves away from zero, and -1
// for a zero divisor or a result beyond 32 bits: what Windows' MulDiv gives.
inline std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return -1;
    std::int64_t product = std::int64_t(a) * b;
    std::int64_t divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    std::int64_t result = product >= 0 ? (product + divisor / 2) / divisor : (product - divisor / 2) / divisor;
    if (result > INT32_MAX || result < -INT32_MAX) return -1;
    return static_cast<std::int32_t>(result);
}

}  // namespace brisbolt
