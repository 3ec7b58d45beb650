#include "theory/voicing_search.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "theory/chord_types.h"
#include "tuning/pitch_table.h"

namespace lutavo {
namespace {

PitchTable pitchTable(int lowStringOffset) {
    TuningState tuning;
    FixedArray<i16, 1, 6> alt;
    alt.fill(0);
    alt[1] = static_cast<i16>(lowStringOffset);
    fillPitchTable(tuning, alt);
    return tuning.pitchOf;
}

std::vector<int> tonesOf(int cell) {
    return formulaSemitones(chordType(cell).formula, PlainSeventh::Minor);
}

// Every type's tones follow its formula: a plain 7 is the minor seventh, #7 the major.
TEST(ChordTypes, SemitonesFollowTheFormulaText) {
    const std::vector<int> expected[kChordTypeCount] = {
        {0, 4, 7},           {0, 4, 7, 9},     {0, 4, 7, 11},    {0, 5, 7},
        {0, 3, 7},           {0, 3, 6},        {0, 3, 7, 9},     {0, 3, 7, 10},
        {0, 3, 6, 10},       {0, 3, 8, 10},    {0, 3, 7, 10, 1}, {0, 3, 7, 11},
        {0, 3, 7, 10, 2},    {0, 4, 7, 10},    {0, 4, 8},        {0, 5, 7, 10},
        {0, 4, 6, 10},       {0, 4, 8, 10},    {0, 4, 7, 10, 1}, {0, 4, 7, 10, 3},
        {0, 4, 7, 10, 2},    {0, 4, 6, 10, 2}, {0, 4, 8, 10, 2}, {0, 4, 7, 10, 2, 5},
        {0, 4, 7, 10, 2, 9},
    };
    for (int cell = 1; cell <= kChordTypeCount; ++cell)
        EXPECT_EQ(tonesOf(cell), expected[cell - 1]) << chordType(cell).name;
    EXPECT_EQ(formulaSemitones("1 2 3 4 5 6 7", PlainSeventh::Major),
              (std::vector<int>{0, 2, 4, 5, 7, 9, 11}));
    EXPECT_EQ(chordTypeCell("13th"), 25);
    EXPECT_EQ(menuRootIndex("Db"), 2);
}

// Standard tuning, root C: the open C shape, then the same without the open G string.
TEST(VoicingSearch, CMajorStartsWithTheOpenShape) {
    const std::vector<int> tones = tonesOf(1);
    const auto shapes = findVoicings(8, tones, pitchTable(0), 0);
    ASSERT_GE(shapes.size(), 2u);
    EXPECT_EQ(shapes[0], (ChordShape{-1, 3, 2, 0, 1, 3}));
    EXPECT_EQ(shapes[1], (ChordShape{-1, 3, 2, -1, 1, 3}));
}

// The seventh chord no longer comes out as the major seventh.
TEST(VoicingSearch, SeventhDiffersFromMajorSeventh) {
    const auto seventh = findVoicings(8, tonesOf(14), pitchTable(0), 0);
    const auto major = findVoicings(8, tonesOf(3), pitchTable(0), 0);
    ASSERT_FALSE(seventh.empty());
    EXPECT_NE(seventh, major);
    EXPECT_EQ(seventh[0], (ChordShape{-1, 3, 2, 3, 1, 3}));
}

// A string tuned below the open low E gives negative pitches near the nut: they match no tone,
// so the open low D of dropped D is never a root or a chord tone.
TEST(VoicingSearch, NegativePitchesMatchNothing) {
    for (int cell : {1, 14}) {
        for (const ChordShape& shape : findVoicings(10, tonesOf(cell), pitchTable(-2), 0))
            EXPECT_NE(shape[0], 0);
    }
}

struct Setting {
    int lowString;
    int capo;
};

// For every root and type, in standard tuning and dropped D, without a capo and at 3 and 5:
// each shape sounds only the type's tones, the root among them, on at least four strings, at or
// above the capo; no shape repeats the one before it.
TEST(VoicingSearch, EveryRootAndTypeGivesShapesOfItsTonesAboveTheCapo) {
    for (const Setting setting :
         {Setting{0, 0}, Setting{0, 3}, Setting{-2, 0}, Setting{-2, 3}, Setting{0, 5}}) {
        const PitchTable pitches = pitchTable(setting.lowString);
        for (int root = 0; root < 12; ++root) {
            for (int cell = 1; cell <= kChordTypeCount; ++cell) {
                const std::vector<int> tones = tonesOf(cell);
                std::set<int> allowed;
                for (int t : tones)
                    allowed.insert((t + root) % 12);
                const auto shapes = findVoicings(root, tones, pitches, setting.capo);
                const std::string where =
                    std::string(chordType(cell).name) + " root " + std::to_string(root) + " capo " +
                    std::to_string(setting.capo) + " low " + std::to_string(setting.lowString);
                EXPECT_FALSE(shapes.empty()) << where;
                EXPECT_LE(shapes.size(), static_cast<std::size_t>(kMaxShapes));
                for (std::size_t k = 0; k < shapes.size(); ++k) {
                    std::set<int> sounding;
                    int strings = 0;
                    for (int s = 1; s <= 6; ++s) {
                        const int fret = shapes[k][static_cast<std::size_t>(s - 1)];
                        if (fret < 0) continue;
                        ++strings;
                        EXPECT_GE(fret, setting.capo) << where;
                        sounding.insert(pitches(s, fret) % 12);
                    }
                    EXPECT_GE(strings, 4) << where;
                    EXPECT_TRUE(sounding.count(root)) << where << " shape " << k;
                    for (int pc : sounding)
                        EXPECT_TRUE(allowed.count(pc)) << where << " shape " << k << " pc " << pc;
                    if (k > 0) {
                        EXPECT_NE(shapes[k], shapes[k - 1]) << where;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace lutavo
