// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/take_scoring.h"

#include <gtest/gtest.h>

#include "fakes/test_rig.h"

namespace lutavo {
namespace {

TEST(NoteRange, FromTheFirstNoteToTheLastAndNothingElse) {
    const auto range = parseNoteRange("9-16");
    EXPECT_EQ(test::join(range->first, range->last), "9|16|");
    EXPECT_TRUE(parseNoteRange("1-1000") && parseNoteRange("7-7"));
    for (const char* bad : {"0-5", "5-4", "1-1001", "3-", "-3", "a-b", "3-5x", "3:5", ""})
        EXPECT_FALSE(parseNoteRange(bad)) << bad;
}

TEST(ScoreReport, ALineOfResultsForEachLineOfTheSongThenTheTotal) {
    ExpectedPlay play;
    play.notes = {{1, 0, 1}, {2, 500, 1}, {4, 1000, 1}, {5, 1500, 1}};
    play.lines = {1, 1, 2, 2};
    const std::vector<Judgement> judged = {{play.notes[0], Verdict::Hit},
                                           {play.notes[1], Verdict::Hit},
                                           {play.notes[2], Verdict::Late},
                                           {play.notes[3], Verdict::Missed}};
    const std::vector<std::string> expected = {"Line 1: 2 of 2 hit",
                                               "Line 2: 0 of 2 hit (1 late, 1 missed)",
                                               "Total: 2 of 4 notes hit (50.0%)"};
    EXPECT_EQ(scoreReport(play, judged), expected);
}

}  // namespace
}  // namespace lutavo
