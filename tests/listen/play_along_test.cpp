// SPDX-License-Identifier: GPL-3.0-or-later
// Scoring as the play goes: a note is judged once every strike it could take is in, and each
// pass is reported whole.

#include "listen/play_along.h"

#include <gtest/gtest.h>

namespace lutavo {
namespace {

constexpr PitchClassSet kC = 1u << 0, kE = 1u << 4, kG = 1u << 7;

HeardOnset strikeAt(long ms, PitchClassSet classes) {
    HeardOnset strike;
    strike.ms = ms;
    for (std::size_t pc = 0; pc < 12; ++pc)
        strike.rise[pc] = (classes >> pc) & 1u ? 1.0f : 0.0f;
    return strike;
}

PlayCue cue(PlayCue::Kind kind, long ms, int note = 0) {
    return {kind, note, 1, ms};
}

PlayCue noteAt(long ms, int note) {
    return cue(PlayCue::Kind::Note, ms, note);
}

std::string verdicts(const ScoringState& s) {
    std::string out;
    for (const Judgement& j : s.judged)
        out += "HELWM"[static_cast<int>(j.verdict)];
    return out;
}

TEST(PlayAlong, ANoteIsJudgedOnceEveryStrikeItCouldTakeIsIn) {
    ScoringState s;
    beginScoring(s, 500, 100);
    followCue(s, noteAt(1000, 1), kC, 10);
    followCue(s, noteAt(1500, 2), kE, 30);
    followCue(s, noteAt(2000, 3), kG, 50);
    followCue(s, noteAt(2200, 4), 0, 60);  // strikes nothing: nothing to play
    addStrike(s, strikeAt(1060, kC));      // the window's last ms
    addStrike(s, strikeAt(1561, kE));      // one past it
    // A beat after the note, and the time the input takes to know a strike.
    EXPECT_TRUE(judgeDue(s, 1000 + 500 + kStrikeKnownAfterMs - 1).empty());
    EXPECT_EQ(verdicts(s), "");
    judgeDue(s, 1000 + 500 + kStrikeKnownAfterMs);
    EXPECT_EQ(verdicts(s), "H");
    EXPECT_EQ(s.marks[0].verdict, Verdict::Hit);
    judgeDue(s, 2300);
    EXPECT_EQ(verdicts(s), "HL");

    followCue(s, cue(PlayCue::Kind::End, 2400), 0, 0);
    EXPECT_TRUE(judgeDue(s, 2749).empty());
    EXPECT_TRUE(s.listening);
    const auto reports = judgeDue(s, 2750);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].playedThrough);
    EXPECT_EQ(reports[0].lengthMs, 1500);
    EXPECT_EQ(passLine(reports[0].score), "This pass: 1 of 3 notes hit (33.3%): 1 late, 1 missed");
    // Over: the marks stay for the page, nothing more is taken.
    EXPECT_FALSE(s.listening);
    ASSERT_EQ(s.marks.size(), 3u);
    EXPECT_EQ(s.marks[2].x, 50);
    EXPECT_EQ(s.marks[2].verdict, Verdict::Missed);
    addStrike(s, strikeAt(2800, kC));
    followCue(s, noteAt(2900, 5), kC, 70);
    EXPECT_EQ(s.heard.size() + s.expected.size(), 3u);
}

TEST(PlayAlong, EachPassOfALoopIsReportedOnceTheNextHasBegunAndAStopEndsTheLast) {
    ScoringState s;
    beginScoring(s, 500, 80);
    followCue(s, noteAt(1000, 1), kC, 10);
    addStrike(s, strikeAt(1000, kC));
    followCue(s, cue(PlayCue::Kind::PassBegins, 1400), 0, 0);
    followCue(s, noteAt(1600, 1), kC, 10);
    addStrike(s, strikeAt(1590, kE));  // the wrong note, in time

    const auto first = judgeDue(s, 1750);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].score.count(Verdict::Hit), 1);
    EXPECT_TRUE(first[0].playedThrough);
    // The first pass is let go, and the strikes no note left could take.
    EXPECT_EQ(s.expected.size(), 1u);
    EXPECT_EQ(s.passStarts, std::vector<int>{0});
    EXPECT_EQ(s.heard.size(), 1u);

    EXPECT_TRUE(judgeDue(s, 2350).empty());  // the pass under way has not ended
    EXPECT_EQ(verdicts(s), "W");
    followCue(s, noteAt(2000, 2), kG, 30);  // presented just before STOP, nothing heard yet
    const auto stopped = judgeAll(s);
    ASSERT_EQ(stopped.size(), 1u);
    EXPECT_FALSE(stopped[0].playedThrough);
    EXPECT_EQ(passLine(stopped[0].score), "This pass: 0 of 2 notes hit (0.0%): 1 wrong, 1 missed");
    EXPECT_FALSE(s.listening);
    EXPECT_TRUE(judgeAll(s).empty());
}

}  // namespace
}  // namespace lutavo
