#include "theory/scale_fingering.h"

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

int pitchClass(int pitch) {
    return (pitch % 12 + 12) % 12;
}

// C major in standard tuning: seven positions, the first at the open strings (E is a tone).
TEST(ScaleFingering, CMajorHasAPositionForEveryToneOfTheLowString) {
    const auto tones = formulaSemitones(scaleType(1).formula, PlainSeventh::Major);
    const auto positions = findScalePositions(8, tones, pitchTable(0), 0);
    std::vector<int> starts;
    for (const ScalePosition& p : positions)
        starts.push_back(p.start);
    EXPECT_EQ(starts, (std::vector<int>{0, 1, 3, 5, 7, 8, 10}));
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(positions[0].notes.front().slot, 1);
    EXPECT_EQ(positions[0].notes.front().fret, 0);
}

// For every root and scale type, in standard tuning and dropped D, without a capo and at 3:
// every note belongs to the scale and lies in its window at or above the capo, every tone of
// the scale sounds in each position, notes climb within a position and positions up the neck.
TEST(ScaleFingering, EveryPositionHoldsTheWholeScaleAndNothingElse) {
    for (const int lowString : {0, -2}) {
        const PitchTable pitches = pitchTable(lowString);
        for (const int capo : {0, 3}) {
            for (int root = 0; root < 12; ++root) {
                for (int cell = 1; cell <= kScaleTypeCount; ++cell) {
                    const auto tones =
                        formulaSemitones(scaleType(cell).formula, PlainSeventh::Major);
                    std::set<int> scale;
                    for (int t : tones)
                        scale.insert((t + root) % 12);
                    const auto positions = findScalePositions(root, tones, pitches, capo);
                    const std::string where = std::string(scaleType(cell).name) + " root " +
                                              std::to_string(root) + " capo " +
                                              std::to_string(capo);
                    EXPECT_EQ(positions.size(), scale.size()) << where;
                    int lastStart = -1;
                    for (const ScalePosition& p : positions) {
                        EXPECT_GT(p.start, lastStart) << where;
                        EXPECT_GE(p.start, capo) << where;
                        lastStart = p.start;
                        std::set<int> heard;
                        int lastPitch = -100;
                        for (const ScaleNote& n : p.notes) {
                            const int pitch = pitches(n.slot, n.fret);
                            EXPECT_TRUE(scale.count(pitchClass(pitch))) << where;
                            EXPECT_GT(pitch, lastPitch) << where;
                            EXPECT_GE(n.fret, p.start) << where;
                            EXPECT_LT(n.fret, p.start + kScaleWindowFrets) << where;
                            lastPitch = pitch;
                            heard.insert(pitchClass(pitch));
                        }
                        EXPECT_EQ(heard, scale) << where << " position " << p.start;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace lutavo
