// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Note names and staff positions for the song's key.

#include <string>

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

struct KeyState {
    // Starts with the tables of C major spelled with sharps, so names and staff positions are
    // usable before the first song sets its key.
    KeyState();

    // Pitch class counted from E (0 E, 1 F, ... 11 D#/Eb); two characters, one-letter names
    // padded with a blank.
    FixedArray<std::string, 0, 11> noteName;
    // Pitch class counted from C: y of a note glyph in the lowest octave of the staff picture.
    FixedArray<i16, 0, 11> staffBase;
    // Notation pitch (1 = the lowest C): y of the note glyph on the notation picture.
    FixedArray<i16, 1, 60> staffY;
    // Notation pitch mod 12 (0 B, 1 C, 2 C#/Db, ... 11 A#/Bb).
    FixedArray<bool, 0, 11> accidentalNeeded;
    FixedArray<bool, 0, 11> naturalNeeded;
    // As accidentalNeeded: x offset of the sign glyph in the glyph sheet, 5 for a sharp, 0 for a
    // flat. The key sets one sign for all; a chord or scale written by its intervals may mix them.
    FixedArray<i16, 0, 11> accidentalGlyph;
    // Pitch class counted from E: row of its note-name glyph on the neck markers, 0 sharp
    // spelling, 12 flat spelling.
    FixedArray<i16, 0, 11> nameGlyphOffset;
};

}  // namespace lutavo
