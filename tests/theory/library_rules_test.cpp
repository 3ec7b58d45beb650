// The chord types, the voicing search and the scale positions.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "fakes/test_rig.h"
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

// The pitch classes a shape sounds.
std::set<int> sounding(const ChordShape& shape, const PitchTable& pitches) {
    std::set<int> heard;
    for (int s = 1; s <= 6; ++s) {
        const int fret = shape[static_cast<std::size_t>(s - 1)];
        if (fret >= 0) heard.insert((pitches(s, fret) % 12 + 12) % 12);
    }
    return heard;
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

// What a shape needs, worked out from the formula by the rule: every written degree but a
// plain 5 and the extensions below the highest (the 9 of an 11th or 13th).
std::string neededByRule(const char* formula) {
    const std::vector<FormulaDegree> degrees = formulaDegrees(formula);
    int highest = 0;
    for (const FormulaDegree& d : degrees)
        highest = std::max(highest, d.degree);
    std::string needs;
    for (const FormulaDegree& d : degrees) {
        if ((d.degree == 5 && d.shift == 0) || (d.degree > 7 && d.degree < highest)) continue;
        needs += (needs.empty() ? "" : " ") +
                 std::string(d.shift < 0   ? "b"
                             : d.shift > 0 ? "#"
                                           : "") +
                 std::to_string(d.degree);
    }
    return needs;
}

// Per type, over the 17 roots of the menu in standard tuning without a capo: the shapes the scan
// finds, and those of them that sound every needed tone (the library's page).
struct TypeCount {
    const char* name;
    int before;
    int after;
};

TEST(ChordTypes, ShapesOfATypeSoundItsRootThirdSeventhAlteredFifthAndTopTone) {
    const TypeCount counts[kChordTypeCount] = {
        {"Major", 152, 152},
        {"Sixth", 155, 134},
        {"Major 7th", 189, 171},
        {"Suspended 4th", 172, 152},
        {"Minor", 189, 189},
        {"Diminished", 191, 191},
        {"Minor 6th", 192, 171},
        {"Minor 7th", 212, 134},
        {"Minor 7th Flat 5th", 211, 133},
        {"Minor 7th Sharp 5th", 209, 79},
        {"Minor 7th Flat 9th", 229, 78},
        {"Minor Major 7th", 189, 171},
        {"Minor 9th", 229, 76},
        {"7th", 212, 134},
        {"Augmented", 212, 212},
        {"7th Suspended 4th", 192, 114},
        {"7th Flat 5th", 229, 94},
        {"7th Augmented 5th", 229, 79},
        {"7th Flat 9th", 212, 114},
        {"7th Sharp 9th", 212, 0},
        {"9th", 212, 74},
        {"9th Flat 5th", 229, 34},
        {"9th Sharp 5th", 229, 39},
        {"11th", 212, 19},
        {"13th", 155, 0},
    };
    const PitchTable pitches = pitchTable(0);
    for (int cell = 1; cell <= kChordTypeCount; ++cell) {
        const ChordType& type = chordType(cell);
        EXPECT_EQ(type.needs, neededByRule(type.formula)) << type.name;
        int before = 0, after = 0;
        for (const MenuRoot& root : menuRoots()) {
            before += static_cast<int>(
                findVoicings(root.pitchClass, tonesOf(cell), {}, pitches, 0).size());
            after += static_cast<int>(
                findVoicings(root.pitchClass, tonesOf(cell), needsOf(cell), pitches, 0).size());
        }
        EXPECT_EQ(
            test::join(type.name, before, after),
            test::join(counts[cell - 1].name, counts[cell - 1].before, counts[cell - 1].after));
    }
}

// Standard tuning, root C: the open C shape, then the same without the open G string; the 7th
// adds the minor seventh on the G string, and none of its shapes is a plain C major.
TEST(VoicingSearch, OpenShapesOfCMajorAndC7) {
    const auto major = findVoicings(8, tonesOf(1), needsOf(1), pitchTable(0), 0);
    ASSERT_GE(major.size(), 2u);
    EXPECT_EQ(major[0], (ChordShape{-1, 3, 2, 0, 1, 3}));
    EXPECT_EQ(major[1], (ChordShape{-1, 3, 2, -1, 1, 3}));
    const auto seventh = findVoicings(8, tonesOf(14), needsOf(14), pitchTable(0), 0);
    ASSERT_EQ(seventh.size(), 7u);
    EXPECT_EQ(seventh[0], (ChordShape{-1, 3, 2, 3, 1, 3}));
    for (const ChordShape& shape : seventh)
        EXPECT_TRUE(sounding(shape, pitchTable(0)).count(6)) << "no B flat";
}

// A string tuned below standard reaches below the open low E: its open D is a D all the same,
// a root for the chord library and a tone of the scales.
TEST(VoicingSearch, TheLoweredLowStringCounts) {
    struct Case {
        int lowString;
        ChordShape first;     // the first D major shape
        int firstScalePitch;  // the first note of the D major scale
    };
    for (const Case& c : {Case{-2, {0, 0, 0, 2, 3, 2}, -2}, Case{0, {-1, -1, 0, 2, 3, 2}, 0}}) {
        const PitchTable pitches = pitchTable(c.lowString);
        const auto shapes = findVoicings(10, tonesOf(1), needsOf(1), pitches, 0);
        ASSERT_FALSE(shapes.empty());
        EXPECT_EQ(shapes[0], c.first) << c.lowString;
        const auto scale =
            findScalePositions(10, formulaSemitones(scaleType(1).formula), pitches, 0);
        ASSERT_FALSE(scale.empty());
        const ScaleNote& note = scale[0].notes[0];
        EXPECT_EQ(pitches(note.slot, note.fret), c.firstScalePitch) << c.lowString;
    }
}

// For every root and type, in standard tuning and dropped D, without a capo and at 3 and 5: the
// page is the scan's shapes that sound every needed tone, in the scan's order, a shape equal to
// the one kept before it left out; each sounds only the type's tones on at least four strings at
// or above the capo.
TEST(VoicingSearch, EveryRootAndTypeKeepsTheScanShapesThatSoundTheChord) {
    for (const auto& [lowString, capo] : {std::pair{0, 0}, {0, 3}, {-2, 0}, {-2, 3}, {0, 5}}) {
        const PitchTable pitches = pitchTable(lowString);
        for (int root = 0; root < 12; ++root) {
            for (int cell = 1; cell <= kChordTypeCount; ++cell) {
                const std::set<int> allowed = pitchClasses(root, tonesOf(cell));
                const std::set<int> needed = pitchClasses(root, needsOf(cell));
                const std::string where = std::string(chordType(cell).name) + " root " +
                                          std::to_string(root) + " capo " + std::to_string(capo) +
                                          " low " + std::to_string(lowString);
                std::vector<ChordShape> expected;
                for (const ChordShape& shape :
                     findVoicings(root, tonesOf(cell), {}, pitches, capo)) {
                    const std::set<int> heard = sounding(shape, pitches);
                    const bool full =
                        std::includes(heard.begin(), heard.end(), needed.begin(), needed.end());
                    if (full && (expected.empty() || expected.back() != shape))
                        expected.push_back(shape);
                }
                const auto shapes = findVoicings(root, tonesOf(cell), needsOf(cell), pitches, capo);
                EXPECT_EQ(shapes, expected) << where;
                for (const ChordShape& shape : shapes) {
                    const std::set<int> heard = sounding(shape, pitches);
                    EXPECT_TRUE(
                        std::includes(allowed.begin(), allowed.end(), heard.begin(), heard.end()))
                        << where;
                    EXPECT_GE(std::count_if(shape.begin(), shape.end(),
                                            [capo](int f) { return f >= capo; }),
                              4)
                        << where;
                    EXPECT_TRUE(std::all_of(shape.begin(), shape.end(), [capo](int f) {
                        return f < 0 || f >= capo;
                    })) << where;
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
