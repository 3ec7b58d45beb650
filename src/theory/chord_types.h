// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The roots of the CHORDS and SCALES menus and the library's 25 chord types: plain tables and
// the reading of a formula such as "1 b3 5 7" into semitones above the root.

#include <array>
#include <string_view>
#include <vector>

namespace lutavo {

// One item of the root menus: its name, the pitch class counted from E and the key index that
// spells the library's note names for it.
struct MenuRoot {
    const char* name;
    int pitchClass;
    int key;
};
inline constexpr int kMenuRoots = 17;
const std::array<MenuRoot, kMenuRoots>& menuRoots();
// The menu item of the root named ("C", "Db"), or -1.
int menuRootIndex(std::string_view name);

// A chord type of the strip. Its formula is written as musicians write it: degrees counted from
// the major scale, b lowering and # raising one (so 7 is the major seventh, b7 the minor). Its
// degrees are in formula order (9, 11 and 13 stored as 2, 4 and 6), -1 after the last.
struct ChordType {
    const char* formula;
    const char* name;
    const char* function;
    std::array<int, 6> degrees;
    // The tones a shape must sound to be this chord, in the formula's writing: the root, the
    // third (or the suspended fourth), the seventh where there is one, an altered fifth, and the
    // highest named tone (6, 9, 11, 13); a plain fifth and the inner extensions may be left out.
    const char* needs;
};
inline constexpr int kChordTypeCount = 25;
// Cell 1..25 of the strip.
const ChordType& chordType(int cell);
// The cell of the chord type named ("7th", "Minor 9th"), or 0.
int chordTypeCell(std::string_view name);

// One degree of a formula: its number (1..13) and the semitones b and # move it by.
struct FormulaDegree {
    int degree;
    int shift;
};
// The degrees of a formula such as "1 b3 5 b7", in its order; stray characters are skipped.
std::vector<FormulaDegree> formulaDegrees(std::string_view formula);

// Semitones above the root of each degree of the formula, in its order, 0..11: 1 = 0, 2 = 2,
// 3 = 4, 4 = 5, 5 = 7, 6 = 9, 7 = 11, 9 = 2, 11 = 5, 13 = 9, moved by its b or #.
std::vector<int> formulaSemitones(std::string_view formula);

}  // namespace lutavo
