// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Judging a pass: each expected note or chord against what was heard, in time and in pitch.

#include <array>
#include <string>
#include <vector>

#include "core/scoring_state.h"
#include "listen/expected_notes.h"
#include "platform/heard.h"

namespace lutavo {

struct JudgeWindows {
    long toleranceMs = 60;  // either side of the note's time
    long beatMs = 500;      // how far a note may be off and still count as played for it
    long latencyMs = 0;     // how much later the input hears a sound than it is played
};

struct PassScore {
    std::array<int, 5> counts{};  // by verdict
    int total = 0;
    int count(Verdict v) const { return counts[static_cast<std::size_t>(v)]; }
    double hitPercent() const;
};

// True when the rise of energy sounds every pitch class of the set and little else: the chroma
// is compared with what those classes sound with their overtones.
bool soundsClasses(const Chroma& rise, PitchClassSet classes);

// Each expected note, in order, with its verdict. Every heard onset is claimed once: first each
// note takes the nearest onset within its window, then the notes left take the nearest onset left
// within a beat.
std::vector<Judgement> judgeTake(const std::vector<ExpectedNote>& expected, const HeardTake& heard,
                                 const JudgeWindows& windows);

// The same, with the strikes already claimed (beside heard) left to their notes; those the notes
// take are claimed too.
std::vector<Judgement> judgeNotes(const std::vector<ExpectedNote>& expected, const HeardTake& heard,
                                  std::vector<bool>& claimed, const JudgeWindows& windows);

PassScore scoreOf(const std::vector<Judgement>& judged);

// Where in a recorded take the play begins, in ms of the take. A take recorded by hand starts
// with whatever silence came before its first note: of the starts that put one of its first few
// strikes on one of the first few notes it sounds, the one under which the most notes are hit: the
// take's own start when no other does better, else the earliest of equals.
long takeStartMs(const std::vector<ExpectedNote>& expected, const HeardTake& heard,
                 const JudgeWindows& windows);

// The take timed from startMs.
HeardTake takeFrom(HeardTake heard, long startMs);

// "Total: 61 of 64 notes hit (95.3%)"
std::string totalLine(const PassScore& score);

// What else there was besides hits, in words ("2 late, 1 missed"); empty when all hit.
std::string faultsText(const PassScore& score);

}  // namespace lutavo
