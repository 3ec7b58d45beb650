// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Scales module's scale types and their fingering positions on the neck.

#include <span>
#include <string_view>
#include <vector>

#include "theory/voicing_search.h"

namespace lutavo {

struct ScaleType {
    const char* formula;  // degrees counted from the major scale: "1 2 b3 4 5 b6 b7"
    const char* name;
};
inline constexpr int kScaleTypeCount = 12;
// Cell 1..12 of the scale strip.
const ScaleType& scaleType(int cell);
// The cell of the scale type named ("Major", "Blues"), or 0.
int scaleTypeCell(std::string_view name);

struct ScaleNote {
    int slot;  // string slot 1..6, 1 the lowest string
    int fret;
};

// One hand position: the window's lowest fret and the scale's notes inside it, lowest first.
struct ScalePosition {
    int start = 0;
    std::vector<ScaleNote> notes;
};

// The frets of one position: the lowest string's fret that sounds a scale tone, and the three
// above it.
inline constexpr int kScaleWindowFrets = 4;

// The positions of the scale whose tones lie `semitones` above `root` (a pitch class counted
// from E). One position starts at each fret of the lowest twelve above the capo where the
// lowest string sounds a scale tone; its notes are the scale tones of the four-fret window,
// string by string from the lowest, each higher than the one before. A position that cannot
// give every tone of the scale, or whose window passes the last fret, is left out.
std::vector<ScalePosition> findScalePositions(int root, std::span<const int> semitones,
                                              const PitchTable& pitchOf, int capo);

}  // namespace lutavo
