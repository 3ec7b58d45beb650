// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scoring the player: the notes a play expects, the verdict on each, and the pass being scored
// while the song plays.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/heard.h"

namespace lutavo {

struct ExpectedNote {
    int note = 0;  // the song's note index
    long ms = 0;   // when it is heard: from the start of the play, or on the steady clock live
    PitchClassSet classes = 0;
};

enum class Verdict : std::uint8_t {
    Hit,    // the right pitches, within the window
    Early,  // the right pitches, before the window but within a beat
    Late,   // the right pitches, after the window but within a beat
    Wrong,  // something else was played
    Missed  // nothing was played for it
};

struct Judgement {
    ExpectedNote expected;
    Verdict verdict = Verdict::Missed;
    long offsetMs = 0;  // heard minus expected; 0 when missed
    int strike = -1;    // the index of the strike it took; -1 when missed
};

// A judged note as the page marks it: under its column on its page.
struct ScoreMark {
    int page = 0;
    int x = 0;  // the note's column, in the page's pixels
    Verdict verdict = Verdict::Missed;
};

// Play-along scoring: while the song plays, the input listens and each note heard is judged.
struct ScoringState {
    bool on = false;         // chosen in the REPEAT menu (or with S)
    bool listening = false;  // a play is being scored
    bool ended = false;      // the play ended; its last notes are judged once their strikes are in
    long beatMs = 500;
    long latencyMs = 0;  // how late the input hears the player, as measured in the setup window
    // Every note of the play still to be reported, on the steady clock, and the strikes heard.
    std::vector<ExpectedNote> expected;
    std::vector<int> passStarts;  // where each pass of a loop begins in expected
    HeardTake heard;
    std::vector<bool> claimed;      // by a judged note, beside heard
    std::vector<Judgement> judged;  // the first notes of expected, for good
    std::vector<ScoreMark> marks;   // of the pass under way
    int tempoPercent = 100;         // of the pass under way
    std::string lastPass;           // the score of the pass judged last, for the page
};

}  // namespace lutavo
