// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <tuple>

#include "app/song_tables.h"
#include "core/guitar.h"
#include "fakes/test_rig.h"

namespace lutavo {
namespace {

// Accidental table index (notation pitch mod 12) of a name.
int signIndex(const std::string& name) {
    const std::string names[] = {"B", "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#"};
    return static_cast<int>(std::find(std::begin(names), std::end(names), name) - names);
}

struct KeyCase {
    int songKey;
    bool sharps;
    std::string naturals;  // the naturals the signature alters, in signature order
};

// Every key index of the adjuster, and values only a song file can hold.
TEST(Keys, EveryKeyIndexSetsSpellingAndSigns) {
    const KeyCase keys[] = {
        {0, false, ""},          {1, true, ""},          {2, false, "B"},
        {3, true, "F"},          {4, false, "BE"},       {5, true, "FC"},
        {6, false, "BEA"},       {7, true, "FCG"},       {8, false, "BEAD"},
        {9, true, "FCGD"},       {10, false, "BEADG"},   {11, true, "FCGDA"},
        {12, false, "BEADGC"},   {13, true, "FCGDAE"},   {14, false, "BEADGCF"},
        {15, true, "FCGDAEB"},   {16, false, "BEADGCF"}, {17, true, "FCGDAEB"},
        {100, false, "BEADGCF"}, {-1, true, ""},         {-2, false, ""},
    };
    test::Rig rig;
    rig.defaults();
    Guitar& g = rig.g();
    for (const KeyCase& k : keys) {
        SCOPED_TRACE("songKey " + std::to_string(k.songKey));
        g.song.songKey = k.sharps ? 14 : 15;  // a key with every sign first, so leftovers show
        setkey(g.keys, g.song);
        g.song.songKey = static_cast<i16>(k.songKey);
        setkey(g.keys, g.song);
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(g.keys.accidentalGlyph[i], k.sharps ? 5 : 0);
            EXPECT_EQ(g.keys.nameGlyphOffset[i], k.sharps ? 0 : 12);
        }
        std::string names;
        for (int i = 0; i < 12; ++i)
            names += g.keys.noteName[i];
        EXPECT_EQ(names, k.sharps ? "E F F#G G#A A#B C C#D D#" : "E F GbG AbA BbB C DbD Eb");
        EXPECT_EQ(g.keys.staffY[1], k.sharps ? 105 : 106);
        // A black key needs its own sign unless the signature spells it.
        for (int i = 0; i < 12; ++i) {
            SCOPED_TRACE("class " + std::to_string(i));
            bool natural = false, spelled = false;
            for (char c : k.naturals) {
                natural |= signIndex(std::string(1, c)) == i;
                spelled |= (signIndex(std::string(1, c)) + (k.sharps ? 1 : 11)) % 12 == i;
            }
            const bool black = i == 2 || i == 4 || i == 7 || i == 9 || i == 11;
            EXPECT_EQ(g.keys.naturalNeeded[i], natural);
            EXPECT_EQ(g.keys.accidentalNeeded[i], black && !spelled);
        }
    }
}

TEST(Keys, StaffPositionsClimbAnOctaveIn24Point6Pixels) {
    KeyState keys;
    // {key, notation pitch, y}: 80.4, 55.8, 6.6, B of the lowest octave, 84 - 98.4 = -14.4, ...
    const std::array<int, 3> cases[] = {{1, 13, 80},  {1, 25, 56}, {1, 49, 7},  {1, 12, 84},
                                        {1, 60, -14}, {0, 2, 102}, {0, 14, 77}, {0, 59, -14}};
    for (const auto& [key, pitch, y] : cases) {
        applyKey(keys, key);
        EXPECT_EQ(keys.staffY[pitch], y) << key << " " << pitch;
    }
}

// Tones named by their interval from the root (no double signs), written on their letter's line
// with the sign the key's signature does not give them; the neck names a flat from the flat row.
// Per case: key, root, formula, names; one tone (counted from C), its height, sign and name row.
TEST(Spelling, TonesTakeTheLetterOfTheirDegreeOnTheStaffToo) {
    const std::tuple<int, const char*, const char*, const char*, int, const char*> cases[] = {
        {1, "C", "1 3 5 b7 #9", "C E G Bb D#", 10, "84|flat|12|"},  // not A#
        {2, "F", "1 b3 5", "F Ab C", 8, "88|flat|12|"},
        {13, "F#", "1 3 5 b7", "F# A# C# E", 4, "98|natural|0|"},  // against the signature's E#
        {13, "F#", "1 2 3 4 5 6 7", "F# G# A# B C# D# E#", 5, "98||0|"},    // E#: the E line
        {15, "C#", "1 2 3 4 5 6 7", "C# D# E# F# G# A# B#", 0, "109||0|"},  // B# an octave down
        {6, "Eb", "1 2 3 4 5 6 7", "Eb F G Ab Bb C D", 10, "84||12|"},
        {7, "A", "1 2 3 4 5 6 7", "A B C# D E F# G#", 8, "91||0|"},
        {12, "Gb", "1 b3 5", "Gb A Db", 9, "88|natural|12|"},  // not Bbb
    };
    for (const auto& [key, root, formula, names, fromC, written] : cases) {
        const auto tones = spellFormula(formula, root);
        KeyState keys;
        applyKey(keys, key);
        writeTonesAsSpelled(keys, key, tones);
        const int sign = (fromC + 1) % 12;
        const char* signName = keys.accidentalNeeded[sign]
                                   ? (keys.accidentalGlyph[sign] == 5 ? "sharp" : "flat")
                                   : (keys.naturalNeeded[sign] ? "natural" : "");
        EXPECT_EQ(test::join(writtenNames(tones), keys.staffY[fromC + 1], signName,
                             keys.nameGlyphOffset[(fromC + 8) % 12]),
                  names + std::string("|") + written)
            << root << " " << formula;
    }
}

}  // namespace
}  // namespace lutavo
