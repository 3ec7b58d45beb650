// Marking a passage to practise and looping it: the ranges the keys leave, the marks on the page,
// and a live loop that plays what its performance says.

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
    std::tuple<int, int, bool> range() const {
        return {g.transport.range.first, g.transport.range.last, g.transport.range.loop};
    }
};

TEST_F(Passage, EndsAreSetAtTheNoteOrTheLineTheOtherGivesWayAndCancelForgetsThem) {
    using P = PassageEnd;
    const std::tuple<int, int, P, PassageAt, std::tuple<int, int, bool>> steps[] = {
        {2, 1, P::Start, PassageAt::Note, {2, 0, false}},
        {4, 1, P::End, PassageAt::Note, {2, 5, false}},  // a page end: the note after it
        {1, 1, P::End, PassageAt::Note, {1, 1, false}},  // before the start: both ends
        {8, 3, P::End, PassageAt::Line, {1, 9, false}},
        {1, 2, P::Start, PassageAt::Line, {5, 9, false}}};
    for (const auto& [note, page, end, where, expected] : steps) {
        mark(note, page, end, where);
        // Stopped just before the passage, where PLAY begins it.
        EXPECT_EQ(std::tuple(range(), g.transport.curNote, g.ntimer.enabled),
                  std::tuple(expected, std::get<0>(expected) - 1, false));
    }
    toggleLoop(g);
    EXPECT_EQ(std::tuple(range(), g.ui.playtxt[kRepeat].color),
              std::tuple(std::tuple(5, 9, true), kColorActive));
    mnuRepeatCancel_Click(g);
    EXPECT_EQ(std::tuple(range(), g.ui.mnuRepeat.items[kRepeatMenuCancel].checked),
              std::tuple(std::tuple(1, 0, false), true));
    toggleLoop(g);  // no passage: the current line
    EXPECT_EQ(range(), std::tuple(5, 6, true));
}

// A passage from the middle of a line over the next, marked with brackets: the live loop sounds
// its performance's three passes and turns back to its first line.
TEST_F(Passage, ALiveLoopPlaysItsPerformance) {
    g.song.metroOn = 1;
    mark(3, 1, PassageEnd::Start);
    mark(6, 2, PassageEnd::End);
    toggleLoop(g);
    EXPECT_EQ(g.display.pictab.pixel(g.song.noteX[3] - 16, 20), 0x1A8F3Au);  // its start
    PlaybackSettings settings = liveSettings(g);
    settings.passes = 3;
    const Performance p = performance(g.song, settings);
    EXPECT_EQ(p.endTick, 3 * 48);  // 40 ticks, and a rest of 8 back to note 3's place in its beat
    Times expected;
    for (const PerformanceEvent& e : p.events)
        if (!msg::noteOns({e.message}).empty()) expected.push_back(e.timeMs);
    playbtn_Click(g, kPlay);
    runTicks(rig, static_cast<int>(p.endTick));
    Times heard = noteOnTimes();
    const long t0 = heard.at(0);
    for (long& t : heard)
        t -= t0;
    EXPECT_EQ(heard, expected);
    runTicks(rig, 1);  // the fourth pass
    EXPECT_EQ(std::tuple(g.ntimer.enabled, g.ui.pgScroll.value, g.transport.curNote),
              std::tuple(true, 1, 4));
}

}  // namespace
}  // namespace lutavo::test
