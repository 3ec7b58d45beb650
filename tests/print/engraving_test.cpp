// SPDX-License-Identifier: GPL-3.0-or-later
// How the printed sheet sets notes: stems, beams, the line read from the song, sheet breaking.
#include <gtest/gtest.h>

#include "fakes/song_builder.h"
#include "fakes/test_rig.h"
#include "print/engraved_line.h"
#include "print/engraving_rules.h"
#include "print/sheet_layout.h"
#include "theory/keys.h"
#include "tuning/pitch_table.h"

namespace lutavo {
namespace {

TEST(EngravingRules, StemsGoDownFromTheMiddleLineUpAndAChordFollowsItsFurthestNote) {
    struct Case {
        int top, bottom;
        bool up;
    };
    for (const Case c : {Case{-1, -1, true},
                         {0, 0, false},
                         {4, 4, false},
                         {-8, -8, true},
                         {3, -3, false},  // as far both ways: down
                         {3, -4, true},
                         {5, -4, false},
                         {-2, -9, true},
                         {9, 2, false}})
        EXPECT_EQ(stemUp(c.top, c.bottom), c.up) << c.top << " " << c.bottom;
    // A stem is three and a half spaces, and reaches the middle line from far below or above.
    EXPECT_EQ(stemEnd(-3, -3, true), 4);
    EXPECT_EQ(stemEnd(-12, -12, true), 0);
    EXPECT_EQ(stemEnd(2, 2, false), -5);
    EXPECT_EQ(stemEnd(11, 11, false), 0);
    EXPECT_EQ((std::vector{flagsOf(1), flagsOf(2), flagsOf(3), flagsOf(4), flagsOf(5), flagsOf(6),
                           flagsOf(10)}),
              (std::vector{3, 2, 2, 1, 1, 0, 0}));
}

// Columns of one bar at the given onsets and lengths, all heads on the staff's middle line.
std::vector<BeamInput> bar(std::initializer_list<std::pair<int, int>> notes, int triplet = 0) {
    std::vector<BeamInput> out;
    for (auto [inBar, ticks] : notes) {
        const int flags = ticks <= 4 ? 2 : (ticks <= 8 || ticks == 12 ? 1 : 0);
        out.push_back({0, inBar, ticks, flags, 0, 0, false, triplet});
    }
    return out;
}

std::vector<std::pair<int, int>> spans(const std::vector<BeamGroup>& groups) {
    std::vector<std::pair<int, int>> out;
    for (const BeamGroup& g : groups)
        out.emplace_back(g.first, g.last);
    return out;
}

TEST(EngravingRules, EighthsAreBeamedWithinABeatAndFourEighthsFillAHalfBarOfFourFour) {
    using S = std::vector<std::pair<int, int>>;
    const auto eighths = bar({{0, 8}, {8, 8}, {16, 8}, {24, 8}, {32, 8}, {40, 8}});
    EXPECT_EQ(spans(beamGroups(eighths, 3)), (S{{0, 1}, {2, 3}, {4, 5}}));  // 3/4: by the beat
    EXPECT_EQ(spans(beamGroups(eighths, 4)), (S{{0, 3}, {4, 5}}));  // 4/4: the half bar whole
    EXPECT_EQ(spans(beamGroups(eighths, 5)), (S{{0, 2}, {3, 5}}));  // 6/8: dotted quarters
    EXPECT_EQ(spans(beamGroups(eighths, 1)), (S{{0, 3}, {4, 5}}));  // 2/2: half notes
    // A half bar of 4/4 that is not all eighths is beamed by the beat; a lone eighth has a flag.
    const auto mixed = bar({{0, 8}, {8, 4}, {12, 4}, {16, 16}, {32, 8}, {40, 8}, {48, 16}});
    EXPECT_EQ(spans(beamGroups(mixed, 4)), (S{{0, 2}, {4, 5}}));
    // A note that runs over its beat beams with nothing; a rest breaks a beam.
    auto across = bar({{0, 8}, {8, 12}, {20, 4}, {24, 8}});
    EXPECT_EQ(spans(beamGroups(across, 2)), (S{{2, 3}}));
    auto rested = bar({{0, 4}, {4, 4}, {8, 4}, {12, 4}});
    rested[1].rest = true;
    EXPECT_EQ(spans(beamGroups(rested, 2)), (S{{2, 3}}));
    // Bars part beams even within what would be one beat.
    auto twoBars = bar({{0, 8}, {8, 8}});
    twoBars[1].bar = 1;
    EXPECT_EQ(spans(beamGroups(twoBars, 0)), (S{}));
}

TEST(EngravingRules, ATripletGroupIsBeamedAndBracketedOnItsOwn) {
    using S = std::vector<std::pair<int, int>>;
    // 5 + 5 + 6 fills a quarter; in 2/2 two groups in one beat still beam apart.
    const auto triplets = bar({{0, 5}, {5, 5}, {10, 6}, {16, 5}, {21, 5}, {26, 6}}, 5);
    EXPECT_EQ(spans(beamGroups(triplets, 1)), (S{{0, 2}, {3, 5}}));
    EXPECT_EQ(tripletEnd(triplets, 0), 3u);
    EXPECT_EQ(tripletEnd(triplets, 3), 6u);
    // Triplet quarters (11 + 11 + 10) fill a half: one bracket, no beam.
    const auto quarters = bar({{0, 11}, {11, 11}, {22, 10}}, 11);
    EXPECT_EQ(tripletEnd(quarters, 0), 3u);
    EXPECT_EQ(spans(beamGroups(quarters, 4)), (S{}));
}

TEST(EngravingRules, BeamsSlopeByTheirOuterNotesWithinASpaceAndKeepStemsLong) {
    // Rising a step: the beam rises a step, three and a half spaces over the notes.
    auto rising = bar({{0, 8}, {8, 8}});
    rising[0].top = rising[0].bottom = -3;
    rising[1].top = rising[1].bottom = -2;
    EXPECT_EQ(beamGroups(rising, 2), (std::vector{BeamGroup{0, 1, true, 4, 5}}));
    // A leap of an octave slopes by one space at most, the higher note's stem three spaces.
    rising[0].top = rising[0].bottom = -10;
    rising[1].top = rising[1].bottom = -3;
    EXPECT_EQ(beamGroups(rising, 2), (std::vector{BeamGroup{0, 1, true, 1, 3}}));
    // Falling high notes: stems down, the beam falls; a middle note nearer the beam lengthens
    // every stem so that it keeps three spaces.
    auto falling = bar({{0, 4}, {4, 4}, {8, 4}, {12, 4}});
    for (int k = 0; k < 4; ++k)
        falling[static_cast<std::size_t>(k)].top = falling[static_cast<std::size_t>(k)].bottom =
            5 - k;
    falling[2].top = falling[2].bottom = -1;
    const BeamGroup g = beamGroups(falling, 2).at(0);
    EXPECT_FALSE(g.up);
    EXPECT_EQ(g.startY - g.endY, 2);
    EXPECT_DOUBLE_EQ(beamYAt(g, 2, 0, 3), -1 - 6);
}

struct Engrave : ::testing::Test {
    void SetUp() override { rig.defaults(); }
    std::vector<EngravedColumn> line(const std::vector<test::NoteSpec>& notes, int page = 1) {
        test::buildSong(g, notes);
        applyKey(g.keys, g.song.songKey);
        fillPitchTable(g.tuning, g.song.altTuning);
        StringPitches carry{};
        std::vector<EngravedColumn> out;
        for (int p = 1; p <= page; ++p)
            out = engraveLine(g.song, g.tuning.pitchOf, g.keys, p, carry);
        return out;
    }
    test::Rig rig;
    Guitar& g = rig.g();
};

TEST_F(Engrave, HeadsStandOnTheStepsTheKeySpellsWithTheirSigns) {
    // Open low E three ledger lines down, the open high E in the top space; F sharp (high E,
    // fret 2) with a sign in C, none in G; B flat (G string, fret 3) in F.
    struct Case {
        int key, slot, fret, step;
        Sign sign;
    };
    for (const Case c : {Case{1, 1, 0, -11, Sign::None},
                         {1, 6, 0, 3, Sign::None},
                         {1, 6, 2, 4, Sign::Sharp},
                         {3, 6, 2, 4, Sign::None},
                         {1, 4, 3, -1, Sign::Sharp},
                         {2, 4, 3, 0, Sign::None},
                         {2, 4, 4, 0, Sign::Natural}}) {
        g.song.songKey = static_cast<i16>(c.key);
        const auto columns = line({test::single(16, c.slot, c.fret)});
        ASSERT_EQ(columns.size(), 1u);
        ASSERT_EQ(columns[0].heads.size(), 1u);
        EXPECT_EQ(std::pair(columns[0].heads[0].step, columns[0].heads[0].sign),
                  std::pair(c.step, c.sign))
            << c.key << " " << c.slot << " " << c.fret;
    }
}

// A sign holds to the end of its bar: F sharp then F in one bar of C takes a natural, the second
// F sharp of a bar none, the next bar's a sign again; in G the key's sharp is not repeated and
// holds again from the next bar.
TEST_F(Engrave, SignsHoldToTheEndOfTheirBar) {
    g.song.timeSig = 2;  // 2/4: two quarters a bar
    const std::vector<test::NoteSpec> notes = {test::single(16, 6, 2), test::single(16, 6, 1),
                                               test::single(16, 6, 2), test::single(16, 6, 2),
                                               test::single(16, 6, 2)};
    for (const auto& [key, expected] :
         {std::pair{1,
                    std::vector{Sign::Sharp, Sign::Natural, Sign::Sharp, Sign::None, Sign::Sharp}},
          std::pair{3,
                    std::vector{Sign::None, Sign::Natural, Sign::None, Sign::None, Sign::None}}}) {
        g.song.songKey = static_cast<i16>(key);
        std::vector<Sign> signs;
        for (const EngravedColumn& c : line(notes))
            signs.push_back(c.heads.at(0).sign);
        EXPECT_EQ(signs, expected) << key;
    }
}

TEST_F(Engrave, ColumnsCountBarsTheirTabAndRests) {
    g.song.timeSig = 2;  // 2/4: 32 ticks
    g.song.capo = 2;
    test::NoteSpec chord{8, {3, -1, -1, -4, -1, 1}};  // fret 3 and 1 below the capo: no number
    const auto columns = line({test::single(16, 2, 5),
                               test::single(16, 3, 2),
                               chord,
                               {8, {-1, -1, -1, -1, -1, -1}},
                               test::single(32, 1, 3)});
    ASSERT_EQ(columns.size(), 5u);
    std::vector<std::tuple<int, int, bool>> bars;
    for (const EngravedColumn& c : columns)
        bars.emplace_back(c.bar, c.inBar, c.barBefore);
    EXPECT_EQ(bars, (std::vector<std::tuple<int, int, bool>>{
                        {0, 0, false}, {0, 16, false}, {1, 0, true}, {1, 8, false}, {2, 0, true}}));
    EXPECT_EQ(columns[0].tab.at(0).fret, 3);  // counted from the capo
    ASSERT_EQ(columns[2].tab.size(), 2u);
    EXPECT_EQ(std::tuple(columns[2].tab[0].slot, columns[2].tab[0].fret, columns[2].tab[1].mark),
              std::tuple(1, 1, TabMark::Muted));
    EXPECT_TRUE(columns[3].heads.empty() && columns[3].tab.empty());
    EXPECT_EQ(columns[3].symbol, 4);  // an eighth rest
    EXPECT_EQ(columns[4].symbol, 8);  // a half note
}

TEST_F(Engrave, AHeldNoteLengthensItsSymbolAndIsTiedOverABarAndALine) {
    g.song.timeSig = 2;
    const auto held = [](int dur) { return test::NoteSpec{dur, {24 + 3, -1, -1, -1, -1, -1}}; };
    // Struck for a quarter and held a quarter within the bar: a half note; held on over the bar
    // line: a quarter tied to it, its number not repeated while other strings are silent.
    auto columns = line({test::single(16, 1, 3), held(16), held(16)});
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0].heads.at(0).symbol, 8);
    EXPECT_EQ(std::pair(columns[1].heads.at(0).tieFrom, columns[1].barBefore), std::pair(0, true));
    EXPECT_TRUE(columns[1].tab.empty());
    // A chord held over the line's end is tied from before the line, at the pitches carried
    // over, its held frets shown.
    const test::NoteSpec open{16, {0, 0, 0, 0, 0, 0}};
    const test::NoteSpec ringing{16, {24, 24, 24, 24, 24, 24}};
    columns = line({open, test::pageEnd(), ringing}, 2);
    ASSERT_EQ(columns.size(), 1u);
    ASSERT_EQ(columns[0].heads.size(), 6u);
    EXPECT_EQ(std::tuple(columns[0].heads[0].step, columns[0].heads[0].tieFrom,
                         columns[0].heads[5].step, columns[0].tab.size(), columns[0].tab[0].mark),
              std::tuple(-11, kTieFromBefore, 3, 6u, TabMark::HeldFret));
}

