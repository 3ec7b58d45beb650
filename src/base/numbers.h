// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number rules shared by every reader and calculation: rounding half to even and the
// 16-bit integers the song model and the files are made of.

#include <cstdint>
#include <string_view>

namespace lutavo {

using i16 = std::int16_t;

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfEven(double v);

// Rounds half to even and clamps into the 16-bit range instead of overflowing.
i16 toInt16(double v);

// Clamps an integer into the 16-bit range.
i16 clampInt16(long v);

// The numeric value of a text as the files read it: blanks are ignored, then an optional sign,
// digits and one decimal point are taken as far as they go; anything else ends the number, and a
// text that does not start with a number gives 0. The result is rounded to a 16-bit integer.
i16 numberPrefix(std::string_view text);

// Same prefix rule without the 16-bit rounding (for values that are checked before narrowing).
double numberPrefixValue(std::string_view text);

// Clamps v into lo..hi.
constexpr int clampTo(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace lutavo
