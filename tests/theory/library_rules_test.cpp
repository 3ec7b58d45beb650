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
    return formulaSemitones(chordType(cell).formula, PlainSeventh::Minor);
}

std::set<int> pitchClasses(int root, const std::vector<int>& tones) {
    std::set<int> classes;
    for (int t : tones)
        classes.insert((t + root) % 12);
    return classes;
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
    EXPECT_EQ(formulaSemitones("1 2 b3 4 5 b6 7", PlainSeventh::Major),
              (std::vector<int>{0, 2, 3, 5, 7, 8, 11}));
    EXPECT_EQ(std::pair(chordTypeCell("13th"), menuRootIndex("Db")), std::pair(25, 2));
}

// Standard tuning, root C: the open C shape, then the same without the open G string; the 7th
// adds the minor seventh on the G string and is no longer the major seventh's search.
TEST(VoicingSearch, OpenShapesOfCMajorAndC7) {
    const auto major = findVoicings(8, tonesOf(1), pitchTable(0), 0);
    ASSERT_GE(major.size(), 2u);
    EXPECT_EQ(major[0], (ChordShape{-1, 3, 2, 0, 1, 3}));
    EXPECT_EQ(major[1], (ChordShape{-1, 3, 2, -1, 1, 3}));
    const auto seventh = findVoicings(8, tonesOf(14), pitchTable(0), 0);
    ASSERT_FALSE(seventh.empty());
    EXPECT_EQ(seventh[0], (ChordShape{-1, 3, 2, 3, 1, 3}));
    EXPECT_NE(seventh, findVoicings(8, tonesOf(3), pitchTable(0), 0));
    // The open low D of dropped D has a negative pitch, which matches no tone.
    for (const ChordShape& shape : findVoicings(10, tonesOf(1), pitchTable(-2), 0))
        EXPECT_NE(shape[0], 0);
}

// For every root and type, in standard tuning and dropped D, without a capo and at 3 and 5:
// each shape sounds only the type's tones, the root among them, on at least four strings, at or
// above the capo; no shape repeats the one before it.
TEST(VoicingSearch, EveryRootAndTypeGivesShapesOfItsTonesAboveTheCapo) {
    for (const auto& [lowString, capo] : {std::pair{0, 0}, {0, 3}, {-2, 0}, {-2, 3}, {0, 5}}) {
        const PitchTable pitches = pitchTable(lowString);
        for (int root = 0; root < 12; ++root) {
            for (int cell = 1; cell <= kChordTypeCount; ++cell) {
                const std::set<int> allowed = pitchClasses(root, tonesOf(cell));
                const auto shapes = findVoicings(root, tonesOf(cell), pitches, capo);
                const std::string where = std::string(chordType(cell).name) + " root " +
                                          std::to_string(root) + " capo " + std::to_string(capo) +
                                          " low " + std::to_string(lowString);
                EXPECT_FALSE(shapes.empty()) << where;
                for (std::size_t k = 0; k < shapes.size(); ++k) {
                    std::set<int> sounding;
                    int strings = 0;
                    for (int s = 1; s <= 6; ++s) {
                        const int fret = shapes[k][static_cast<std::size_t>(s - 1)];
                        if (fret < 0) continue;
                        ++strings;
                        EXPECT_GE(fret, capo) << where;
                        sounding.insert(pitches(s, fret) % 12);
                    }
                    EXPECT_GE(strings, 4) << where;
                    EXPECT_TRUE(sounding.count(root)) << where << " shape " << k;
                    EXPECT_TRUE(std::includes(allowed.begin(), allowed.end(), sounding.begin(),
                                              sounding.end()))
                        << where << " shape " << k;
                    EXPECT_TRUE(k == 0 || shapes[k] != shapes[k - 1]) << where;
                }
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
                const auto tones = formulaSemitones(scaleType(cell).formula, PlainSeventh::Major);
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
