// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/fixed_array.h"
#include "core/tuning_state.h"

namespace lutavo {

// Fills the pitch table from the strings' tuning offsets (slot 1 = low E .. 6). Frets are
// stored with the capo included, so the capo needs no place in the table.
void fillPitchTable(TuningState& tuning, const FixedArray<i16, 1, 6>& altTuning);

// The pitch table of a tuning.
PitchTable pitchTableFor(const FixedArray<i16, 1, 6>& altTuning);

}  // namespace lutavo
