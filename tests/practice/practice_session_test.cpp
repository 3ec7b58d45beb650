// SPDX-License-Identifier: GPL-3.0-or-later
// Sessions follow the transport: a looped passage played is recorded pass by pass.

#include <sqlite3.h>

#include "app/keyboard.h"
#include "app/wait_mode.h"
#include "core/messages.h"
#include "fakes/temp_dir.h"
#include "playback/playback_fixture.h"
#include "playback/transport.h"
#include "practice/passage.h"
#include "practice/practice_session.h"
#include "practice/raw_database.h"

namespace lutavo::test {
namespace {

class Session : public PlaybackTest {
  protected:
    TempDir dir;
    EpochSeconds now = 1796000000;

    void SetUp() override {
        // Two lines: notes 1-3 (a pass of 32 ticks) and 5-6.
        buildSong(g, {single(16, 1, 0), single(8, 1, 2), single(8, 1, 3), pageEnd(),
                      single(16, 1, 5), single(16, 1, 7)});
        g.config.defaultLeadIn = 0;
        g.ui.pagepic.visible = false;
        g.song.songFile = dir.write("a.SNG", "the song's bytes");
        g.practice.recordPath = dir.path() + "data/practice.db";
        g.practice.clock = [this] { return now; };
    }
    void loopNotes(int first, int last) {
        g.transport.curNote = static_cast<i16>(first);
        markPassage(g, PassageEnd::Start, PassageAt::Note);
        g.transport.curNote = static_cast<i16>(last);
        markPassage(g, PassageEnd::End, PassageAt::Note);
        if (!g.transport.range.loop) toggleLoop(g);
    }
    // Each tick of the playback and each action is followed, one second apart.
    void act(const std::function<void()>& action) {
        action();
        ++now;
        const auto message = followPractice(
            g.practice, practiceMoment(isPlaying(g), g.song, g.transport, g.playback));
        if (!message.empty()) showMessage(g, message);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            act([this] { runTicks(rig, 1); });
    }
    std::string rows(const std::string& sql) const { return Raw(g.practice.recordPath).rows(sql); }
};

TEST_F(Session, EachPassPlayedThroughIsRecordedAtTheTempoItBeganWith) {
    loopNotes(1, 3);
    const EpochSeconds start = now;
    act([this] { playbtn_Click(g, kPlay); });
    ticks(40);  // into the second pass
    act([this] { setTempoPercent(g, 80); });
    ticks(64);  // into the fourth
    act([this] { playbtn_Click(g, kStop); });
    const EpochSeconds stop = now;
    ticks(40);  // stopped: nothing more
    EXPECT_EQ(g.playback.counters.passesBegun, 4);
    EXPECT_EQ(rows("SELECT pass, tempo_percent FROM passes"), "1 100,2 100,3 80");
    EXPECT_EQ(rows("SELECT first_note, last_note, passes, best_tempo, start_time, end_time"
                   " FROM sessions"),
              "1 3 3 100 " + std::to_string(start + 1) + " " + std::to_string(stop));
    EXPECT_EQ(rows("SELECT path FROM songs"), g.song.songFile);
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

// P, or REPEAT's menu, shows this song's practice up to today; a recent song chosen there opens.
TEST_F(Session, TheProgressKeyShowsTheSongsPracticeAndOpensARecentSong) {
    loopNotes(1, 3);
    act([this] { playbtn_Click(g, kPlay); });
    ticks(70);
    act([this] { playbtn_Click(g, kStop); });
    const std::string sample = test::dataFolder() + "songs/drunken_sailor.SNG";
    rig.dialogs.progressAnswers = {std::nullopt, sample};
    keyCommand(g, KeyCommand::Progress);
    const ProgressReport& shown = rig.dialogs.progressShown.at(0);
    EXPECT_EQ(test::join(shown.song, shown.minutesPerDay.back().second > 1, shown.passages.size()),
              test::join("a.SNG", true, 1));  // 70-odd seconds today
    rig.dialogs.menuAnswers.push_back(kRepeatMenuProgress);
    keyCommand(g, KeyCommand::Repeat);
    EXPECT_EQ(std::tuple(g.song.songFile, rig.dialogs.progressShown.size()),
              std::tuple(sample, 2u));
}

// Playing along a loop with scoring on: each pass's score goes into its pass; the one stopped
// halfway is told, not kept.
TEST_F(Session, ScoredPassesOfALoopAreRecordedWithTheirScores) {
    loopNotes(1, 3);
    keyCommand(g, KeyCommand::Scoring);
    EXPECT_TRUE(g.ui.mnuRepeat.items[kRepeatMenuScore].checked);
    act([this] { transportClick(g, kPlay); });
    EXPECT_TRUE(rig.input.listening && g.ltimer.enabled && g.playback.keepCues);
    const int& pass = g.playback.counters.passesBegun;
    int wrongNotes = 0;
    const auto playAlong = [&] {
        runTicks(rig, 1);
        // The player strikes each note as it is heard: right twice, then a semitone low.
        for (const PlayCue& c : g.playback.cues) {
            if (c.kind != PlayCue::Kind::Note) continue;
            const bool wrong = pass >= 3;
            wrongNotes += wrong;
            const int pc = (4 + g.song.noteFret(c.note, 1) + (wrong ? 11 : 0)) % 12;
            rig.input.strikes.push_back(strikeOf({pc}, c.heardMs));
        }
        listenTick(g);
    };
    while (wrongNotes < 3)
        act(playAlong);
    act([this] { transportClick(g, kStop); });
    EXPECT_EQ(rows("SELECT pass, score FROM passes"), "1 100.0,2 100.0");
    EXPECT_EQ(g.practice.scoring.lastPass, "This pass: 0 of 3 notes hit (0.0%): 3 wrong");
    EXPECT_NE(rig.dialogs.said().find(g.practice.scoring.lastPass), std::string::npos);
    EXPECT_FALSE(rig.input.listening || g.ltimer.enabled || g.playback.keepCues);
}

TEST_F(Session, WithoutARecordPracticeGoesOnAndIsToldOnce) {
    g.practice.recordPath = dir.write("data", "a file in the folder's place") + "/practice.db";
    loopNotes(1, 3);
    for (int session = 0; session < 2; ++session) {
        act([this] { playbtn_Click(g, kPlay); });
        ticks(70);
        act([this] { playbtn_Click(g, kStop); });
    }
    EXPECT_EQ(g.playback.counters.passesBegun, 6);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_NE(rig.dialogs.messages[0].text.find("not recorded"), std::string::npos);
    keyCommand(g, KeyCommand::Progress);  // nothing to show
    EXPECT_TRUE(rig.dialogs.progressShown.empty());
    EXPECT_NE(rig.dialogs.said().find("no progress to show"), std::string::npos);
}

}  // namespace
}  // namespace lutavo::test
