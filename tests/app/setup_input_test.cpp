// SPDX-License-Identifier: GPL-3.0-or-later
// The setup window's sound input: listened to while the window is open, its level shown, its
// latency measured with a note the program plays.

#include "app/setup_input.h"

#include <gtest/gtest.h>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_input.h"
#include "fakes/fake_midi.h"

namespace lutavo::test {
namespace {

class SetupInput : public ::testing::Test {
  protected:
    void SetUp() override {
        w.loaded = true;
        midi.open(-1);
        sound.channel = 2;
    }
    void follow(long nowMs, bool othersListen = false) {
        followSetupInput(w, c, &input, &midi, nowMs, othersListen);
    }
    void strikeAt(long ms) { input.strikes.push_back(strikeOf({}, ms)); }
    SetupWindow w;
    ConfigState c;
    FakeAudioInput input;
    FakeMidiOut midi;
    FakeDialogs dialogs;
    SoundSettings sound;
};

TEST_F(SetupInput, TheLatencyIsHowLateTheInputHearsTheNotePlayed) {
    follow(900);
    EXPECT_TRUE(input.listening);
    EXPECT_EQ(w.inputbut.caption, kDefaultInputName);
    input.level = 0.5f;
    follow(950);
    EXPECT_EQ(w.inputMeter.percent, 50);

    measureInputLatency(w, &input, &midi, sound, 1000);
    ASSERT_EQ(midi.messages().size(), 1u);
    EXPECT_EQ(midi.messages()[0], packMidi(0x92, 57, 127));
    strikeAt(1000 - 201);  // heard before the note could be: something else
    strikeAt(1023);
    follow(1100);
    EXPECT_EQ(c.inputLatencyMs, 23);
    EXPECT_EQ(w.lbllatency.caption, "23 ms");
    EXPECT_EQ(midi.messages().back(), packMidi(0x82, 57, 0));
    EXPECT_EQ(w.clickHeardMs, 0);

    // Nothing heard: given up a moment and a half after the note, the last value kept.
    measureInputLatency(w, &input, &midi, sound, 2000);
    strikeAt(2000 - 200 - 1);
    follow(2000 + kLatencyWaitMs - 1);
    EXPECT_EQ(w.lbllatency.caption, "...");
    follow(2000 + kLatencyWaitMs);
    EXPECT_EQ(w.lbllatency.caption, "none");
    EXPECT_EQ(c.inputLatencyMs, 23);
    EXPECT_EQ(midi.messages().back(), packMidi(0x82, 57, 0));  // each note ends

    // Closed while the tuner listens: the input stays; closed alone, it goes.
    w.loaded = false;
    follow(3000, true);
    EXPECT_TRUE(input.listening);
    EXPECT_TRUE(w.inputbut.caption.empty());
    w.loaded = true;
    follow(3100);
    w.loaded = false;
    follow(3200);
    EXPECT_FALSE(input.listening);
}

TEST_F(SetupInput, AnotherInputIsHeardFromThenOnAndItsLatencyIsMeasuredAfresh) {
    c.inputLatencyMs = 40;
    follow(0);
    dialogs.menuAnswers = {1};
    chooseSetupInput(w, c, &input, &dialogs);
    EXPECT_EQ(c.inputDevice, "usb-mic");
    EXPECT_EQ(input.chosen, "usb-mic");
    EXPECT_EQ(w.inputbut.caption, "USB microphone");
    EXPECT_EQ(c.inputLatencyMs, 0);
    dialogs.menuAnswers = {-1};  // the menu closed without a choice
    chooseSetupInput(w, c, &input, &dialogs);
    EXPECT_EQ(c.inputDevice, "usb-mic");
}

}  // namespace
}  // namespace lutavo::test
