// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pitch table and the tuner's state.

#include <string>

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

inline constexpr int kTopFret = 24;

// Per string slot and fret: semitones above the open low E of standard tuning, with the
// string's tuning offset (song model altTuning) included.
using PitchTable = FixedArray2<i16, 1, 6, 0, kTopFret>;

// The tuner's needle: what the input hears while the tuning page is shown.
struct HeardTuning {
    bool listening = false;  // the input is open and the needle shown
    bool noInput = false;    // there was no input to open
    bool steady = false;     // a pitch is heard now
    double cents = 0;        // the needle: from the nearest note, -50..50
    std::string caption;     // "E2  -12 cents", or what to do
    std::string stringName;  // the open string nearest the pitch heard ("5th string (A)")
    float level = 0;         // 0..1
};

struct TuningState {
    PitchTable pitchOf;
    HeardTuning heard;
    // The string slot being adjusted on the tuner, and its offset when the adjustment began.
    i16 tuneString = 1;
    i16 savedTuning = 0;
};

}  // namespace lutavo
