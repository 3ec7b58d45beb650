// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Label colours are 0xBBGGRR values: blue in the high byte, so 0x0000FF is red.

#include <cstdint>

namespace lutavo {

using Color = std::uint32_t;

inline constexpr Color kColorAvailable = 0x404080;    // a command that can be used
inline constexpr Color kColorActive = 0x0000FF;       // active mode, setting or pressed button
inline constexpr Color kColorUnavailable = 0x808080;  // a command that cannot be used now
inline constexpr Color kColorBlack = 0x000000;
inline constexpr Color kColorWhite = 0xFFFFFF;

constexpr int colorRed(Color c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int colorGreen(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int colorBlue(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

}  // namespace lutavo
