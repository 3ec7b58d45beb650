// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/chord_types.h"

#include <charconv>

namespace lutavo {

namespace {

constexpr int kNone = -1;

constexpr std::array<MenuRoot, kMenuRoots> kRoots = {{
    {"C", 8, 1},
    {"C#", 9, 15},
    {"Db", 9, 10},
    {"D", 10, 5},
    {"D#", 11, 1},
    {"Eb", 11, 6},
    {"E", 0, 9},
    {"F", 1, 2},
    {"F#", 2, 13},
    {"Gb", 2, 12},
    {"G", 3, 3},
    {"G#", 4, 1},
    {"Ab", 4, 8},
    {"A", 5, 7},
    {"A#", 6, 1},
    {"Bb", 6, 4},
    {"B", 7, 11},
}};

constexpr std::array<int, 6> deg(int a, int b, int c, int d = kNone, int e = kNone, int f = kNone) {
    return {a, b, c, d, e, f};
}

constexpr std::array<ChordType, kChordTypeCount> kTypes = {{
    {"1 3 5", "Major", "Major", deg(1, 3, 5), "1 3"},
    {"1 3 5 6", "Sixth", "Major", deg(1, 3, 5, 6), "1 3 6"},
    {"1 3 5 7", "Major 7th", "Major", deg(1, 3, 5, 7), "1 3 7"},
    {"1 4 5", "Suspended 4th", "Major", deg(1, 4, 5), "1 4"},
    {"1 b3 5", "Minor", "Minor", deg(1, 3, 5), "1 b3"},
    {"1 b3 b5", "Diminished", "Minor", deg(1, 3, 5), "1 b3 b5"},
    {"1 b3 5 6", "Minor 6th", "Minor", deg(1, 3, 5, 6), "1 b3 6"},
    {"1 b3 5 b7", "Minor 7th", "Minor", deg(1, 3, 5, 7), "1 b3 b7"},
    {"1 b3 b5 b7", "Minor 7th Flat 5th", "Minor", deg(1, 3, 5, 7), "1 b3 b5 b7"},
    {"1 b3 #5 b7", "Minor 7th Sharp 5th", "Minor", deg(1, 3, 5, 7), "1 b3 #5 b7"},
    {"1 b3 5 b7 b9", "Minor 7th Flat 9th", "Minor", deg(1, 3, 5, 7, 2), "1 b3 b7 b9"},
    {"1 b3 5 7", "Minor Major 7th", "Minor", deg(1, 3, 5, 7), "1 b3 7"},
    {"1 b3 5 b7 9", "Minor 9th", "Minor", deg(1, 3, 5, 7, 2), "1 b3 b7 9"},
    {"1 3 5 b7", "7th", "Seventh", deg(1, 3, 5, 7), "1 3 b7"},
    {"1 3 #5", "Augmented", "Seventh", deg(1, 3, 5), "1 3 #5"},
    {"1 4 5 b7", "7th Suspended 4th", "Seventh", deg(1, 4, 5, 7), "1 4 b7"},
    {"1 3 b5 b7", "7th Flat 5th", "Seventh", deg(1, 3, 5, 7), "1 3 b5 b7"},
    {"1 3 #5 b7", "7th Augmented 5th", "Seventh", deg(1, 3, 5, 7), "1 3 #5 b7"},
    {"1 3 5 b7 b9", "7th Flat 9th", "Seventh", deg(1, 3, 5, 7, 2), "1 3 b7 b9"},
    {"1 3 5 b7 #9", "7th Sharp 9th", "Seventh", deg(1, 3, 5, 7, 2), "1 3 b7 #9"},
    {"1 3 5 b7 9", "9th", "Seventh", deg(1, 3, 5, 7, 2), "1 3 b7 9"},
    {"1 3 b5 b7 9", "9th Flat 5th", "Seventh", deg(1, 3, 5, 7, 2), "1 3 b5 b7 9"},
    {"1 3 #5 b7 9", "9th Sharp 5th", "Seventh", deg(1, 3, 5, 7, 2), "1 3 #5 b7 9"},
    {"1 3 5 b7 9 11", "11th", "Seventh", deg(1, 3, 5, 7, 2, 4), "1 3 b7 11"},
    {"1 3 5 b7 9 13", "13th", "Seventh", deg(1, 3, 5, 7, 2, 6), "1 3 b7 13"},
}};

// Semitones of the plain degrees 1..13 (8, 10 and 12 never occur in a formula).
constexpr std::array<int, 14> kPlainDegree = {0, 0, 2, 4, 5, 7, 9, 11, 12, 2, 15, 5, 17, 9};

int degreeSemitones(int degree) {
    if (degree < 1 || degree > 13) return 0;
    return kPlainDegree[static_cast<std::size_t>(degree)];
}

}  // namespace

const std::array<MenuRoot, kMenuRoots>& menuRoots() {
    return kRoots;
}

int menuRootIndex(std::string_view name) {
    for (int i = 0; i < kMenuRoots; ++i) {
        if (name == kRoots[static_cast<std::size_t>(i)].name) return i;
    }
    return -1;
}

int chordTypeCell(std::string_view name) {
    for (int cell = 1; cell <= kChordTypeCount; ++cell) {
        if (name == kTypes[static_cast<std::size_t>(cell - 1)].name) return cell;
    }
    return 0;
}

const ChordType& chordType(int cell) {
    const int index = cell < 1 ? 0 : (cell > kChordTypeCount ? kChordTypeCount - 1 : cell - 1);
    return kTypes[static_cast<std::size_t>(index)];
}

std::vector<FormulaDegree> formulaDegrees(std::string_view formula) {
    std::vector<FormulaDegree> degrees;
    std::size_t i = 0;
    while (i < formula.size()) {
        if (formula[i] == ' ') {
            ++i;
            continue;
        }
        int shift = 0;
        for (; i < formula.size() && (formula[i] == 'b' || formula[i] == '#'); ++i)
            shift += formula[i] == '#' ? 1 : -1;
        int degree = 0;
        const auto [end, error] =
            std::from_chars(formula.data() + i, formula.data() + formula.size(), degree);
        i = static_cast<std::size_t>(end - formula.data());
        if (error != std::errc()) {
            ++i;  // a stray character: skipped, so a formula can never stall the reading
            continue;
        }
        degrees.push_back({degree, shift});
    }
    return degrees;
}

std::vector<int> formulaSemitones(std::string_view formula) {
    std::vector<int> tones;
    for (const FormulaDegree& d : formulaDegrees(formula))
        tones.push_back(((degreeSemitones(d.degree) + d.shift) % 12 + 12) % 12);
    return tones;
}

}  // namespace lutavo
