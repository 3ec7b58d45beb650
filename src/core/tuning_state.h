// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pitch table and the tuner's state.

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

inline constexpr int kTopFret = 24;

// Per string slot and fret: semitones above the open low E of standard tuning, with the
// string's tuning offset (song model altTuning) included.
using PitchTable = FixedArray2<i16, 1, 6, 0, kTopFret>;

struct TuningState {
    PitchTable pitchOf;
    // The string slot being adjusted on the tuner, and its offset when the adjustment began.
    i16 tuneString = 1;
    i16 savedTuning = 0;
};

}  // namespace lutavo
