#pragma once

#include <array>
#include <cstdint>

// The panel shows four digits of a number, thousands first, leading zeros
// included; a number of five or more digits shows its last four.
inline constexpr std::array<std::int32_t, 4> digitDivisors{1000, 100, 10, 1};

// Digit i (0 thousands .. 3 units) of value. A negative value (only a
// hand-edited settings file can give one) would index images outside the
// digit strip, so each digit is kept within 0..9.
constexpr std::int32_t DigitOf(std::int32_t value, int i) {
    const std::int32_t digit = value / digitDivisors[static_cast<std::size_t>(i)] % 10;
    return digit < 0 ? 0 : digit;
}
