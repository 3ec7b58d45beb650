// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notes a player is expected to strike in a play of the song: every note of the performance
// that starts a sound, when, and with which pitches.

#include <vector>

#include "core/scoring_state.h"
#include "platform/heard.h"
#include "playback/performance.h"

namespace lutavo {

// The performance's struck notes in order. Held strings, ties and bends sound no new note and
// are not expected; a note struck again in a later pass of a loop is expected again.
std::vector<ExpectedNote> expectedNotes(const Performance& play);

// The set holding the pitch class of each MIDI note given.
PitchClassSet classesOf(std::initializer_list<int> pitches);

}  // namespace lutavo
