// The tuning in force from the first start on: what the open low string sounds, what the tuning
// button and the TUNE page call the tuning, and which songs bring a tuning of their own.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/mode_bar.h"
#include "app/neck_entry.h"
#include "app/song_files.h"
#include "app/startup.h"
#include "app/tuner_panel.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "fakes/midi_messages.h"
#include "fakes/test_rig.h"
#include "playback/transport.h"

namespace lutavo {
namespace {

using test::join;

class TuningInForce : public ::testing::Test {
  public:
    void SetUp() override { ASSERT_TRUE(startup(g(), {test::dataFolder(), "", ""}, rig.lock)); }
    Guitar& g() { return rig.g(); }

    // The MIDI note a click on the open low string sounds (0 when it sounds none).
    int openLowString() {
        playbtn_Click(g(), kStop);
        rig.midi.sent.clear();
        fretboard_MouseDown(g(), kMouseLeft, 10, 80);
        fretboard_MouseUp(g());
        const auto ons = test::msg::noteOns(rig.midi.messages());
        return ons.empty() ? 0 : test::msg::noteOf(ons.back());
    }
    // Moves string slot `slot` to `offset` semitones on the tuner and keeps it.
    void tune(int slot, int offset) {
        StringName_Click(g(), slot - 1);
        if (g().ui.scrlAdjTuning.set(-offset)) scrlAdjTuning_Change(g());
        cmdtuneOK_Click(g());
    }
    std::string song(const std::string& name, const std::string& header) {
        return dir.write(
            name, "lutavo3\r\ntitle=Tuned\r\nright=Me\r\n" + header + "\r\n\r\n1600-1-1-1-1-1\r\n");
    }

    test::Rig rig;
    test::TempDir dir;
};

struct Step {
    const char* what;
    std::function<void(TuningInForce&)> act;
    int lowString;       // MIDI note of the open low string
    const char* button;  // the tuning button's caption
    const char* header;  // the labels above the page, left and right
};

TEST_F(TuningInForce, TheOpenLowStringTheTuningButtonAndTheTunePageFollowTheStrings) {
    const std::string userSong = song("plain.SNG", "key=1"),
                      droppedSong = song("dropped.SNG", "alt=-200000000-2");
    const std::vector<Step> steps = {
        {"first start", [](auto&) {}, 40, "STANDARD", "Press PLAY to hear it|Ode to Joy"},
        {"tuner drops the low string", [](auto& t) { t.tune(1, -2); }, 38, "DROPPED D",
         "Press PLAY to hear it|Ode to Joy"},
        {"a song without alt= keeps it", [&](auto& t) { loadsong(t.g(), userSong); }, 38,
         "DROPPED D", "|Me"},
        {"TUNE plays the strings as tuned", [](auto& t) { modeBarPress(t.g(), kModeBarTune); }, 38,
         "DROPPED D", "D A D G B E |Dropped D"},
        {"tuner on the TUNE page", [](auto& t) { t.tune(6, -2); }, 38, "DOUBLE DROP D",
         "D A D G B D |Double Drop D"},
        {"a tuning without a name", [](auto& t) { t.tune(2, 2); }, 38, "D B D G B D",
         "D B D G B D |Alternate"},
        {"the low string an octave above D is not dropped",
         [](auto& t) {
             t.g().song.altTuning = {};
             t.g().song.altTuning[1] = 10;
             ClearTuner(t.g());
         },
         50, "D A D G B E", "D A D G B E |Alternate"},
        {"Reset", [](auto& t) { btntune_Click(t.g()); }, 40, "STANDARD", "E A D G B E |Standard"},
        {"a song with alt=", [&](auto& t) { loadsong(t.g(), droppedSong); }, 38, "DOUBLE DROP D",
         "|Me"},
        {"the tuner off the TUNE page leaves the song's texts", [](auto& t) { t.tune(3, 1); }, 38,
         "D A D# G B D", "|Me"},
        {"a lesson's song states standard tuning",
         [](auto& t) { loadsong(t.g(), test::dataFolder() + "lessons/l1_em.SNG"); }, 40, "STANDARD",
         "Strummed then picked|Lesson 1"},
        {"so does the start-up song",
         [](auto& t) {
             t.tune(1, -2);
             closesong(t.g());
         },
         40, "STANDARD", "Press PLAY to hear it|Ode to Joy"},
    };
    for (const Step& step : steps) {
        step.act(*this);
        const std::string right = g().ui.lblright.caption;
        EXPECT_EQ(join(openLowString(), g().ui.btntune.caption,
                       g().ui.lblleft.caption + "|" + right.substr(0, right.find(" (L."))),
                  join(step.lowString, step.button, step.header))
            << step.what;
    }
}

}  // namespace
}  // namespace lutavo
