// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of wait mode: which note the player is waited for, what it sounds, and whether what
// the input heard since played it.

#include <cstdint>
#include <string>

#include "base/controls.h"
#include "core/playback_state.h"
#include "core/practice_state.h"
#include "core/tuning_state.h"
#include "platform/heard.h"
#include "song/song_model.h"

namespace lutavo {

class AudioInput;

// The pitch classes note n sounds when struck (held and bent strings are not struck again).
PitchClassSet classesOfNote(const SongModel& song, int n, const SoundSettings& sound,
                            const PitchTable& pitchOf);

// The first note from `from` to `last` that strikes a string with a pitch; 0 when there is none.
int nextStruckNote(const SongModel& song, int from, int last);

// Takes the strikes the input heard up to the first that played the classes expected (true), or
// all of them (false), counting the others in wrong. Those after it are left for the next note:
// a quick player may be ahead.
bool heardNote(AudioInput& input, PitchClassSet expected, int& wrong);

// "Well played: every note of the passage (12 notes, 3 wrong on the way, 0:48)"
std::string waitPassSummary(const WaitState& pass, std::int64_t nowSeconds);

// Waiting ends; the input goes unless the tuner still listens to it.
void stopWaiting(WaitState& wait, AudioInput* input, TimerModel& listenTimer, bool tunerListening);

}  // namespace lutavo
