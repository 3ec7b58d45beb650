// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/wait_mode.h"

#include <gtest/gtest.h>

#include "app/keyboard.h"
#include "app/song_files.h"
#include "core/control_ids.h"
#include "fakes/midi_messages.h"
#include "fakes/test_rig.h"
#include "playback/transport.h"

namespace lutavo {
namespace {

constexpr int kC = 0, kCs = 1, kD = 2, kE = 4, kF = 5, kG = 7;

using test::strikeOf;

class WaitMode : public test::Started {
  protected:
    // The player strikes, and the listening timer comes round.
    int play(std::initializer_list<int> classes) {
        rig.input.strikes.push_back(strikeOf(classes));
        listenTick(g());
        return g().transport.curNote;
    }
    std::string state() {
        return test::join(g().practice.wait.on, g().practice.wait.waiting, rig.input.listening,
                          g().ltimer.enabled, g().ntimer.enabled, g().transport.curNote);
    }
};

// The start-up song opens with C3 and E4 together, then E4, F4, G4, then D3 and G4.
TEST_F(WaitMode, PlayWaitsSilentlyAtEachNoteUntilItsPitchesAreHeard) {
    keyCommand(g(), KeyCommand::WaitMode);
    EXPECT_TRUE(g().ui.mnuRepeat.items[kRepeatMenuWait].checked);
    EXPECT_NE(rig.dialogs.said().find("waits until you play it"), std::string::npos);
    rig.midi.sent.clear();
    transportClick(g(), kPlay);
    EXPECT_EQ(state(), "1|1|1|1|0|1|");
    EXPECT_TRUE(test::msg::noteOns(rig.midi.messages()).empty());  // the player is to find it

    EXPECT_EQ(play({kCs, kF}), 1);  // a semitone off: still waiting
    EXPECT_EQ(play({kE}), 1);       // half the chord
    EXPECT_EQ(play({kC, kE}), 2);
    EXPECT_EQ(play({kE}), 3);
    EXPECT_EQ(play({kF}), 4);
    EXPECT_EQ(play({kG}), 5);  // four notes played, four steps
    listenTick(g());           // nothing heard: nothing moves
    EXPECT_EQ(state(), "1|1|1|1|0|5|");
    // A quick player two notes ahead: both count in one tick, the wrong one between them not.
    rig.input.strikes = {strikeOf({kD, kG}), strikeOf({kCs}), strikeOf({kF})};
    listenTick(g());
    EXPECT_EQ(g().transport.curNote, 7);
    EXPECT_TRUE(test::msg::noteOns(rig.midi.messages()).empty());

    // Space pauses the waiting and lets the input go; PLAY takes it up at the same note.
    keyCommand(g(), KeyCommand::PlayPause);
    EXPECT_EQ(state(), "1|0|0|0|0|7|");
    rig.input.strikes.push_back(strikeOf({kE}));  // heard before the note was shown again
    keyCommand(g(), KeyCommand::PlayPause);
    EXPECT_EQ(state(), "1|1|1|1|0|7|");
    listenTick(g());
    EXPECT_EQ(g().transport.curNote, 7);

    // Off again: the next PLAY plays.
    keyCommand(g(), KeyCommand::WaitMode);
    transportClick(g(), kPlay);
    EXPECT_EQ(state(), "0|0|0|0|1|7|");
}

TEST_F(WaitMode, TheLastNoteEndsItAndAnotherSongOrNoInputStopsIt) {
    keyCommand(g(), KeyCommand::WaitMode);
    // A passage of the song's first two notes.
    g().transport.range.first = 1;
    g().transport.range.last = 2;
    transportClick(g(), kPlay);
    play({kC, kE});
    EXPECT_EQ(play({kE}), 2);
    EXPECT_EQ(state(), "1|0|0|0|0|2|");
    EXPECT_NE(rig.dialogs.said().find("Well played: every note of the passage (2 notes, 0 wrong"),
              std::string::npos);

    transportClick(g(), kPlay);
    loadsong(g(), g().app.appFolder + "newsong.snx");
    EXPECT_EQ(state(), "1|0|0|0|0|0|");

    closesong(g());
    rig.input.present = false;
    transportClick(g(), kPlay);
    EXPECT_EQ(state(), "1|0|0|0|0|0|");  // nothing starts
    EXPECT_NE(rig.dialogs.said().find("connect a microphone"), std::string::npos);
    // The REPEAT menu's item turns it off (and on) as W does.
    rig.dialogs.menuAnswers = {kRepeatMenuWait};
    keyCommand(g(), KeyCommand::Repeat);
    EXPECT_FALSE(g().practice.wait.on || g().ui.mnuRepeat.items[kRepeatMenuWait].checked);
}

}  // namespace
}  // namespace lutavo
