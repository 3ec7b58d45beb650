#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/song_tables.h"
#include "core/guitar.h"
#include "fakes/test_rig.h"
#include "theory/keys.h"

namespace lutavo {
namespace {

// Accidental table index (notation pitch mod 12) of each name.
int signIndex(const std::string& name) {
    static const char* const kNames[] = {"B", "C",  "C#", "D",  "D#", "E",
                                         "F", "F#", "G",  "G#", "A",  "A#"};
    for (int i = 0; i < 12; ++i) {
        if (name == kNames[i]) return i;
    }
    ADD_FAILURE() << "unknown name " << name;
    return 0;
}

std::set<int> indicesOf(std::initializer_list<const char*> names) {
    std::set<int> out;
    for (const char* n : names)
        out.insert(signIndex(n));
    return out;
}

struct KeyCase {
    int songKey;
    bool sharps;
    std::string naturals;  // the naturals the signature alters, in signature order
};

// Every key index of the adjuster, and values only a song file can hold.
const KeyCase kKeys[] = {
    {0, false, ""},         {1, true, ""},         {2, false, "B"},         {3, true, "F"},
    {4, false, "BE"},       {5, true, "FC"},       {6, false, "BEA"},       {7, true, "FCG"},
    {8, false, "BEAD"},     {9, true, "FCGD"},     {10, false, "BEADG"},    {11, true, "FCGDA"},
    {12, false, "BEADGC"},  {13, true, "FCGDAE"},  {14, false, "BEADGCF"},  {15, true, "FCGDAEB"},
    {16, false, "BEADGCF"}, {17, true, "FCGDAEB"}, {100, false, "BEADGCF"}, {-1, true, ""},
    {-2, false, ""},
};

// The black keys that the signature spells, so they need no sign of their own.
std::set<int> signatureBlackKeys(const KeyCase& k) {
    std::set<int> out;
    for (char natural : k.naturals) {
        const std::string name(1, natural);
        const int altered = (signIndex(name) + (k.sharps ? 1 : 11)) % 12;
        const bool black =
            altered == 2 || altered == 4 || altered == 7 || altered == 9 || altered == 11;
        if (black) out.insert(altered);
    }
    return out;
}

TEST(Keys, EveryKeyIndexSetsSpellingAndSigns) {
    test::Rig rig;
    rig.defaults();
    Guitar& g = rig.g();
    const std::set<int> blackKeys = indicesOf({"C#", "D#", "F#", "G#", "A#"});
    for (const KeyCase& k : kKeys) {
        SCOPED_TRACE("songKey " + std::to_string(k.songKey));
        // A key with every sign first, so leftovers would show.
        g.song.songKey = k.sharps ? 14 : 15;
        setkey(g);
        g.song.songKey = static_cast<i16>(k.songKey);
        setkey(g);

        EXPECT_EQ(g.keys.accidentalGlyph, k.sharps ? 5 : 0);
        EXPECT_EQ(g.keys.nameGlyphOffset, k.sharps ? 0 : 12);
        EXPECT_EQ(g.keys.noteName[2], k.sharps ? "F#" : "Gb");
        EXPECT_EQ(g.keys.noteName[6], k.sharps ? "A#" : "Bb");
        EXPECT_EQ(g.keys.noteName[8], "C ");

        std::set<int> naturals;
        for (char c : k.naturals)
            naturals.insert(signIndex(std::string(1, c)));
        const std::set<int> spelled = signatureBlackKeys(k);
        for (int i = 0; i < 12; ++i) {
            SCOPED_TRACE("class " + std::to_string(i));
            EXPECT_EQ(g.keys.naturalNeeded[i], naturals.count(i) == 1);
            const bool expectSign = blackKeys.count(i) == 1 && spelled.count(i) == 0;
            EXPECT_EQ(g.keys.accidentalNeeded[i], expectSign);
        }
        EXPECT_EQ(g.keys.staffY[1], k.sharps ? 105 : 106);
        EXPECT_EQ(g.keys.staffY[5], k.sharps ? 98 : 99);
    }
}

TEST(Keys, NamesInSharpAndFlatSpelling) {
    KeyState keys;
    applyKey(keys, 1);
    const char* sharp[] = {"E ", "F ", "F#", "G ", "G#", "A ", "A#", "B ", "C ", "C#", "D ", "D#"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(keys.noteName[i], sharp[i]) << i;
    applyKey(keys, 2);
    const char* flat[] = {"E ", "F ", "Gb", "G ", "Ab", "A ", "Bb", "B ", "C ", "Db", "D ", "Eb"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(keys.noteName[i], flat[i]) << i;
}

TEST(Keys, GMajorAndFMajorSigns) {
    KeyState keys;
    applyKey(keys, 3);
    EXPECT_TRUE(keys.naturalNeeded[signIndex("F")]);
    EXPECT_FALSE(keys.accidentalNeeded[signIndex("F#")]);
    EXPECT_TRUE(keys.accidentalNeeded[signIndex("C#")]);
    EXPECT_TRUE(keys.accidentalNeeded[signIndex("D#")]);
    EXPECT_TRUE(keys.accidentalNeeded[signIndex("G#")]);
    EXPECT_TRUE(keys.accidentalNeeded[signIndex("A#")]);

    applyKey(keys, 2);
    EXPECT_TRUE(keys.naturalNeeded[signIndex("B")]);
    EXPECT_FALSE(keys.naturalNeeded[signIndex("F")]);
    EXPECT_FALSE(keys.accidentalNeeded[signIndex("A#")]);  // Bb
}

TEST(Keys, StaffPositionsClimbAnOctaveIn24Point6Pixels) {
    KeyState keys;
    applyKey(keys, 1);
    EXPECT_EQ(keys.staffY[1], 105);
    EXPECT_EQ(keys.staffY[13], 80);   // 80.4
    EXPECT_EQ(keys.staffY[25], 56);   // 55.8
    EXPECT_EQ(keys.staffY[49], 7);    // 6.6
    EXPECT_EQ(keys.staffY[12], 84);   // B of the lowest octave
    EXPECT_EQ(keys.staffY[60], -14);  // 84 - 98.4 = -14.4

    applyKey(keys, 0);
    EXPECT_EQ(keys.staffY[1], 106);
    EXPECT_EQ(keys.staffY[2], 102);   // Db on the D line
    EXPECT_EQ(keys.staffY[14], 77);   // 102 - 24.6 = 77.4
    EXPECT_EQ(keys.staffY[59], -14);  // Bb: 84 - 98.4
}

TEST(Keys, NoteNameOfAnyPitchTrimsAndWraps) {
    KeyState keys;
    applyKey(keys, 1);
    EXPECT_EQ(noteNameOf(keys, 0), "E");
    EXPECT_EQ(noteNameOf(keys, -2), "D");
    EXPECT_EQ(noteNameOf(keys, -13), "D#");
    EXPECT_EQ(noteNameOf(keys, 26), "F#");
    applyKey(keys, 4);
    EXPECT_EQ(noteNameOf(keys, -13), "Eb");
}

TEST(Keys, FreshStateIsCMajorWithSharps) {
    KeyState keys;
    EXPECT_EQ(keys.noteName[9], "C#");
    EXPECT_EQ(keys.staffY[13], 80);
    EXPECT_EQ(keys.accidentalGlyph, 5);
}

}  // namespace
}  // namespace lutavo
