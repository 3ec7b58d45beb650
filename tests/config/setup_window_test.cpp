// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/setup_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "config/config_file.h"
#include "core/control_ids.h"
#include "fakes/test_rig.h"
#include "playback/transport.h"

namespace lutavo {
namespace {

// The setup window opened from SETUP over the start-up values, sound 2 in use, with its own
// configuration file saved.
struct SetupRig {
    explicit SetupRig(std::vector<std::string> ports = {"Port A", "Port B", "Port C"}) {
        rig.midi.ports = std::move(ports);
        rig.defaults();
        g().app.configFile = dir.path() + "ltmidi32.cfg";
        g().config.preferredSound = 2;
        writeconfig(g());
        g().gtimer = {true, kWindowTimerInterval};
        outbtn_Click(g(), kSetupButton);
    }
    Guitar& g() { return rig.g(); }
    // The sound's entry as the file has it: channel, patch, volume, octave, device; lead-in.
    std::string sound(int p = 2) {
        const ConfigState& c = g().config;
        return test::join(c.soundChannel[p], c.soundPatch[p], c.soundVolume[p], c.soundOctave[p],
                          c.soundDevice[p], c.defaultLeadIn);
    }
    void edit() {
        setupScroll_Change(g().setup, g().config, SetupScroll::Channel, 5);
        setupScroll_Change(g().setup, g().config, SetupScroll::Patch, 40);
        setupScroll_Change(g().setup, g().config, SetupScroll::Volume, 7);
        setupScroll_Change(g().setup, g().config, SetupScroll::Octave, 2);
        setupScroll_Change(g().setup, g().config, SetupScroll::LeadIn, 4);
        MidiDevices_Click(g().setup, g().config, 3);
    }
    test::Rig rig;
    test::TempDir dir;
};

TEST(SetupWindow, SetupOpensForTheSoundInUseAndEveryControlWritesItsValue) {
    SetupRig r;
    const SetupWindow& w = r.g().setup;
    ASSERT_TRUE(w.loaded);
    EXPECT_EQ(
        test::join(w.lblSound.caption, w.btnConfig[2].pressed, w.btnConfig[0].pressed,
                   w.MidiIntTxt.caption, r.g().ui.outtxt[kSetupLabel].color, r.g().gtimer.interval),
        test::join("Electric", 1, 0, "Midi Mapper", kColorActive, kSetupTimerInterval));
    const std::string before = r.sound();
    r.edit();
    EXPECT_EQ(r.sound(), test::join(5, 40, 7, 2, 3, 4)) << before;
    EXPECT_EQ(
        test::join(w.midichint.caption, w.midipint.caption, w.midivint.caption, w.midioint.caption,
                   w.lbldefdelay.caption, w.MidiIntTxt.caption, w.MidiDevices.visible),
        test::join(5, 40, 7, 2, 4, "Port C", 0));
    // Another sound is used and shown at once, on the main window too.
    btnConfig_Click(r.g(), 0);
    EXPECT_EQ(test::join(r.g().config.preferredSound, w.lblSound.caption, w.chint.value,
                         w.btnConfig[2].pressed, r.g().ui.outbtn[kSoundButtonFirst].visible,
                         r.g().ui.outbtn[kSoundButtonFirst + 2].visible),
              test::join(0, "Nylon", r.g().config.soundChannel[0], 0, 1, 0));
    // Cancel goes back to the file's sound, on the sound menu too.
    setupClose_Click(r.g(), SetupClose::Cancel);
    windowTimerTick(r.g());
    EXPECT_EQ(test::join(r.g().config.preferredSound, r.g().ui.mnuSound.items[0].checked,
                         r.g().ui.mnuSound.items[2].checked),
              test::join(2, 0, 1));
}

TEST(SetupWindow, EachWayOfClosingLeavesItsRequestForTheWindowTimer) {
    struct Case {
        const char* name;
        std::function<void(Guitar&)> close;
        int request;
        bool reopened;
        bool saved;
        bool editsKept;
    };
    const Case cases[] = {
        {"OK", [](Guitar& g) { setupClose_Click(g, SetupClose::Ok); }, kSoundSetupOk, true, false,
         true},
        {"Save", [](Guitar& g) { setupClose_Click(g, SetupClose::Save); }, kSoundSave, false, true,
         true},
        {"Cancel", [](Guitar& g) { setupClose_Click(g, SetupClose::Cancel); }, kSoundSetupCancel,
         true, false, false},
        {"own close", closeSetupWindow, kSoundReopen, false, false, true},
    };
    for (const Case& c : cases) {
        SetupRig r;
        const std::string fileBefore = test::readFile(r.g().app.configFile);
        const std::string before = r.sound();
        r.edit();
        setupCheck_Click(r.g().setup, r.g().config, SetupCheck::LeftHanded, true);
        const std::string edited = r.sound();
        const std::size_t opens = r.rig.midi.opened.size();
        c.close(r.g());
        EXPECT_EQ(test::join(r.g().setup.loaded, r.g().app.pendingSoundAction,
                             r.g().ui.outtxt[kSetupLabel].color),
                  test::join(0, c.request, kColorAvailable))
            << c.name;
        windowTimerTick(r.g());
        const bool reopened = r.rig.midi.opened.size() > opens;
        EXPECT_EQ(test::join(reopened, reopened ? r.rig.midi.opened.back() : -9,
                             r.g().app.pendingSoundAction, r.g().gtimer.interval),
                  test::join(c.reopened,
                             !c.reopened   ? -9
                             : c.editsKept ? 2
                                           : -1,
                             0, kWindowTimerInterval))
            << c.name;
        EXPECT_EQ(test::readFile(r.g().app.configFile) != fileBefore, c.saved) << c.name;
        EXPECT_EQ(r.sound(), c.editsKept ? edited : before) << c.name;
        // The check boxes count only through OK and Save.
        EXPECT_EQ(r.g().config.leftHanded, c.request == kSoundSetupOk || c.saved ? 1 : 0) << c.name;
    }
}

TEST(SetupWindow, SaveJustBeforeQuittingIsWritten) {
    SetupRig r;
    setupScroll_Change(r.g().setup, r.g().config, SetupScroll::Patch, 40);
    setupClose_Click(r.g(), SetupClose::Save);
    shutdown(r.g());
    EXPECT_NE(test::readFile(r.g().app.configFile).find("patch=40\r\n"), std::string::npos);
}

TEST(SetupWindow, DeviceListHoldsTheMapperAndEachPortAndIsSizedForThem) {
    // Ports, the synthesizer live, the list's height, its last line, the message.
    const std::tuple<std::vector<std::string>, bool, int, const char*, const char*> cases[] = {
        {{"One", "Two", "A port whose name is far longer than thirty-two"},
         true,
         830,
         "A port whose name is far longer ",
         ""},
        {{}, true, 245, "Midi Mapper", ""},
        {{}, false, 245, "Midi Mapper", "No MIDI drivers found"},
        // A long list is cut to the window.
        {std::vector<std::string>(20, "Port"), true, 2640, "Port", ""},
    };
    for (const auto& [ports, synthLive, height, lastLine, message] : cases) {
        test::Rig rig;
        rig.midi.ports = ports;
        rig.midi.synthLive = synthLive;
        rig.defaults();
        loadSetupWindow(rig.g());
        closeSetupWindow(rig.g());
        loadSetupWindow(rig.g());  // opened again, in the same place
        const ListBox& list = rig.g().setup.MidiDevices;
        EXPECT_EQ(test::join(list.items.size(), list.at.height, list.at.top + list.at.height,
                             list.visible, list.items[0], list.itemTips[0], list.items.back(),
                             rig.dialogs.said()),
                  test::join(ports.size() + 1, height, 180 * 15, 0, "Midi Mapper", kBuiltInSynthTip,
                             lastLine, message + std::string(message)));
    }
}

TEST(SetupWindow, DeviceButtonShowsTheSoundsLineAndTheBackgroundHidesTheList) {
    SetupRig r;
    r.g().config.soundDevice[2] = 2;
    const ListBox& list = r.g().setup.MidiDevices;
    devbut_Click(r.g().setup, r.g().config);
    EXPECT_EQ(test::join(list.visible, list.selected), test::join(1, 2));
    setupBackground_Click(r.g().setup);
    EXPECT_FALSE(list.visible);
    MidiDevices_Click(r.g().setup, r.g().config, 0);
    EXPECT_EQ(test::join(r.g().config.soundDevice[2], r.g().setup.MidiIntTxt.caption),
              test::join(0, "Midi Mapper"));
}

// What the strings sound is the sound's own concern.
TEST(SetupWindow, TestButtonAsksForTheOpenStringsWhileHeld) {
    SetupRig r;
    TestInt_MouseDown(r.g().setup, r.g().app);
    EXPECT_EQ(r.g().app.pendingSoundAction, kSoundTestDown);
    windowTimerTick(r.g());
    TestInt_MouseUp(r.g().setup, r.g().app);
    EXPECT_EQ(r.g().app.pendingSoundAction, kSoundTestUp);
    windowTimerTick(r.g());
    EXPECT_EQ(r.g().gtimer.interval, kSetupTimerInterval);  // the window is still open
}

}  // namespace
}  // namespace lutavo
