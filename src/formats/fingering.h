// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A playable fingering for notes that come without string and fret (scores from notation
// programs, or made from MIDI): each chord on the strings that keep the hand in the fewest
// position shifts within the tuning and capo, never two notes on one string.

#include <array>
#include <vector>

#include "formats/lost_items.h"

namespace lutavo {

// The six strings as the song tunes them: the open note of each slot (slot 1, the lowest
// string, first) and the capo's fret, below which nothing is played.
struct GuitarStrings {
    std::array<int, 6> open{};
    int capo = 0;
};

struct ChordToPlace {
    std::array<int, 6> fixed{-1, -1, -1, -1, -1, -1};  // frets the file placed already, per slot
    std::vector<int> pitches;                          // MIDI notes still without a string
};

struct Placement {
    int slot = 0;  // 1..6, 0 when no string could take the note
    int fret = -1;
    int pitch = -1;  // the note played: an octave away when it was out of the neck's reach
};

// One placement per pitch of each chord, in the chord's order.
std::vector<std::vector<Placement>> placeChords(const std::vector<ChordToPlace>& chords,
                                                const GuitarStrings& strings, LostItems& lost);

}  // namespace lutavo
