// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/test_rig.h"

#include "formats/fixtures/gp_fixture.h"
#include "formats/fixtures/zip_fixture.h"
#include "formats/score_file.h"
#include "formats/song_fitting.h"

namespace lutavo {
namespace {

using test::lengths;

const score::Score& scoreOf(const score::ReadResult& read) {
    EXPECT_TRUE(std::holds_alternative<score::Score>(read))
        << std::get<score::ImportFailure>(read).message;
    return std::get<score::Score>(read);
}

// Dropped D named on the lines; a bar of quarters, a bar with a muted string, a bend and a
// two-digit fret, then a system without bar lines.
const std::string kTab =
    test::readFile(std::string(LUTAVO_TEST_SOURCE_DIR) + "/data/formats/riff.txt");

TEST(TextTab, TimeComesFromTheSpacingAndTheTuningFromTheNames) {
    const auto read = readScoreBytes(kTab, "riff.txt");
    const score::Score& s = scoreOf(read);
    EXPECT_EQ(s.title, "Riff in D");
    const score::Track& t = s.tracks.at(0);
    EXPECT_EQ(t.tuning, (std::vector<int>{64, 59, 55, 50, 45, 38}));
    ASSERT_EQ(t.bars.size(), 3u);
    EXPECT_EQ(lengths(t.bars[0]), (std::vector<long>{960, 960, 960, 960}));
    EXPECT_EQ(t.bars[0][0].notes.at(0).string * 10 + t.bars[0][0].notes.at(0).fret, 40);
    EXPECT_TRUE(t.bars[1][1].notes.at(0).dead);
    EXPECT_TRUE(t.bars[1][2].notes.at(0).bend);
    EXPECT_EQ(t.bars[1][2].notes.size(), 1u);  // the 7 is where the bend goes, not a note
    EXPECT_EQ(t.bars[1][3].notes.at(0).string * 100 + t.bars[1][3].notes.at(0).fret, 610);
    // Without bar lines the commonest gap (three columns) is an eighth.
    EXPECT_EQ(lengths(t.bars[2]), (std::vector<long>{480, 240, 480, 480}));
    EXPECT_EQ(t.lost.count(Lost::HammerOn), 1);

    const ImportedSong song = fitToSong(s, 0);
    EXPECT_EQ(song.altTuning, (std::array<int, 6>{-2, 0, 0, 0, 0, 0}));
    EXPECT_EQ(song.timeSig, 4);
}

// Two bars on the D string, each of its notes `gap` columns apart after `margin` dashes.
std::vector<long> barLengths(int margin, int gap) {
    const std::string pad(margin, '-');
    const std::string rest(gap - 1, '-');
    std::string d = "D|";
    for (int bar = 0; bar < 2; ++bar) {
        d += pad;
        for (const char* fret : {"0", "3", "5", "3"})
            d += fret + rest;
        d += "|";
    }
    std::string empty = d.substr(1);
    std::replace_if(
        empty.begin(), empty.end(), [](char c) { return c != '|'; }, '-');
    const std::string tab = "e" + empty + "\nB" + empty + "\nG" + empty + "\n" + d + "\nA" + empty +
                            "\nE" + empty + "\n";
    const auto read = readScoreBytes(tab, "margin.txt");
    const score::Score& s = scoreOf(read);
    EXPECT_EQ(s.tracks.at(0).bars.size(), 2u);
    return lengths(s.tracks.at(0).bars.at(1));
}

TEST(TextTab, ALabelledLineNamesThePiece) {
    for (const char* head : {"Artist: Someone\nSong: Greensleeves\n", "TITLE:  Greensleeves\n"}) {
        const auto read = readScoreBytes(head + kTab, "named.txt");
        EXPECT_EQ(scoreOf(read).title, "Greensleeves") << head;
    }
    // The mark before UTF-8 text is no part of the title; a title in the Western code page is
    // read as such, one in UTF-8 as it stands.
    const std::pair<std::string, std::string> titles[] = {{"\xEF\xBB\xBF"
                                                           "F\xC3\xBCr Elise",
                                                           "F\xC3\xBCr Elise"},
                                                          {"F\xFCr Elise", "F\xC3\xBCr Elise"},
                                                          {"Caf\xC3", "Caf\xC3\x83"}};
    for (const auto& [head, title] : titles) {
        const auto read = readScoreBytes(head + "\n" + kTab, "named.txt");
        EXPECT_EQ(scoreOf(read).title, title);
    }
}

TEST(TextTab, WordsAfterTheStaffAreNoNotes) {
    const std::string tab =
        "e|--0--|\nB|-----|  x2\nG|-----|\nD|-----| (play 4 times)\nA|-----|\nE|-----|x4\n";
    const auto read = readScoreBytes(tab, "words.txt");
    const score::Track& t = scoreOf(read).tracks.at(0);
    ASSERT_EQ(t.bars.size(), 1u);
    ASSERT_EQ(t.bars[0].size(), 1u);  // the note after the margin fills the bar
    EXPECT_EQ(t.bars[0][0].notes.size(), 1u);
    EXPECT_EQ(t.lost.count(Lost::Text), 1);
    // Staff after a space goes on: the second bar is read.
    const auto spaced = readScoreBytes(
        "e|--0--| |--0--|\nB|-----| |-----|\nG|-----| |-----|\nD|-----| |-----|\nA|-----| "
        "|-----|\nE|-----| |-----|\n",
        "spaced.txt");
    EXPECT_EQ(scoreOf(spaced).tracks.at(0).bars.size(), 3u);
    EXPECT_EQ(scoreOf(spaced).tracks.at(0).lost.count(Lost::Text), 0);
}

TEST(TextTab, TheDashesAfterABarLineAreNoTimeOfTheBar) {
    const std::vector<long> quarters{960, 960, 960, 960};
    EXPECT_EQ(barLengths(0, 4), quarters);
    EXPECT_EQ(barLengths(1, 4), quarters);
    EXPECT_EQ(barLengths(2, 3), quarters);
    // Three dashes before every bar's first note are a rest, not a margin: three of the bar's 15
    // columns, on the grid of sixteenths.
    EXPECT_EQ(barLengths(3, 3), (std::vector<long>{720, 720, 960, 720, 720}));
}

const std::string kGpif =
    test::readFile(std::string(LUTAVO_TEST_SOURCE_DIR) + "/data/formats/seven.gpif");

TEST(ZippedTab, TheScoreInsideTheArchiveIsReadThroughItsLists) {
    const auto read = readScoreBytes(test::zipArchive({{"Content/score.gpif", kGpif}}), "seven.gp");
    const score::Score& s = scoreOf(read);
    EXPECT_EQ(s.title + "|" + s.composer, "Seven|Band");
    EXPECT_EQ(s.tempo, 90);
    EXPECT_EQ(s.lost.count(Lost::TempoChange), 1);
    ASSERT_EQ(s.bars.size(), 1u);
    EXPECT_EQ(s.bars[0].beats * 10 + s.bars[0].beatType, 34);
    EXPECT_EQ(s.bars[0].fifths, -1);
    EXPECT_TRUE(s.bars[0].repeatStart);
    EXPECT_EQ(s.bars[0].repeatPlays, 3);
    const score::Track& t = s.tracks.at(0);
    EXPECT_EQ(t.tuning, (std::vector<int>{64, 59, 55, 50, 45, 38}));
    EXPECT_EQ(t.capo, 2);
    // A dotted triplet eighth: 480 x 3/2 x 2/3.
    EXPECT_EQ(lengths(t.bars.at(0)), (std::vector<long>{960, 480}));
    const auto& first = t.bars[0][0].notes;
    EXPECT_EQ(first.at(0).string * 100 + first.at(0).fret, 602);
    EXPECT_EQ(first.at(1).string * 100 + first.at(1).fret, 105);
    EXPECT_TRUE(t.bars[0][1].notes.at(0).tied && t.bars[0][1].notes.at(0).bend);
    EXPECT_EQ(t.lost.count(Lost::Slide), 1);
    EXPECT_EQ(t.lost.count(Lost::OtherVoice), 1);
}

TEST(BinaryTab, AFileOfSeveralTracksBecomesASongOfTheOneChosen) {
    test::GpSong s;
    test::GpTrack bass;
    bass.name = "Bass";
    bass.tuning = {43, 38, 33, 28};
    s.tracks.insert(s.tracks.begin(), bass);
    test::GpTrack drums;
    drums.channel = 10;
    s.tracks.push_back(drums);
    s.bars = {test::GpBar{}};
    s.bars[0].tracks = {{test::quarter(4, 0)}, {test::quarter(1, 3)}, {test::quarter(1, 1)}};
    const auto read = readScoreBytes(test::gpFile(s), "band.gp5");
    const score::Score& piece = scoreOf(read);
    const auto choices = trackChoices(piece);
    ASSERT_EQ(choices.size(), 2u);  // not the drums
    EXPECT_EQ(choices[0].label, "1. Bass (Nylon guitar), 4 strings: E A D G");
    EXPECT_EQ(choices[preferredChoice(choices)].track, 1);
    // A bass plays on the guitar an octave up.
    const ImportedSong song = fitToSong(piece, choices[0].track);
    EXPECT_EQ(song.parts.at(0).at(0).frets[0], 0);
    EXPECT_EQ(song.lost.count(Lost::OctaveMoved), 1);
}

}  // namespace
}  // namespace lutavo
