// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "formats/fingering.h"
#include "formats/repeats.h"
#include "formats/song_fitting.h"
#include "song/fret_codes.h"

#include <set>

namespace lutavo {
namespace {

using score::kQuarter;

score::Note on(int string, int fret) {
    score::Note n;
    n.string = string;
    n.fret = fret;
    return n;
}

score::Beat beat(long length, std::vector<score::Note> notes = {}) {
    return {length, std::move(notes)};
}

// A one-track piece of the bars given, in 4/4 unless a bar says otherwise.
score::Score piece(std::vector<std::vector<score::Beat>> bars) {
    score::Score s;
    s.tracks.emplace_back();
    s.tracks[0].tuning = {64, 59, 55, 50, 45, 40};
    s.bars.resize(bars.size());
    s.tracks[0].bars = std::move(bars);
    return s;
}

// The steps of the song's first part as "ticks:frets" with the frets of slots 1..6.
std::vector<std::string> steps(const ImportedSong& song, std::size_t part = 0) {
    std::vector<std::string> out;
    for (const ParsedNote& n : song.parts.at(part)) {
        std::string s = std::to_string(n.dur) + ":";
        for (std::size_t i = 0; i < n.frets.size(); ++i)
            s += std::to_string(n.frets[i]) + (i + 1 < n.frets.size() ? "," : "");
        out.push_back(n.dur == kEndOfPage ? "|" : s);
    }
    return out;
}

TEST(Fitting, TempoGoesToTheNearestStepOnEitherSideOfAMidpoint) {
    // Step 5 plays 125 quarters a minute, step 6 117.19: the midpoint is 121.09.
    const std::pair<double, int> cases[] = {{125, 5},    {121.2, 5}, {121.0, 6},  {104.17, 8},
                                            {170.45, 1}, {400, 1},   {46.88, 30}, {10, 30}};
    for (const auto& [tempo, step] : cases)
        EXPECT_EQ(nearestTempoStep(tempo), step) << tempo;
    score::Score fast = piece({{beat(4 * kQuarter)}});
    fast.tempo = 200;
    const ImportedSong song = fitToSong(fast, 0);
    EXPECT_EQ(song.tempo, 1);
    EXPECT_EQ(song.notices.at(0), "The tempo 200 is out of Lutavo's range; it plays at 170.");
}

TEST(Fitting, KeyAndTimeSignatureBecomeTheSongsIndices) {
    const std::tuple<int, int, int, int, int> cases[] = {
        // fifths, beats, beat type, key index, time signature index
        {0, 2, 2, 1, 1},   {3, 2, 4, 7, 2}, {-2, 3, 4, 4, 3}, {7, 4, 4, 15, 4},
        {-7, 6, 8, 14, 5}, {1, 5, 4, 3, 0}, {-1, 12, 8, 2, 0}};
    for (const auto& [fifths, beats, type, key, sig] : cases) {
        score::Score s = piece({{beat(4 * kQuarter)}});
        s.bars[0].fifths = fifths;
        s.bars[0].beats = beats;
        s.bars[0].beatType = type;
        const ImportedSong song = fitToSong(s, 0);
        EXPECT_EQ(song.songKey * 10 + song.timeSig, key * 10 + sig) << fifths << " " << beats;
    }
}

TEST(Fitting, TuningWithinTheTunersReachIsKeptElseAnOctaveAwayIsTaken) {
    struct Case {
        std::vector<int> tuning;  // string 1 first
        std::array<int, 6> alt;   // slot 1 first
        std::size_t notices;
    };
    const Case cases[] = {
        {{64, 59, 55, 50, 45, 38}, {-2, 0, 0, 0, 0, 0}, 0},
        {{70, 59, 55, 50, 45, 34}, {-6, 0, 0, 0, 0, 6}, 0},
        {{71, 59, 55, 50, 45, 33}, {5, 0, 0, 0, 0, -5}, 2},
        {{64, 59, 55, 50, 45, 28}, {0, 0, 0, 0, 0, 0}, 1},
    };
    for (const Case& c : cases) {
        score::Score s = piece({{beat(4 * kQuarter, {on(6, 3)})}});
        s.tracks[0].tuning = c.tuning;
        const ImportedSong song = fitToSong(s, 0);
        EXPECT_EQ(song.altTuning, c.alt);
        EXPECT_EQ(song.notices.size(), c.notices);
    }
    score::Score low = piece({{beat(4 * kQuarter)}});
    low.tracks[0].tuning = {64, 59, 55, 50, 45, 28};
    EXPECT_EQ(fitToSong(low, 0).notices.at(0),
              "The 6th string is tuned to E1, out of the tuner's reach; it is tuned to the E an "
              "octave higher, and its notes sound there.");
}

TEST(Fitting, TheCapoGoesUpToTheTwelfthFret) {
    for (const auto& [capo, kept] : {std::pair{12, 12}, std::pair{13, 0}}) {
        score::Score s = piece({{beat(4 * kQuarter, {on(1, capo + 2)})}});
        s.tracks[0].capo = capo;
        const ImportedSong song = fitToSong(s, 0);
        EXPECT_EQ(song.capo, kept);
        EXPECT_EQ(song.notices.size(), kept == capo ? 0u : 1u);
        EXPECT_EQ(steps(song),
                  (std::vector<std::string>{"64:-1,-1,-1,-1,-1," + std::to_string(capo + 2)}));
    }
}

TEST(Fitting, NoteValuesBecomeStepsThatKeepTheBarsInPlace) {
    const long third = kQuarter / 3;
    struct Case {
        const char* what;
        std::vector<score::Beat> bar;
        std::vector<std::string> expected;
    };
    score::Note tied = on(1, 0);
    tied.tied = true;
    score::Note bent = on(2, 5);
    bent.bend = true;
    score::Note dead = on(3, 0);
    dead.dead = true;
    const Case cases[] = {
        {"triplet eighths",
         {beat(third, {on(1, 1)}), beat(third, {on(1, 2)}), beat(third, {on(1, 3)})},
         {"5:-1,-1,-1,-1,-1,1", "5:-1,-1,-1,-1,-1,2", "6:-1,-1,-1,-1,-1,3"}},
        {"triplet quarters",
         {beat(2 * third, {on(1, 1)}), beat(2 * third, {on(1, 2)}), beat(2 * third, {on(1, 3)})},
         {"11:-1,-1,-1,-1,-1,1", "11:-1,-1,-1,-1,-1,2", "10:-1,-1,-1,-1,-1,3"}},
        {"six quarters held over a second step",
         {beat(6 * kQuarter, {on(1, 0)})},
         {"64:-1,-1,-1,-1,-1,0", "32:-1,-1,-1,-1,-1,24"}},
        {"a bend struck, then bent",
         {beat(kQuarter, {bent})},
         {"8:-1,-1,-1,-1,5,-1", "8:-1,-1,-1,-1,-3,-1"}},
        {"a tie making a dotted quarter is one note",
         {beat(kQuarter, {on(1, 0)}), beat(kQuarter / 2, {tied})},
         {"24:-1,-1,-1,-1,-1,0"}},
        {"a tie making no single value is held",
         {beat(kQuarter, {on(1, 0)}), beat(kQuarter / 4, {tied})},
         {"16:-1,-1,-1,-1,-1,0", "4:-1,-1,-1,-1,-1,24"}},
        {"a muted string and a rest",
         {beat(kQuarter, {dead}), beat(kQuarter)},
         {"16:-1,-1,-1,-4,-1,-1", "16:-1,-1,-1,-1,-1,-1"}},
        {"two notes on one string: the first is kept",
         {beat(kQuarter, {on(1, 3), on(1, 5)})},
         {"16:-1,-1,-1,-1,-1,3"}},
        {"a note too short for a tick",
         {beat(kQuarter / 32, {on(1, 1)}), beat(kQuarter, {on(1, 2)})},
         {"16:-1,-1,-1,-1,-1,2"}},
    };
    for (const Case& c : cases) {
        const ImportedSong song = fitToSong(piece({c.bar}), 0);
        EXPECT_EQ(steps(song), c.expected) << c.what;
    }
    // Over a bar line a tie stays a held step.
    const ImportedSong over =
        fitToSong(piece({{beat(4 * kQuarter, {on(1, 0)})}, {beat(kQuarter / 2, {tied})}}), 0);
    EXPECT_EQ(steps(over),
              (std::vector<std::string>{"64:-1,-1,-1,-1,-1,0", "8:-1,-1,-1,-1,-1,24"}));
}

std::vector<std::vector<score::Beat>> bars(int count, int stepsPerBar) {
    std::vector<score::Beat> bar(static_cast<std::size_t>(stepsPerBar),
                                 beat(kQuarter / 4, {on(1, 0)}));
    return std::vector<std::vector<score::Beat>>(static_cast<std::size_t>(count), bar);
}

std::vector<std::size_t> lineLengths(const ImportedSong& song, std::size_t part = 0) {
    std::vector<std::size_t> lengths = {0};
    for (const ParsedNote& n : song.parts.at(part)) {
        if (n.dur == kEndOfPage) {
            lengths.push_back(0);
        } else {
            ++lengths.back();
        }
    }
    return lengths;
}

TEST(Fitting, LinesHoldWholeBarsThatFitThePage) {
    EXPECT_EQ(lineLengths(fitToSong(piece(bars(6, 4)), 0)), (std::vector<std::size_t>{16, 8}));
    EXPECT_EQ(lineLengths(fitToSong(piece(bars(4, 6)), 0)), (std::vector<std::size_t>{18, 6}));
    EXPECT_EQ(lineLengths(fitToSong(piece(bars(1, 45)), 0)), (std::vector<std::size_t>{20, 20, 5}));
    // The file's own lines, broken further only where one would not fit.
    score::Score s = piece(bars(6, 4));
    s.bars[1].newSystem = s.bars[3].newSystem = true;
    EXPECT_EQ(lineLengths(fitToSong(s, 0)), (std::vector<std::size_t>{4, 8, 12}));

    // A note held over a line's end is struck again at the next line.
    score::Note tied = on(1, 7);
    tied.tied = true;
    score::Score over = piece({{beat(4 * kQuarter, {on(1, 7)})}, {beat(kQuarter, {tied})}});
    over.bars[1].newSystem = true;
    const ImportedSong song = fitToSong(over, 0);
    EXPECT_EQ(steps(song).back(), "16:-1,-1,-1,-1,-1,7");
    EXPECT_EQ(song.lost.count(Lost::TieOverLine), 1);
}

TEST(Fitting, APieceLongerThanASongIsCutIntoPartsOfWholeLines) {
    struct Case {
        int bars, stepsPerBar;
        std::vector<std::size_t> partSizes;
    };
    const Case cases[] = {
        {29, 1, {29 + 28}},           // 29 lines: the most one song has
        {30, 1, {29 + 28, 1}},        // the 30th starts a second song
        {24, 40, {24 * 40 + 23}},     // 983 notes
        {25, 40, {24 * 40 + 23, 40}}  // 1024 would not fit
    };
    for (const Case& c : cases) {
        score::Score s = piece(bars(c.bars, c.stepsPerBar));
        for (auto& bar : s.bars)
            bar.newSystem = true;
        const ImportedSong song = fitToSong(s, 0);
        std::vector<std::size_t> sizes;
        for (const auto& part : song.parts)
            sizes.push_back(part.size());
        EXPECT_EQ(sizes, c.partSizes) << c.bars << " bars of " << c.stepsPerBar;
    }
    ImportedSong two;
    two.title = "Long";
    two.parts.resize(2);
    EXPECT_EQ(two.partTitle(1), "Long (2 of 2)");
    EXPECT_EQ(partFileName("/a/rock.SNG", 1, 3), "/a/rock-2.SNG");
    EXPECT_EQ(partFileName("/a/rock-1.SNG", 2, 3), "/a/rock-3.SNG");
    EXPECT_EQ(partFileName("/a/rock-2024.SNG", 0, 3), "/a/rock-2024-1.SNG");
}

TEST(Fitting, RepeatsAreWrittenOutInOrder) {
    struct Case {
        const char* what;
        std::vector<score::BarInfo> bars;
        std::vector<int> order;
    };
    auto bar = [](bool start, int plays, unsigned endings) {
        score::BarInfo b;
        b.repeatStart = start;
        b.repeatPlays = plays;
        b.endings = endings;
        return b;
    };
    const score::BarInfo plain;
    const Case cases[] = {
        {"a repeat", {bar(true, 0, 0), bar(false, 2, 0), plain}, {0, 1, 0, 1, 2}},
        {"three plays from the start", {plain, bar(false, 3, 0), plain}, {0, 1, 0, 1, 0, 1, 2}},
        {"two endings",
         {bar(true, 0, 0), bar(false, 2, 1), bar(false, 0, 2), plain},
         {0, 1, 0, 2, 3}},
        {"endings for passes 1-2 and 3",
         {bar(true, 0, 0), bar(false, 3, 3), bar(false, 0, 4)},
         {0, 1, 0, 1, 0, 2}},
        {"two repeats in turn",
         {bar(true, 0, 0), bar(false, 2, 0), bar(true, 0, 0), bar(false, 2, 0)},
         {0, 1, 0, 1, 2, 3, 2, 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(playOrder(c.bars, 100).bars, c.order) << c.what;
    const PlayOrder cut = playOrder({bar(true, 0, 0), bar(false, 99, 0)}, 50);
    EXPECT_TRUE(cut.cut);
    EXPECT_EQ(cut.bars.size(), 50u);
}

TEST(Fingering, ChordsGoOnSeparateStringsWithinTheHandsReach) {
    GuitarStrings strings;
    strings.open = {40, 45, 50, 55, 59, 64};
    LostItems lost;
    // C major as C3 E3 G3 C4 E4, then a note above the neck and a seven-note cluster.
    const std::vector<ChordToPlace> chords = {
        {{-1, -1, -1, -1, -1, -1}, {48, 52, 55, 60, 64}},
        {{-1, -1, -1, -1, -1, -1}, {100}},
        {{-1, -1, -1, -1, -1, -1}, {40, 45, 50, 55, 59, 64, 69}}};
    const auto placed = placeChords(chords, strings, lost);
    std::vector<int> cShape;
    for (const Placement& p : placed[0])
        cShape.push_back(p.slot * 100 + p.fret);
    EXPECT_EQ(cShape, (std::vector<int>{203, 302, 400, 501, 600}));
    EXPECT_EQ(placed[1][0].pitch, 76);  // octaves down, on the neck
    EXPECT_EQ(lost.count(Lost::OctaveMoved), 1);
    std::set<int> used;
    for (const Placement& p : placed[2]) {
        if (p.slot > 0) {
            EXPECT_TRUE(used.insert(p.slot).second);
        }
    }
    EXPECT_EQ(used.size(), 6u);
    EXPECT_EQ(lost.count(Lost::NoString), 1);

    // With a capo at 5 nothing is fretted below it.
    strings.capo = 5;
    const auto capoed = placeChords({{{-1, -1, -1, -1, -1, -1}, {45, 50, 55}}}, strings, lost);
    for (const Placement& p : capoed[0])
        EXPECT_GE(p.fret, 5);
}

TEST(Fingering, AMelodyStaysInOnePositionWhereItCan) {
    GuitarStrings strings;
    strings.open = {40, 45, 50, 55, 59, 64};
    LostItems lost;
    // A major scale from A3 up: open strings or position 2 both play it without a shift.
    std::vector<ChordToPlace> scale;
    for (int p : {57, 59, 61, 62, 64, 66, 68, 69})
        scale.push_back({{-1, -1, -1, -1, -1, -1}, {p}});
    int lowest = 99, highest = 0;
    for (const auto& chord : placeChords(scale, strings, lost)) {
        if (chord[0].fret == 0) continue;
        lowest = std::min(lowest, chord[0].fret);
        highest = std::max(highest, chord[0].fret);
    }
    EXPECT_LE(highest - lowest, 3);
}

}  // namespace
}  // namespace lutavo
