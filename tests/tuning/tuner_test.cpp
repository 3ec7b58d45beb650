// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "app/mode_bar.h"
#include "app/neck_entry.h"
#include "app/song_files.h"
#include "app/song_tables.h"
#include "app/startup.h"
#include "app/tuner_panel.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "fakes/midi_messages.h"
#include "fakes/test_rig.h"
#include "playback/transport.h"
#include "theory/keys.h"
#include "tuning/heard_tuning.h"
#include "tuning/pitch_table.h"

namespace lutavo {
namespace {

using test::join;

// Start-up values with the given string offsets (lowest string first) and the tuner set up.
struct TunerRig {
    explicit TunerRig(std::array<int, 6> offsets = {}) {
        rig.defaults();
        for (int s = 1; s <= 6; ++s)
            g().song.altTuning[s] = static_cast<i16>(offsets[static_cast<std::size_t>(s - 1)]);
        buildpitchtable(g());
    }
    Guitar& g() { return rig.g(); }
    std::string names() {
        std::string out;
        for (int i = 0; i < 6; ++i)
            out += g().ui.StringName[i].caption + " ";
        return out;
    }
    // The user drags the bar: the view sets the value and raises the change when it moved.
    void drag(int value) {
        if (g().ui.scrlAdjTuning.set(value)) scrlAdjTuning_Change(g());
    }
    // The offsets, then the pressed string buttons and whether the panel is open.
    std::string state() {
        std::string out;
        for (int s = 1; s <= 6; ++s)
            out += std::to_string(g().song.altTuning[s]) + " ";
        for (int i = 0; i < 6; ++i)
            out += g().ui.StringName[i].pressed ? "P" : "-";
        return out + (tunerAdjustmentOpen(g().ui) ? " open" : " closed");
    }
    test::Rig rig;
};

struct PitchCase {
    std::array<int, 6> offsets;
    int capo;
    std::string names;
    std::vector<std::array<int, 3>> pitches;  // string, fret, pitch
    int key = 1;                              // the names are spelled in the song's key
};

TEST(PitchTable, OffsetsMoveWholeStringsAndNameThemInTheKey) {
    const std::vector<PitchCase> cases = {
        {{}, 0, "E A D G B E ", {{1, 0, 0}, {2, 0, 5}, {4, 4, 19}, {5, 0, 19}, {6, 24, 48}}},
        {{-2, 0, 1, 0, 0, -2}, 0, "D A D# G B D ", {{1, 24, 22}, {3, 2, 13}, {6, 0, 22}}},
        // A capo leaves the table alone: frets above it are stored with it added.
        {{}, 2, "E A D G B E ", {{2, 0, 5}, {2, 3, 8}}},
        // Offsets from song files beyond an octave still name the string.
        {{-13, 0, 0, 0, 0, 99}, 0, "D# A D G B G ", {{1, 0, -13}, {6, 24, 147}}},
        {{-1, -1, -1, -1, -1, -1}, 0, "D# G# C# F# A# D# ", {}, 3},  // G major: sharps
        {{-1, -1, -1, -1, -1, -1}, 0, "Eb Ab Db Gb Bb Eb ", {}, 6},  // Eb major: flats
    };
    for (const PitchCase& c : cases) {
        SCOPED_TRACE(c.names);
        TunerRig t(c.offsets);
        t.g().song.capo = static_cast<i16>(c.capo);
        t.g().song.songKey = static_cast<i16>(c.key);
        setkey(t.g().keys, t.g().song);
        buildpitchtable(t.g());
        EXPECT_EQ(t.names(), c.names);
        for (const auto& [string, fret, pitch] : c.pitches)
            EXPECT_EQ(t.g().tuning.pitchOf(string, fret), pitch) << string << " " << fret;
    }
}

TEST(Tuner, StringButtonOpensPanelBesideThatString) {
    TunerRig t({0, 0, 2, 0, 0, 0});
    auto& g = t.g();
    StringName_Click(g, 2);
    EXPECT_EQ(t.state(), "0 0 2 0 0 0 --P--- open");
    // The panel's top, the string adjusted, its offset at the click and the bar's value.
    EXPECT_EQ(join(g.ui.pnlAdjTuning.at.top, g.tuning.tuneString, g.tuning.savedTuning,
                   g.ui.scrlAdjTuning.value),
              join(1840 - 215 * 2, 3, 2, -2));

    StringName_Click(g, 5);  // another string: only its button stays pressed
    EXPECT_EQ(t.state(), "0 0 2 0 0 0 -----P open");

    TunerRig outside;  // buttons outside the row do nothing
    StringName_Click(outside.g(), 6);
    StringName_Click(outside.g(), -1);
    EXPECT_EQ(outside.state(), "0 0 0 0 0 0 ------ closed");
}

TEST(Tuner, OkConfirmsAndCancelRestoresTheOffsetAtTheClick) {
    TunerRig t({0, 0, 0, -1, 0, 0});
    auto& g = t.g();
    StringName_Click(g, 1);
    t.drag(-6);
    cmdtuneOK_Click(g);
    StringName_Click(g, 4);
    t.drag(6);
    cmdtuneOK_Click(g);
    EXPECT_EQ(t.state(), "0 6 0 -1 -6 0 ------ closed");
    EXPECT_EQ(t.names(), "E D# D F# F E ");

    StringName_Click(g, 3);  // several changes, then cancel
    t.drag(3);
    t.drag(-4);
    t.drag(2);
    EXPECT_EQ(g.song.altTuning[4], -2);
    cmdtunecancel_Click(g);
    EXPECT_EQ(t.state(), "0 6 0 -1 -6 0 ------ closed");
    EXPECT_EQ(t.names(), "E D# D F# F E ");
}

TEST(Tuner, OffsetBeyondTheBarSurvivesOpeningAndCancelAndResetGivesStandardTuning) {
    TunerRig t({-2, 9, 0, 0, 0, -2});  // 9: only a song file goes beyond the bar
    StringName_Click(t.g(), 1);
    EXPECT_EQ(t.g().ui.scrlAdjTuning.value, -6);  // shown at the top end, not changed by that
    EXPECT_EQ(t.g().song.altTuning[2], 9);
    t.drag(-5);
    EXPECT_EQ(t.g().song.altTuning[2], 5);
    cmdtunecancel_Click(t.g());
    EXPECT_EQ(t.state(), "-2 9 0 0 0 -2 ------ closed");

    StringName_Click(t.g(), 2);
    t.drag(-3);
    btntune_Click(t.g());  // during an adjustment
    EXPECT_EQ(t.state(), "0 0 0 0 0 0 ------ closed");
    EXPECT_EQ(t.names(), "E A D G B E ");
}

// After each step from a first start: the open low string's note, the tuning button, the header.
TEST(TuningInForce, TheOpenLowStringTheButtonAndTheTunePageFollowTheStrings) {
    test::Rig rig;
    Guitar& g = rig.g();
    ASSERT_TRUE(startup(g, {test::dataFolder(), "", ""}, rig.lock));
    const auto tune = [&g](int slot, int offset) {
        StringName_Click(g, slot - 1);
        if (g.ui.scrlAdjTuning.set(-offset)) scrlAdjTuning_Change(g);
        cmdtuneOK_Click(g);
    };
    const std::string intro = "|Press PLAY to hear it|Ode to Joy (L. van Beethoven)|";
    const std::pair<std::function<void()>, std::string> steps[] = {
        {[] {}, "40|STANDARD" + intro},  // a first start
        {[&] { tune(1, -2); }, "38|DROPPED D" + intro},
        {[&] { loadsong(g, g.app.appFolder + "newsong.snx"); }, "38|DROPPED D|||"},  // no alt=
        {[&] { modeBarPress(g, kModeBarTune); }, "38|DROPPED D|D A D G B E |Dropped D|"},
        {[&] { tune(6, -2); }, "38|DOUBLE DROP D|D A D G B D |Double Drop D|"},
        {[&] { tune(2, 2); }, "38|D B D G B D|D B D G B D |Alternate|"},
        {[&] { btntune_Click(g); }, "40|STANDARD|E A D G B E |Standard|"},
        {[&] { loadsong(g, g.app.appFolder + "newsong.snx"), tune(3, 1); }, "40|E A D# G B E|||"},
        {[&] { loadsong(g, test::dataFolder() + "lessons/l1_em.SNG"); },
         "40|STANDARD|Strummed then picked|Lesson 1|"},
        {[&] { tune(1, -2), closesong(g); }, "40|STANDARD" + intro},
    };
    for (const auto& [act, expected] : steps) {
        act();
        playbtn_Click(g, kStop);
        rig.midi.sent.clear();
        fretboard_MouseDown(g, kMouseLeft, 10, 80);
        fretboard_MouseUp(g);
        const auto ons = test::msg::noteOns(rig.midi.messages());
        EXPECT_EQ(join(ons.empty() ? 0 : test::msg::noteOf(ons.back()), g.ui.btntune.caption,
                       g.ui.lblleft.caption, g.ui.lblright.caption),
                  expected);
    }
}

// The tune page as the user opens it, the input hearing hz.
struct Listening : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(startup(g(), {test::dataFolder(), "", ""}, rig.lock)); }
    Guitar& g() { return rig.g(); }
    void hear(double hz, float level = 0.4f) {
        rig.input.pitch = hz;
        rig.input.level = level;
        ASSERT_TRUE(g().ltimer.enabled);
        followHearing(g().tuning.heard, rig.input, g().tuning.pitchOf);
    }
    std::string needle() {
        const HeardTuning& h = g().tuning.heard;
        return join(h.caption, h.stringName, h.steady ? "steady" : "-", std::lround(h.cents));
    }
    test::Rig rig;
};

