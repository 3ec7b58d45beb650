// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scoring a play as it goes: the notes the play presents are expected when they are heard, the
// input's strikes come in a moment after they sound, and each note is judged for good once every
// strike that could be its own is in. Times are milliseconds on the steady clock.

#include <string>
#include <vector>

#include "core/playback_state.h"
#include "core/scoring_state.h"
#include "listen/take_judge.h"

namespace lutavo {

// How long after a strike sounds the input has it at most: the spectrum after it must be heard
// whole, and the input hands its sound over in blocks.
inline constexpr long kStrikeKnownAfterMs = 250;

// A pass of the play, every note judged.
struct PassReport {
    PassScore score;
    bool playedThrough = false;  // false when the play was stopped before the pass's end
    long lengthMs = 0;           // from its first note to a beat after its last
};

// A new play is scored: what the last one left goes.
void beginScoring(ScoringState& s, long beatMs, int tempoPercent);

// What the play did: a note presented (classes: what it strikes; a note that strikes nothing is
// not expected), a loop's pass begun, the end. x: the note's column on its page.
void followCue(ScoringState& s, const PlayCue& cue, PitchClassSet classes, int x);

void addStrike(ScoringState& s, const HeardOnset& strike);

// Judges the notes whose strikes are all in by nowMs and reports each pass that is judged whole.
// The passes before the one under way are let go; the last one's marks stay for the page, and
// once it is reported the play's scoring is over (listening false).
std::vector<PassReport> judgeDue(ScoringState& s, long nowMs);

// The play stopped: every note presented is judged with what was heard, the pass reported.
std::vector<PassReport> judgeAll(ScoringState& s);

// "This pass: 61 of 64 notes hit (95.3%): 2 late, 1 missed"
std::string passLine(const PassScore& score);

}  // namespace lutavo
