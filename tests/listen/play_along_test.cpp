// SPDX-License-Identifier: GPL-3.0-or-later
// Scoring as the play goes: a note is judged once every strike it could take is in, and each
// pass is reported whole.

#include "listen/play_along.h"

#include <gtest/gtest.h>

#include <tuple>

#include "fakes/fake_input.h"

namespace lutavo {
namespace {

constexpr int kC = 0, kE = 4, kG = 7;
constexpr PitchClassSet kCs = 1u << kC, kEs = 1u << kE, kGs = 1u << kG;

using test::strikeOf;

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
    followCue(s, noteAt(1000, 1), kCs, 10);
    followCue(s, noteAt(1500, 2), kEs, 30);
    followCue(s, noteAt(2000, 3), kGs, 50);
    followCue(s, noteAt(2200, 4), 0, 60);  // strikes nothing: nothing to play
    addStrike(s, strikeOf({kC}, 1060));    // the window's last ms
    addStrike(s, strikeOf({kE}, 1561));    // one past it
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
    // Over: the marks stay for the page.
    EXPECT_FALSE(s.listening);
    ASSERT_EQ(s.marks.size(), 3u);
    EXPECT_EQ(std::tuple(s.marks[2].x, s.marks[2].verdict), std::tuple(50, Verdict::Missed));
}

TEST(PlayAlong, EachPassOfALoopIsReportedOnceTheNextHasBegunAndAStopEndsTheLast) {
    ScoringState s;
    beginScoring(s, 500, 80);
    followCue(s, noteAt(1000, 1), kCs, 10);
    addStrike(s, strikeOf({kC}, 1000));
    followCue(s, cue(PlayCue::Kind::PassBegins, 1400), 0, 0);
    followCue(s, noteAt(1600, 1), kCs, 10);
    addStrike(s, strikeOf({kE}, 1590));  // the wrong note, in time

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
    followCue(s, noteAt(2000, 2), kGs, 30);  // presented just before STOP, nothing heard yet
    const auto stopped = judgeAll(s);
    ASSERT_EQ(stopped.size(), 1u);
    EXPECT_FALSE(stopped[0].playedThrough);
    EXPECT_EQ(passLine(stopped[0].score), "This pass: 0 of 2 notes hit (0.0%): 1 wrong, 1 missed");
    EXPECT_FALSE(s.listening);
    EXPECT_TRUE(judgeAll(s).empty());
}

}  // namespace
}  // namespace lutavo
