// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chord and scale libraries: the menus' root tables and what the page now shows.

#include <string>

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

struct LibraryState {
    // Per item of the root menus (0..16): the root as a pitch class counted from E, and the key
    // index that spells its names. Filled at start-up.
    FixedArray<i16, 0, 16> chordRoot;
    FixedArray<i16, 0, 16> chordKey;

    // The chord library now shown: root, key, the type's degrees in formula order (-1 after
    // the last), the semitones of each scale degree 1..8, and the type's name.
    i16 chordRootSel = 8;
    i16 chordKeySel = 1;
    i16 chordType = 1;  // the cell of the chord strip
    FixedArray<i16, 1, 6> chordDegrees;
    FixedArray<i16, 1, 8> degreeSemitones;
    std::string chordTypeName = "Major";

    // The scale library now shown: root, key and the cell of the scale strip.
    i16 scaleRootSel = 8;
    i16 scaleKeySel = 1;
    i16 scaleType = 1;
};

}  // namespace lutavo
