// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuning/pitch_table.h"

#include <array>

namespace lutavo {

namespace {

// Open-string pitches of standard tuning, slot 1 (low E) to slot 6 (high E).
constexpr std::array<int, 6> kStandardOpen = {0, 5, 10, 15, 19, 24};

}  // namespace

void fillPitchTable(TuningState& tuning, const FixedArray<i16, 1, 6>& altTuning) {
    tuning.pitchOf = pitchTableFor(altTuning);
}

PitchTable pitchTableFor(const FixedArray<i16, 1, 6>& altTuning) {
    PitchTable pitchOf;
    for (int s = 1; s <= static_cast<int>(kStandardOpen.size()); ++s) {
        const int open = altTuning[s] + kStandardOpen[static_cast<std::size_t>(s - 1)];
        for (int f = 0; f <= kTopFret; ++f)
            pitchOf(s, f) = clampInt16(open + f);
    }
    return pitchOf;
}

}  // namespace lutavo