TEST_F(Listening, TheTunePageListensTheNeedleNamesNoteStringAndCentsAndOtherSongsLetGo) {
    EXPECT_FALSE(rig.input.listening);  // the start-up song does not listen
    modeBarPress(g(), kModeBarTune);
    EXPECT_EQ(g().ltimer.interval, kHearingIntervalMs);
    EXPECT_EQ(needle(), "Play a string||-|0|");
    hear(110 * std::pow(2.0, -12 / 1200.0));
    EXPECT_EQ(needle(), "A2  -12 cents|5th string (A)|steady|-12|");
    EXPECT_FLOAT_EQ(g().tuning.heard.level, 0.4f);
    hear(0, 0.01f);  // the string let go: the needle keeps its place, no longer steady
    EXPECT_EQ(needle(), "A2  -12 cents|5th string (A)|-|-12|");
    // Six semitones above the top string is the last pitch still named after it.
    hear(440 * std::pow(2.0, 1 / 12.0));
    EXPECT_EQ(needle(), "A#4  in tune|1st string (E)|steady|0|");
    hear(440 * std::pow(2.0, 1.0001 / 12.0));
    EXPECT_EQ(needle(), "A#4  in tune||steady|0|");
    // In dropped D the low string is D: a D2 is that string, in tune.
    btntune_Click(g()), StringName_Click(g(), 0), g().ui.scrlAdjTuning.set(2);
    scrlAdjTuning_Change(g());
    hear(73.42);
    EXPECT_EQ(needle(), "D2  in tune|6th string (D)|steady|0|");

    loadsong(g(), g().app.appFolder + "newsong.snx");
    EXPECT_EQ(join(rig.input.listening, g().ltimer.enabled, needle()), "0|0|||-|0||");
    modeBarPress(g(), kModeBarTune);
    shutdown(g());
    EXPECT_FALSE(rig.input.listening);
    rig.input.present = false;
    modeBarPress(g(), kModeBarTune);
    EXPECT_EQ(join(g().ltimer.enabled, g().tuning.heard.caption),
              "0|No sound input to listen to: connect a microphone|");
}

}  // namespace
}  // namespace lutavo
