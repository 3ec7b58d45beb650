// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The characters of the music font's glyphs that the printed sheet sets, and the font's
// proportions. The font's em is four staff spaces.

namespace lutavo::music {

inline constexpr char32_t kWholeHead = 0xE0E8;
inline constexpr char32_t kHalfHead = 0xE0E9;
inline constexpr char32_t kBlackHead = 0xE0EA;
inline constexpr char32_t kCrossHead = 0xE0F6;
inline constexpr char32_t kTrebleClef = 0xE085;
inline constexpr char32_t kSharp = 0xE013;
inline constexpr char32_t kFlat = 0xE021;
inline constexpr char32_t kNatural = 0xE01D;
inline constexpr char32_t kDot = 0xE038;
// Rests from the whole (0) to the thirty-second (5).
inline constexpr char32_t kRests[6] = {0xE000, 0xE001, 0xE008, 0xE00B, 0xE00C, 0xE00D};
// Flags of one, two and three beams, on a stem up and a stem down.
inline constexpr char32_t kFlagsUp[3] = {0xE0D2, 0xE0D3, 0xE0D4};
inline constexpr char32_t kFlagsDown[3] = {0xE0DA, 0xE0DB, 0xE0DC};
// The time signature's figures are the font's digits.
inline constexpr char32_t kDigitZero = U'0';

// Widths in staff spaces.
inline constexpr double kHeadWidth = 1.304;
inline constexpr double kWholeHeadWidth = 1.96;
inline constexpr double kHalfHeadWidth = 1.376;
inline constexpr double kSharpWidth = 1.1;
inline constexpr double kClefWidth = 2.56;
inline constexpr double kDigitWidth = 1.47;

}  // namespace lutavo::music
