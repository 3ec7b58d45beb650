// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the device for the sound in use, the setup window's requests and the sound menu.

#include "core/data_files.h"
#include "core/messages.h"
#include "playback/transport.h"
#include "playback_fixture.h"

namespace lutavo::test {
namespace {

class Sound : public PlaybackTest {
  protected:
    void request(SoundRequest code) {
        g.app.pendingSoundAction = code;
        g.ui.outtxt[kSoundLabel].color = kColorActive;
        rig.midi.sent.clear();
        applysound(g);
    }
};

TEST_F(Sound, DeviceSettingZeroOpensTheBuiltInSynthesizerAndOthersCountFromOne) {
    EXPECT_EQ(rig.midi.opened.back(), -1);
    g.config.soundDevice[0] = 2;
    request(kSoundReopen);
    EXPECT_EQ(rig.midi.opened.back(), 1);
}

TEST_F(Sound, ReopenClosesFirstThenSendsTheSoundsProgramAndTheFixedProgramChange) {
    g.config.soundChannel[0] = 5;
    g.config.soundVolume[0] = 6;
    const int closes = rig.midi.closes;
    request(kSoundSetupOk);
    EXPECT_EQ(rig.midi.closes, closes + 1);
    EXPECT_EQ(rig.midi.messages(),
              (std::vector<std::uint32_t>{msg::program(4, kTestPatch), 0x73C2u}));
    EXPECT_EQ(std::tuple(g.playback.sound.channel, g.playback.sound.velocity), std::tuple(4, 72));
}

TEST_F(Sound, EveryRequestSetsTheNeckForTheHandAndEndsClearedWithTheSoundLabelNormal) {
    g.config.leftHanded = 1;
    for (SoundRequest code : {kSoundReopen, kSoundSetupOk, kSoundTestDown, kSoundTestUp}) {
        request(code);
        EXPECT_EQ(std::tuple(g.app.pendingSoundAction, g.ui.outtxt[kSoundLabel].color,
                             g.ui.fretboard.file),
                  std::tuple(kSoundReopen, kColorAvailable, g.app.dataFolder + files::kNeckLeft))
            << code;
        g.ui.fretboard.file.clear();
    }
}

TEST_F(Sound, TestButtonSoundsTheSixOpenStringsAndReleaseStopsThem) {
    buildSong(g, {single(16, 1, 3)});
    g.ntimer.enabled = true;
    request(kSoundTestDown);
    EXPECT_FALSE(g.ntimer.enabled);
    Msgs ons, offs;
    for (int pitch : {40, 45, 50, 55, 59, 64}) {
        ons.push_back(msg::noteOn(0, pitch, 120));
        offs.push_back(msg::noteOff(0, pitch));
    }
    EXPECT_EQ(msg::noteOns(rig.midi.messages()), ons);

    const auto opens = rig.midi.opened.size();
    request(kSoundTestUp);
    EXPECT_EQ(rig.midi.opened.size(), opens);  // no reopen
    const auto sent = rig.midi.messages();
    ASSERT_EQ(sent.size(), 7u);
    EXPECT_EQ(Msgs(sent.begin() + 1, sent.end()), offs);
}

TEST_F(Sound, CancelReadsTheConfigurationAgainBeforeReopening) {
    TempDir dir;
    g.app.configFile =
        dir.write("ltmidi32.cfg", "lutavo\r\nprefmidi=1\r\n[sound1]\r\nchannel=3\r\nvolume=5\r\n");
    request(kSoundSetupCancel);
    EXPECT_EQ(std::tuple(g.config.preferredSound, g.playback.sound.channel, g.ui.voltxt.caption,
                         rig.midi.messages().back()),
              std::tuple(1, 2, "5", 0x73C2u));
}

TEST_F(Sound, MenuChoiceChecksItsItemShowsItsButtonAndReopensWithItsPatch) {
    mnuSoundtype_Click(g, 2);
    EXPECT_EQ(g.config.preferredSound, 2);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(g.ui.mnuSound.items[static_cast<std::size_t>(i)].checked, i == 2);
    }
    EXPECT_TRUE(g.ui.outbtn[kSoundButtonFirst + 2].visible);
    EXPECT_EQ(rig.midi.messages().front(), msg::program(0, kTestPatch + 2));
}

TEST_F(Sound, SongStyleSelectsTheSoundWithoutTouchingTheMenuChecks) {
    mnuSoundtype_Click(g, 0);
    selectSound(g, 3);
    EXPECT_EQ(std::tuple(g.config.preferredSound, g.ui.outbtn[kSoundButtonLast].visible,
                         g.ui.mnuSound.items[0].checked, g.ui.mnuSound.items[3].checked),
              std::tuple(3, true, true, false));
    selectSound(g, 7);  // a file value that names no sound changes nothing
    EXPECT_EQ(g.config.preferredSound, 3);
}

TEST_F(Sound, SoundButtonPopsTheMenuAndLightsItsLabelWhileHeld) {
    rig.dialogs.menuAnswers.push_back(1);
    outbtn_MouseDown(g.ui, kSoundButtonFirst);
    EXPECT_EQ(g.ui.outtxt[kSoundLabel].color, kColorActive);
    outbtn_MouseUp(g.ui, kSoundButtonFirst);
    EXPECT_EQ(g.ui.outtxt[kSoundLabel].color, kColorAvailable);
    outbtn_Click(g, kSoundButtonFirst);
    EXPECT_EQ(std::tuple(rig.dialogs.menus.size(), g.config.preferredSound), std::tuple(1u, 1));
}

}  // namespace
}  // namespace lutavo::test