TEST(SheetLayout, LinesFillASheetToTheLastThatFitsOnA4AndLetter) {
    const SheetFrame a4{kA4}, letter{kLetter};
    EXPECT_EQ(std::pair(a4.linesOn(1), a4.linesOn(2)), std::pair(5, 6));
    EXPECT_EQ(std::pair(letter.linesOn(1), letter.linesOn(2)), std::pair(4, 5));
    EXPECT_EQ(sheetStarts(a4, 11), (std::vector{0, 5}));
    EXPECT_EQ(sheetStarts(a4, 12), (std::vector{0, 5, 11}));
    EXPECT_EQ(sheetStarts(letter, 9), (std::vector{0, 4}));
    EXPECT_EQ(sheetStarts(letter, 10), (std::vector{0, 4, 9}));
    // A paper whose sheets hold exactly three lines takes three, a point less two.
    SheetFrame exact{kA4};
    exact.titleBlock = 0;
    exact.paper.height = 2 * exact.margin + exact.foot + 3 * exact.line.height();
    EXPECT_EQ(exact.linesOn(1), 3);
    exact.paper.height -= 0.01;
    EXPECT_EQ(exact.linesOn(1), 2);
    // Nor does a paper too small for one line lose it.
    exact.paper.height = 100;
    EXPECT_EQ(sheetStarts(exact, 2), (std::vector{0, 1}));
}

}  // namespace
}  // namespace lutavo
