// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/take_scoring.h"

#include <gtest/gtest.h>

#include "fakes/test_rig.h"

namespace lutavo {
namespace {

TEST(NoteRange, FromTheFirstNoteToTheLastAndNothingElse) {
    const auto range = parseNoteRange("9-16");
    ASSERT_TRUE(range);
    EXPECT_EQ(range->first, 9);
    EXPECT_EQ(range->last, 16);
    EXPECT_TRUE(parseNoteRange("1-1000"));
    EXPECT_TRUE(parseNoteRange("7-7"));
    for (const char* bad : {"0-5", "5-4", "1-1001", "3-", "-3", "a-b", "3-5x", "3:5", ""})
        EXPECT_FALSE(parseNoteRange(bad)) << bad;
}

TEST(ScoreReport, ALineOfResultsForEachLineOfTheSongThenTheTotal) {
    ExpectedPlay play;
    play.notes = {{1, 0, 1, 1, 40}, {2, 500, 1, 1, 40}, {4, 1000, 1, 1, 40}, {5, 1500, 1, 1, 40}};
    play.lines = {1, 1, 2, 2};
    std::vector<Judgement> judged;
    for (std::size_t i = 0; i < play.notes.size(); ++i)
        judged.push_back({play.notes[i],
                          i == 2   ? Verdict::Late
                          : i == 3 ? Verdict::Missed
                                   : Verdict::Hit,
                          0});
    const std::vector<std::string> expected = {"Line 1: 2 of 2 hit",
                                               "Line 2: 0 of 2 hit (1 late, 1 missed)",
                                               "Total: 2 of 4 notes hit (50.0%)"};
    EXPECT_EQ(scoreReport(play, judged), expected);
}

TEST(ExpectedPlay, ARangeOutsideTheSongIsRefusedAndOneInsideExpectsOnlyItsNotes) {
    const std::string song = test::dataFolder() + "songs/greensleeves.SNG";
    ExportRequest request{song, "", test::dataFolder(), "", ""};
    const auto whole = expectedPlayOf(request, PlayRange{});
    ASSERT_TRUE(whole);
    ASSERT_GT(whole->notes.size(), 8u);
    PlayRange range;
    range.first = static_cast<i16>(whole->notes[2].note);
    range.last = static_cast<i16>(whole->notes[5].note);
    const auto part = expectedPlayOf(request, range);
    ASSERT_TRUE(part);
    ASSERT_EQ(part->notes.size(), 4u);
    EXPECT_EQ(part->notes.front().note, range.first);
    EXPECT_EQ(part->notes.front().ms, 0);  // the take starts with the range's first note
    EXPECT_EQ(part->notes.back().note, range.last);
    EXPECT_EQ(part->beatMs, whole->beatMs);
    range.first = 999;
    range.last = 1000;
    EXPECT_FALSE(expectedPlayOf(request, range));
}

}  // namespace
}  // namespace lutavo
