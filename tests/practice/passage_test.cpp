// SPDX-License-Identifier: GPL-3.0-or-later
// Marking a passage to practise, and a live loop of it.

#include "practice/passage.h"
#include "playback/performer.h"
#include "playback/playback_fixture.h"
#include "playback/transport.h"

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

TEST_F(Passage, EndsAreSetAtTheNoteOrTheLineTheOtherGivesWayAndCancelForgetsThem) {
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

}  // namespace
}  // namespace lutavo::test
