// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning the beats of a piece, already on strings and frets, into the steps of a song: each
// step one chord with one length in ticks, struck, held, bent, muted or silent per string.

#include <array>
#include <vector>

#include "formats/lost_items.h"
#include "song/song_model.h"

namespace lutavo::fitting {

struct SlotNote {
    int slot = 0;  // 1..6
    int fret = 0;  // from the nut, as in memory
    bool tied = false;
    bool dead = false;
    bool bend = false;
};

struct PlayedBeat {
    long units = 0;  // score units (a quarter is 960)
    std::vector<SlotNote> notes;
};

struct Step {
    int ticks = 0;
    StringFrets frets{};
    StringFrets sounding{};  // the fret under the finger on each string after the step, or -1
};

// The steps of each bar in playing order. Lengths are rounded to whole ticks so that the bars
// keep their place (a triplet of eighths is 5, 5 and 6 ticks); a note too long for one step is
// held over further steps, and a bent note is struck for half its length and bent for the rest.
std::vector<std::vector<Step>> buildSteps(const std::vector<std::vector<PlayedBeat>>& bars,
                                          LostItems& lost);

}  // namespace lutavo::fitting
