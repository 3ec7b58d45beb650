// SPDX-License-Identifier: GPL-3.0-or-later
// The song settings panel: opening a scale, choosing and applying a slot, the rules while a
// song plays, the capo and its shift of every fret, and sounding the capo strings.

#include <array>
#include <functional>

#include "display/fretboard.h"
#include "playback/settings_adjuster.h"
#include "playback_fixture.h"

namespace lutavo::test {
namespace {

class Adjuster : public PlaybackTest {
  protected:
    void SetUp() override {
        setupSettingsPanel(g.ui);
        g.gtimer.enabled = true;
        // Open string, fret 5, held open string, silent, bend, muted; then a page end and a
        // fret-2 note held over it.
        buildSong(g, {{16, {0, 5, 24, -1, -3, -4}},
                      {16, {3, -1, -1, -1, -1, 7}},
                      pageEnd(),
                      {16, {-1, 2, -1, -1, -1, -1}},
                      {16, {-1, 26, -1, -1, -1, -1}}});
    }

    // Chooses slot `slot` of the scale shown and releases the mouse there.
    void choose(int slot) {
        const double width =
            (3080.0 - 3080.0 / (2.0 * g.playback.slotCount)) / g.playback.slotCount;
        PicSwapper_MouseDown(g, static_cast<int>(slot * width));
        PicSwapper_MouseUp(g);
    }
    std::array<int, 6> frets(int n) {
        std::array<int, 6> out{};
        for (int s = 1; s <= 6; ++s)
            out[static_cast<std::size_t>(s - 1)] = g.song.noteFret(n, s);
        return out;
    }
};

TEST(SlotGeometry, PointerPositionsAndSlotUnderTheMouse) {
    // The pointer's tip lies on its slot's label, the middle of the stretch that chooses it.
    for (const int slots : {6, 8, 9, 10, 15, 29}) {
        for (int k = 1; k <= slots; ++k) {
            const int tip = slotLeft(slots, k) + kSlotPointerWidth / 2 - kScaleLeft;
            EXPECT_NEAR(tip, k * (3080.0 - 3080.0 / (2.0 * slots)) / slots, 1) << slots << k;
            EXPECT_EQ(slotAt(slots, tip), k) << slots << " " << k;
        }
    }
    // Slot width on the 9-slot scale is (3080 - 3080 / 18) / 9 = 323.2; halves go to the even
    // slot: on 10 slots (width 292.6) x = 2.5 widths is 731.5.
    for (auto [slots, x, slot] : {std::array{9, -500, 1},
                                  {9, 484, 1},
                                  {9, 485, 2},
                                  {9, 99999, 9},
                                  {10, 731, 2},
                                  {10, 732, 3}})
        EXPECT_EQ(slotAt(slots, x), slot) << slots << " " << x;
}

TEST_F(Adjuster, OpeningAScaleShowsTheCurrentValue) {
    struct Case {
        int button;
        const char* picture;
        int slots;
        int slot;
    };
    g.song.timeSig = 3;
    g.song.songKey = 6;
    g.song.capo = 2;
    g.config.soundVolume[0] = 7;
    g.song.tempo = 8;
    g.config.defaultLeadIn = 4;
    const std::array<Case, 6> cases = {{{0, "timesig.bmp", 6, 4},
                                        {1, "key.bmp", 15, 6},
                                        {2, "editcapo.bmp", 8, 3},
                                        {3, "vol10.bmp", 10, 7},
                                        {4, "tempo.bmp", 29, 23},
                                        {5, "ldefaul4.bmp", 9, 5}}};
    EXPECT_FALSE(g.ui.btnSwapper[kSettingNoteLength].visible);  // the editor's scale only
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        btnSwapper_Click(g, c.button);
        EXPECT_EQ(std::tuple(g.playback.swapperMode, g.ui.PicSwapper.file, g.playback.slotCount,
                             g.playback.swapperPos, g.ui.lpointer.at.left),
                  std::tuple(c.button, c.picture, c.slots, c.slot, slotLeft(c.slots, c.slot)));
        EXPECT_EQ(g.ui.lblswapper[c.button].color, kColorActive);
    }
}

TEST_F(Adjuster, ApplyingEverySetting) {
    struct Case {
        int button, slot, expected;
        std::function<int()> value;
    };
    const auto timeSig = [&] { return int{g.song.timeSig}; };
    const auto tempo = [&] { return int{g.song.tempo}; };
    const auto leadIn = [&] { return int{g.config.defaultLeadIn}; };
    for (const Case& c : {Case{kSettingTimeSig, 6, 5, timeSig},
                          {kSettingTimeSig, 1, 0, timeSig},
                          {kSettingKey, 4, 4, [&] { return int{g.song.songKey}; }},
                          {kSettingVolume, 5, 5, [&] { return int{g.config.soundVolume[0]}; }},
                          {kSettingTempo, 1, 30, tempo},
                          {kSettingTempo, 29, 2, tempo},
                          {kSettingLeadIn, 9, 0, leadIn},
                          {kSettingLeadIn, 1, 8, leadIn}}) {
        btnSwapper_Click(g, c.button);
        choose(c.slot);
        EXPECT_EQ(c.value(), c.expected) << c.button << " " << c.slot;
    }
    // What follows the values: the note names the key, velocity the volume, the timer the
    // tempo, the pointer the lead-in.
    EXPECT_EQ(std::tuple(g.keys.noteName[6], g.playback.sound.velocity, g.ntimer.interval,
                         g.ui.lpointer.at.left),
              std::tuple("Bb", 60, 24, slotLeft(9, 1)));
}

TEST_F(Adjuster, WhilePlayingOnlyVolumeTempoAndLeadInChange) {
    btnSwapper_Click(g, kSettingCapo);
    g.ntimer.enabled = true;
    g.gtimer.enabled = false;
    PicSwapper_MouseDown(g, 2000);
    PicSwapper_MouseUp(g);
    EXPECT_EQ(std::tuple(g.song.capo, frets(1)[1]), std::tuple(0, 5));
    btnSwapper_Click(g, kSettingTimeSig);
    EXPECT_EQ(g.playback.swapperMode, kSettingCapo);  // the scale stays

    btnSwapper_Click(g, kSettingTempo);
    choose(20);
    EXPECT_EQ(g.song.tempo, 11);
    EXPECT_EQ(g.ntimer.interval, 42);
}

TEST_F(Adjuster, CapoShiftsStruckAndHeldFretsOnly) {
    btnSwapper_Click(g, kSettingCapo);
    choose(3);
    EXPECT_EQ(g.song.capo, 2);
    EXPECT_EQ(frets(1), (std::array<int, 6>{2, 7, 26, -1, -3, -4}));
    EXPECT_EQ(frets(2), (std::array<int, 6>{5, -1, -1, -1, -1, 9}));
    EXPECT_EQ(frets(3), (std::array<int, 6>{-1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(frets(5), (std::array<int, 6>{-1, 28, -1, -1, -1, -1}));
    EXPECT_TRUE(g.ui.piccapo.visible);

    choose(1);
    EXPECT_EQ(frets(1), (std::array<int, 6>{0, 5, 24, -1, -3, -4}));
    EXPECT_FALSE(g.ui.piccapo.visible);
}

TEST_F(Adjuster, CapoThatWouldPushNotesOffTheNeckIsRefused) {
    g.song.noteFret(2, 6) = 22;
    btnSwapper_Click(g, kSettingCapo);
    choose(3);
    EXPECT_EQ(
        std::tuple(g.song.capo, frets(2)[5], g.playback.swapperPos, rig.dialogs.messages.size()),
        std::tuple(0, 22, 1, 1u));
}

TEST_F(Adjuster, NoteLengthScaleInTheEditor) {
    g.app.appMode = kModeEditor;
    btnSwapper_Click(g, kSettingNoteLength);
    // The length scale, on its slot for a quarter before the first note.
    EXPECT_EQ(std::tuple(g.playback.swapperMode, g.playback.slotCount, g.ui.PicSwapper.file,
                         g.playback.swapperPos),
              std::tuple(kSettingLeadIn, 10, "edit3.bmp", 6));

    g.transport.curNote = 2;
    g.song.noteDur[2] = 48;
    btnSwapper_Click(g, kSettingNoteLength);
    EXPECT_EQ(g.playback.swapperPos, 9);
    choose(8);
    EXPECT_EQ(g.song.noteDur[2], 32);
}

TEST_F(Adjuster, CapoPictureSoundsTheStringUnderTheMouse) {
    btnSwapper_Click(g, kSettingCapo);
    choose(3);
    g.transport.curNote = 4;
    g.gtimer.enabled = false;
    piccapo_MouseDown(g, 220);  // second row: string slot 5
    EXPECT_EQ(std::tuple(g.gtimer.enabled, g.transport.curNote, g.song.noteFret(0, 5)),
              std::tuple(true, 0, 2));
    const auto ons = msg::noteOns(rig.midi.messages());
    ASSERT_EQ(ons.size(), 1u);
    EXPECT_EQ(msg::noteOf(ons[0]), g.tuning.pitchOf(5, 2) + 36 + 4);

    piccapo_MouseUp(g);
    EXPECT_EQ(g.transport.curNote, 4);
}

TEST_F(Adjuster, CapoPictureInTheEditorTogglesTheString) {
    g.song.capo = 2;
    g.app.appMode = kModeEditor;
    btnSwapper_Click(g, kSettingNoteLength);
    choose(7);  // 24 ticks
    g.transport.curNote = 2;
    piccapo_MouseDown(g, 0);
    EXPECT_EQ(g.song.noteFret(2, 6), 2);
    EXPECT_EQ(g.song.noteDur[2], 24);
    piccapo_MouseUp(g);
    piccapo_MouseDown(g, 10);
    EXPECT_EQ(g.song.noteFret(2, 6), -1);
}

}  // namespace
}  // namespace lutavo::test
