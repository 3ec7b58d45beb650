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

// A chord type of the strip; degrees in formula order (9, 11 and 13 stored as 2, 4 and 6), -1
// after the last.
struct ChordType {
    const char* formula;
    const char* name;
    const char* function;
    std::array<int, 6> degrees;
};
inline constexpr int kChordTypeCount = 25;
// Cell 1..25 of the strip.
const ChordType& chordType(int cell);
// The cell of the chord type named ("7th", "Minor 9th"), or 0.
int chordTypeCell(std::string_view name);

// What a plain 7 in a formula stands for: chord formulas write the major seventh as #7, scale
// formulas count every degree from the major scale.
enum class PlainSeventh : int { Minor = 10, Major = 11 };

// Semitones above the root of each degree of the formula, in its order: 1 = 0, 2 = 2, 3 = 4,
// 4 = 5, 5 = 7, 6 = 9, 7 as given, 9 = 2, 11 = 5, 13 = 9; b lowers and # raises by one.
std::vector<int> formulaSemitones(std::string_view formula, PlainSeventh seventh);

}  // namespace lutavo
