// SPDX-License-Identifier: GPL-3.0-or-later
// Marking a passage to practise, and a live loop of it.

#include "practice/passage.h"
#include "playback/performer.h"
#include "playback/playback_fixture.h"
#include "playback/tempo.h"
#include "playback/transport.h"
#include "practice/speed_trainer.h"

namespace lutavo::test {
namespace {

class Passage : public PlaybackTest {
  protected:
    // Three lines: notes 1-3, 5-6 and 8-9.
    void SetUp() override {
        buildSong(g,
                  {single(16, 1, 0), single(8, 1, 2), single(8, 1, 3), pageEnd(), single(16, 1, 5),
                   single(16, 1, 7), pageEnd(), single(16, 2, 0), single(16, 2, 2)});
        g.config.defaultLeadIn = 0;
        g.ui.pagepic.visible = false;  // drawn pages
    }
    void mark(int note, int page, PassageEnd end, PassageAt where = PassageAt::Note) {
        g.transport.curNote = static_cast<i16>(note);
        showPage(page);
        markPassage(g, end, where);
    }
};

TEST_F(Passage, EndsAreSetAtTheNoteOrTheLineOrByADragAndCancelForgetsThem) {
    using P = PassageEnd;
    const std::tuple<int, int, P, PassageAt, int, int> steps[] = {
        {4, 1, P::End, PassageAt::Note, 1, 5},  // a page end: the note after it
        {2, 1, P::End, PassageAt::Note, 1, 2},
        {3, 1, P::Start, PassageAt::Note, 3, 3},  // past the end: both ends
        {8, 3, P::End, PassageAt::Line, 3, 9},
        {1, 2, P::Start, PassageAt::Line, 5, 9}};
    const PlayRange& r = g.transport.range;
    for (const auto& [note, page, end, where, first, last] : steps) {
        mark(note, page, end, where);
        // The position waits just before the passage, where PLAY begins it.
        EXPECT_EQ(std::tuple(r.first, r.last, r.loop, g.transport.curNote),
                  std::tuple(first, last, false, first - 1));
    }
    toggleLoop(g);
    EXPECT_EQ(std::tuple(r.loop, g.ui.playtxt[kRepeat].color), std::tuple(true, kColorActive));
    mnuRepeatCancel_Click(g);
    toggleLoop(g);  // no passage now: the current line
    EXPECT_EQ(std::tuple(r.first, r.last, r.loop), std::tuple(5, 6, true));

    // A drag across the page marks the notes from the one pressed to the one let go, in either
    // order (columns 80 pixels apart from x = 80); a press let go on its own note, or a drag in
    // the editor, only locates.
    const auto drag = [this, &r](int fromX, int toX) {
        locatenote(g, fromX);
        score_MouseUp(g, toX);
        return std::tuple(r.first, r.last, g.transport.curNote);
    };
    showPage(1);
    EXPECT_EQ(drag(240, 100), std::tuple(1, 3, 0));  // waits before the passage
    EXPECT_EQ(drag(160, 170), std::tuple(1, 3, 2));
    EXPECT_EQ(drag(160, 5000), std::tuple(2, 3, 1));  // never onto the page's end
    g.app.appMode = kModeEditor;
    EXPECT_EQ(drag(80, 240), std::tuple(2, 3, 1));
}

// Passes of 40 ticks and a rest of 8 back to note 3's place in its beat, as performed.
TEST_F(Passage, ALiveLoopPlaysItsPerformance) {
    g.song.metroOn = 1;
    mark(3, 1, PassageEnd::Start);
    mark(6, 2, PassageEnd::End);
    toggleLoop(g);
    EXPECT_EQ(g.display.pictab.pixel(g.song.noteX[3] - 16, 20), 0x1A8F3Au);  // its bracket
    PlaybackSettings settings = liveSettings(g);
    settings.passes = 3;
    const Performance p = performance(g.song, settings);
    Times expected;
    for (const PerformanceEvent& e : p.events)
        if (!msg::noteOns({e.message}).empty()) expected.push_back(e.timeMs + 36);
    playbtn_Click(g, kPlay);
    runTicks(rig, static_cast<int>(p.endTick) + 1);
    expected.push_back(3 * 48 * 36 + 36);  // the fourth pass, back on page 1
    EXPECT_EQ(std::tuple(noteOnTimes(), p.endTick, g.ui.pgScroll.value),
              std::tuple(expected, 3L * 48, 1));
}

// Passes, with the speed each plays at: 0 once the plan is over.
TEST(SpeedPlan, EachPassTakesItsStepAndThePlanEndsOrLoopsAtTheGoal) {
    const std::tuple<SpeedPlan, std::vector<int>, Ints> plans[] = {
        {{60, 100, 5, 2}, {1, 2, 3, 17, 18, 19}, {60, 60, 65, 100, 100, 0}},
        {{60, 100, 5, 2, false, true}, {19, 500}, {100, 100}},
        {{60, 100, 7, 1}, {6, 7, 8}, {95, 100, 0}},  // the last step lands on the goal
        {{100, 80, 10, 1}, {1, 2, 3, 4}, {100, 90, 80, 0}},
        {{70, 70, 5, 3}, {3, 4}, {70, 0}}};
    for (const auto& [plan, passes, percents] : plans) {
        Ints got;
        for (int pass : passes)
            got.push_back(passPercent(plan, pass));
        EXPECT_EQ(got, percents) << plan.startPercent << " " << plan.stepPercent;
    }
    const SpeedPlan low = withinLimits({24, 201, 0, 0});
    const SpeedPlan high = withinLimits({25, 200, 101, 100});
    EXPECT_EQ(std::tuple(low.startPercent, low.goalPercent, low.stepPercent, low.passesPerStep,
                         high.startPercent, high.goalPercent, high.stepPercent, high.passesPerStep),
              std::tuple(25, 200, 1, 1, 25, 200, 100, 99));
}

// Line 2 (two notes of 16 ticks) from 50% to 60% a step a pass: three passes, each at its speed,
// then the play ends and the speed from before comes back.
TEST_F(Passage, TheTrainerPlaysEachPassAtItsSpeedAndStopsAfterTheGoal) {
    g.playback.trainerPlan = {50, 60, 5, 1};
    g.playback.tempoPercent = 90;
    showPage(2);
    g.transport.curNote = 5;
    toggleTrainer(g);
    EXPECT_EQ(std::tuple(g.ui.lbltrainer.visible, g.ui.lbltrainer.caption),
              std::tuple(true, "50%"));
    runTicks(rig, 1000);
    const Times on = noteOnTimes();
    ASSERT_EQ(on.size(), 6u);
    for (int pass = 0; pass < 3; ++pass) {
        const double tickMs = tickIntervalMicros(g.song.tempo, 50 + 5 * pass) / 1000.0;
        EXPECT_NEAR(on[2 * pass + 1] - on[2 * pass], 16 * tickMs, 1.0) << pass;
    }
    EXPECT_EQ(std::tuple(isPlaying(g), g.playback.trainerOn, g.playback.tempoPercent,
                         g.ui.lbltrainer.visible),
              std::tuple(false, false, 90, false));
    rig.dialogs.numberAnswers = {std::nullopt, std::vector<int>{40, 20, 0, 100, 1, 1}};
    for (int form = 0; form < 2; ++form)  // cancelled, then each number within its limits
        editTrainerPlan(&rig.dialogs, g.playback.trainerPlan);
    const SpeedPlan& p = g.playback.trainerPlan;
    EXPECT_EQ(std::tuple(p.startPercent, p.goalPercent, p.stepPercent, p.passesPerStep,
                         p.loopAtGoal, rig.dialogs.numberForms.at(1).at(0).value),
              std::tuple(40, 25, 1, 99, true, 50));
    EXPECT_TRUE(p.countIn);
    g.playback.trainerPlan = {50, 60, 5, 1};
    toggleTrainer(g);  // again from the start; T while it runs stops it
    runTicks(rig, 20);
    toggleTrainer(g);
    EXPECT_EQ(std::tuple(isPlaying(g), g.playback.trainerOn, g.playback.tempoPercent,
                         noteOnTimes().size()),
              std::tuple(false, false, 90, 8u));
}

// A count-in of four beats (no lead-in, no metronome) clicks between the passes and delays the
// next pass by as much; the pass after the goal's is counted in before the run ends.
TEST_F(Passage, TheTrainersCountInClicksFourBeatsBeforeEachPass) {
    g.playback.trainerPlan = {50, 55, 5, 1, true};
    showPage(2);
    g.transport.curNote = 5;
    toggleTrainer(g);
    runTicks(rig, 1000);
    const Times on = noteOnTimes();
    ASSERT_EQ(on.size(), 4u);
    const double tickMs = tickIntervalMicros(g.song.tempo, 50) / 1000.0;
    EXPECT_NEAR(on[2] - on[1], (16 + 4 * g.song.metroTicks) * tickMs, 1.0);
    EXPECT_EQ(rig.wave.played.size(), 8u);
}

}  // namespace
}  // namespace lutavo::test
