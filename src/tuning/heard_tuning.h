// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tuner that listens: while the tuning page is shown the input is open and the needle
// follows what it hears, string by string.

#include "base/controls.h"
#include "core/tuning_state.h"

namespace lutavo {

class AudioInput;

// How often the needle follows the input.
inline constexpr int kHearingIntervalMs = 40;

// Opens the input (none: the caption says what to do) and starts the listening timer.
void startHearing(HeardTuning& heard, AudioInput* input, TimerModel& timer);

// Closes the input and stops the timer; the needle goes.
void stopHearing(HeardTuning& heard, AudioInput* input, TimerModel& timer);

// A tick of the listening timer: the needle, caption and level from what the input hears now,
// the strings named after the pitch table in force.
void followHearing(HeardTuning& heard, const AudioInput& input, const PitchTable& pitchOf);

}  // namespace lutavo
