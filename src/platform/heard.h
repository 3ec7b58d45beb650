// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program hears of the player, as the analysis of the input gives it to the rules that
// judge it: each note or chord struck, with the pitch classes that rose at that moment.

#include <array>
#include <cstdint>
#include <vector>

namespace lutavo {

// Energy by pitch class, C first; the scale does not matter, only the proportions.
using Chroma = std::array<float, 12>;

// A bit per pitch class, C first.
using PitchClassSet = std::uint16_t;

struct HeardOnset {
    long ms = 0;    // from the start of the take
    Chroma rise{};  // the energy that arrived with the onset, by pitch class
};

using HeardTake = std::vector<HeardOnset>;

}  // namespace lutavo
