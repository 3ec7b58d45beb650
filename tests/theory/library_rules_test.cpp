// SPDX-License-Identifier: GPL-3.0-or-later
// The chord types, the voicing search and the scale positions.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "theory/chord_types.h"
#include "theory/scale_fingering.h"
#include "theory/voicing_search.h"
#include "tuning/pitch_table.h"

namespace lutavo {
namespace {

// Standard tuning, or with the lowest string lowered (-2: dropped D).
PitchTable pitchTable(int lowString) {
    TuningState tuning;
    FixedArray<i16, 1, 6> alt;
    alt.fill(0);
    alt[1] = static_cast<i16>(lowString);
    fillPitchTable(tuning, alt);
    return tuning.pitchOf;
}

std::vector<int> tonesOf(int cell) {
    return formulaSemitones(chordType(cell).formula);
}
std::vector<int> needsOf(int cell) {
    return formulaSemitones(chordType(cell).needs);
}

std::set<int> pitchClasses(int root, const std::vector<int>& tones) {
    std::set<int> classes;
    for (int t : tones)
        classes.insert((t + root) % 12);
    return classes;
}

// Every type's tones follow its formula as musicians write it: 7 the major seventh, b7 the minor.
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
    EXPECT_EQ(formulaSemitones("1 2 b3 4 5 b6 7"), (std::vector<int>{0, 2, 3, 5, 7, 8, 11}));
    EXPECT_EQ(std::pair(chordTypeCell("13th"), menuRootIndex("Db")), std::pair(25, 2));
}

// The open C shape, then without the open G; C7's seven shapes; dropped D's open D is a root.
TEST(VoicingSearch, OpenShapesOfCMajorC7AndDInDroppedD) {
    const auto major = findVoicings(8, tonesOf(1), needsOf(1), pitchTable(0), 0);
    EXPECT_EQ(major.at(0), (ChordShape{-1, 3, 2, 0, 1, 3}));
    EXPECT_EQ(major.at(1), (ChordShape{-1, 3, 2, -1, 1, 3}));
    const auto seventh = findVoicings(8, tonesOf(14), needsOf(14), pitchTable(0), 0);
    ASSERT_EQ(seventh.size(), 7u);
    EXPECT_EQ(seventh[0], (ChordShape{-1, 3, 2, 3, 1, 3}));
    for (const auto& [low, first] :
         {std::pair{-2, ChordShape{0, 0, 0, 2, 3, 2}}, {0, ChordShape{-1, -1, 0, 2, 3, 2}}})
        EXPECT_EQ(findVoicings(10, tonesOf(1), needsOf(1), pitchTable(low), 0).at(0), first);
}

// Every root and type, in standard tuning and dropped D, at capo 0, 3 and 5: the page is the
// scan's shapes that sound every needed tone, in order, a shape equal to the one kept before it
// left out; each on at least four strings at or above the capo.
TEST(VoicingSearch, EveryTypeKeepsTheScansShapesThatSoundTheChord) {
    for (const auto& [lowString, capo] : {std::pair{0, 0}, {0, 3}, {-2, 0}, {-2, 3}, {0, 5}}) {
        const PitchTable pitches = pitchTable(lowString);
        for (int root = 0; root < 12; ++root) {
            for (int cell = 1; cell <= kChordTypeCount; ++cell) {
                SCOPED_TRACE(testing::Message() << chordType(cell).name << " root " << root
                                                << " capo " << capo << " low " << lowString);
                const std::set<int> needed = pitchClasses(root, needsOf(cell));
                std::vector<ChordShape> expected;
                for (const ChordShape& shape :
                     findVoicings(root, tonesOf(cell), {}, pitches, capo)) {
                    std::set<int> heard;
                    for (int s = 1; s <= 6; ++s)
                        if (shape[s - 1] >= 0) heard.insert((pitches(s, shape[s - 1]) + 12) % 12);
                    if (std::includes(heard.begin(), heard.end(), needed.begin(), needed.end()) &&
                        (expected.empty() || expected.back() != shape))
                        expected.push_back(shape);
                    EXPECT_TRUE(std::all_of(shape.begin(), shape.end(),
                                            [capo](int f) { return f == -1 || f >= capo; }));
                    EXPECT_LE(std::count(shape.begin(), shape.end(), -1), 2);
                }
                EXPECT_EQ(findVoicings(root, tonesOf(cell), needsOf(cell), pitches, capo),
                          expected);
            }
        }
    }
}

// For every root and scale type, in standard tuning and dropped D, without a capo and at 3:
// one position per tone, climbing the neck; each holds every tone of the scale and nothing
// else, in its window, each note higher than the one before.
TEST(ScaleFingering, EveryPositionHoldsTheWholeScaleAndNothingElse) {
    for (const auto& [lowString, capo] : {std::pair{0, 0}, {0, 3}, {-2, 0}, {-2, 3}}) {
        const PitchTable pitches = pitchTable(lowString);
        for (int root = 0; root < 12; ++root) {
            for (int cell = 1; cell <= kScaleTypeCount; ++cell) {
                const auto tones = formulaSemitones(scaleType(cell).formula);
                const std::set<int> scale = pitchClasses(root, tones);
                const auto positions = findScalePositions(root, tones, pitches, capo);
                const std::string where = std::string(scaleType(cell).name) + " root " +
                                          std::to_string(root) + " capo " + std::to_string(capo);
                EXPECT_EQ(positions.size(), scale.size()) << where;
                int lastStart = capo - 1;
                for (const ScalePosition& p : positions) {
                    EXPECT_GT(p.start, lastStart) << where;
                    lastStart = p.start;
                    std::set<int> heard;
                    int lastPitch = -100;
                    for (const ScaleNote& n : p.notes) {
                        const int pitch = pitches(n.slot, n.fret);
                        EXPECT_GT(pitch, lastPitch) << where;
                        EXPECT_TRUE(n.fret >= p.start && n.fret < p.start + kScaleWindowFrets);
                        lastPitch = pitch;
                        heard.insert((pitch + 12) % 12);
                    }
                    EXPECT_EQ(heard, scale) << where << " position " << p.start;
                }
            }
        }
    }
}

}  // namespace
}  // namespace lutavo
