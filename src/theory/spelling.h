// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tones of a chord or a scale named as musicians name them: each tone takes the letter its
// degree gives, counted from the root's letter (the third of C is an E of some kind, the seventh
// a B), so C7 is C E G Bb, F minor F Ab C and F#7 F# A# C# E.

#include <string>
#include <string_view>
#include <vector>

namespace lutavo {

// A note as written: its letter (0 C, 1 D, 2 E, 3 F, 4 G, 5 A, 6 B) and its sign (-1 flat,
// 0 none, 1 sharp).
struct WrittenNote {
    int letter = 0;
    int alteration = 0;
};

// One tone of a formula: its pitch class counted from E, and how it is written.
struct SpelledTone {
    int pitchClass = 0;
    WrittenNote written;
};

// The tones of `formula` ("1 3 5 b7") on the root written `rootName` ("C", "F#", "Db"), in the
// formula's order. A tone whose letter would need a double sharp or flat (the third of Gb minor)
// is written with the neighbouring letter instead, as the staff has no double signs.
std::vector<SpelledTone> spellFormula(std::string_view formula, std::string_view rootName);

// "C", "F#", "Bb".
std::string writtenName(const WrittenNote& note);

// The names of the tones, one blank between them: "C E G Bb".
std::string writtenNames(const std::vector<SpelledTone>& tones);

}  // namespace lutavo
