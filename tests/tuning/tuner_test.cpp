#include <gtest/gtest.h>

#include <string>

#include "app/song_tables.h"
#include "app/tuner_panel.h"
#include "core/guitar.h"
#include "fakes/test_rig.h"
#include "theory/keys.h"
#include "tuning/pitch_table.h"

namespace lutavo {
namespace {

// Start-up values with standard tuning and the tuner set up.
struct TunerRig {
    TunerRig() {
        rig.defaults();
        for (int s = 1; s <= 6; ++s)
            g().song.altTuning[s] = 0;
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
    int pressedCount() {
        int n = 0;
        for (int i = 0; i < 6; ++i)
            n += g().ui.StringName[i].pressed ? 1 : 0;
        return n;
    }
    test::Rig rig;
};

TEST(PitchTable, StandardTuningSpansTheNeck) {
    TunerRig t;
    auto& p = t.g().tuning.pitchOf;
    EXPECT_EQ(p(1, 0), 0);
    EXPECT_EQ(p(2, 0), 5);
    EXPECT_EQ(p(3, 0), 10);
    EXPECT_EQ(p(4, 0), 15);
    EXPECT_EQ(p(5, 0), 19);
    EXPECT_EQ(p(6, 0), 24);
    EXPECT_EQ(p(6, 24), 48);
    EXPECT_EQ(p(1, 5), p(2, 0));
    EXPECT_EQ(p(4, 4), p(5, 0));  // the major third between G and B
    EXPECT_EQ(t.names(), "E A D G B E ");
}

TEST(PitchTable, AlteredTuningsMoveWholeStrings) {
    TunerRig t;
    auto& g = t.g();
    g.song.altTuning[1] = -2;  // dropped D
    g.song.altTuning[6] = -2;
    g.song.altTuning[3] = 1;
    buildpitchtable(g);
    EXPECT_EQ(g.tuning.pitchOf(1, 0), -2);
    EXPECT_EQ(g.tuning.pitchOf(1, 24), 22);
    EXPECT_EQ(g.tuning.pitchOf(3, 2), 13);
    EXPECT_EQ(g.tuning.pitchOf(6, 0), 22);
    EXPECT_EQ(g.tuning.pitchOf(2, 7), 12);  // untouched string
    EXPECT_EQ(t.names(), "D A D# G B D ");
}

TEST(PitchTable, CapoLeavesTableAloneBecauseFretsIncludeIt) {
    TunerRig t;
    auto& g = t.g();
    const i16 openWithout = g.tuning.pitchOf(2, 0);
    const i16 thirdFret = g.tuning.pitchOf(2, 3);
    g.song.capo = 2;
    buildpitchtable(g);
    EXPECT_EQ(g.tuning.pitchOf(2, 0), openWithout);
    // Fret 1 above a capo on 2 is stored as 3 and sounds as fret 3 always did.
    EXPECT_EQ(g.tuning.pitchOf(2, 1 + g.song.capo), thirdFret);
    EXPECT_EQ(t.names(), "E A D G B E ");
}

TEST(PitchTable, OffsetsFromSongFilesBeyondAnOctaveStillNameTheString) {
    TunerRig t;
    auto& g = t.g();
    g.song.altTuning[1] = -13;
    g.song.altTuning[6] = 99;
    buildpitchtable(g);
    EXPECT_EQ(g.tuning.pitchOf(1, 0), -13);
    EXPECT_EQ(g.ui.StringName[0].caption, "D#");
    EXPECT_EQ(g.tuning.pitchOf(6, 24), 147);
    EXPECT_EQ(g.ui.StringName[5].caption, "G");  // 123 mod 12 = 3
}

TEST(PitchTable, RefillsTempoIntervalsAndRestoresPointer) {
    TunerRig t;
    auto& g = t.g();
    g.song.tempoInterval[1] = 0;
    g.song.tempoInterval[30] = 0;
    g.ui.form.mousePointer = MousePointer::Hourglass;
    buildpitchtable(g);
    EXPECT_EQ(g.song.tempoInterval[1], 22);
    EXPECT_EQ(g.song.tempoInterval[30], 80);
    EXPECT_EQ(g.ui.form.mousePointer, MousePointer::Normal);
}

TEST(PitchTable, StringNamesFollowTheKeySpelling) {
    TunerRig t;
    auto& g = t.g();
    for (int s = 1; s <= 6; ++s)
        g.song.altTuning[s] = -1;  // half a step down
    g.song.songKey = 3;            // G major: sharps
    setkey(g);
    buildpitchtable(g);
    EXPECT_EQ(t.names(), "D# G# C# F# A# D# ");
    g.song.songKey = 6;  // Eb major: flats
    setkey(g);
    buildpitchtable(g);
    EXPECT_EQ(t.names(), "Eb Ab Db Gb Bb Eb ");
}

TEST(Tuner, FreshWindowHasCaptionsTipsRangeAndPanelOutOfView) {
    test::Rig rig;  // not even the start-up values: the controls carry these themselves
    auto& g = rig.g();
    auto& ui = g.ui;
    EXPECT_EQ(ui.StringName[0].tip, "Adjust tuning of 6th string");
    EXPECT_EQ(ui.StringName[3].tip, "Adjust tuning of 3rd string");
    EXPECT_EQ(ui.StringName[5].tip, "Adjust tuning of 1st string");
    EXPECT_EQ(ui.pnlAdjTuning.tip, "Adjust tuning up or down");
    EXPECT_EQ(ui.cmdtuneOK.caption, "OK");
    EXPECT_EQ(ui.cmdtuneOK.tip, "Done with tuning");
    EXPECT_EQ(ui.cmdtunecancel.caption, "DEF");
    EXPECT_EQ(ui.cmdtunecancel.tip, "Cancel tuning changes");
    EXPECT_EQ(ui.btntune.tip, "Reset to Standard EADGBE tuning");
    EXPECT_EQ(ui.scrlAdjTuning.min, -6);
    EXPECT_EQ(ui.scrlAdjTuning.max, 6);
    EXPECT_EQ(ui.scrlAdjTuning.value, 0);
    EXPECT_EQ(ui.pnlAdjTuning.at.top, 8200);
    EXPECT_TRUE(ui.pnlAdjTuning.visible);
    EXPECT_FALSE(tunerAdjustmentOpen(g));
}

TEST(Tuner, StringButtonOpensPanelBesideThatString) {
    TunerRig t;
    auto& g = t.g();
    g.song.altTuning[3] = 2;
    StringName_Click(g, 2);
    EXPECT_TRUE(g.ui.StringName[2].pressed);
    EXPECT_EQ(t.pressedCount(), 1);
    EXPECT_EQ(g.ui.pnlAdjTuning.at.top, 1840 - 215 * 2);
    EXPECT_TRUE(tunerAdjustmentOpen(g));
    EXPECT_EQ(g.tuning.tuneString, 3);
    EXPECT_EQ(g.tuning.savedTuning, 2);
    EXPECT_EQ(g.ui.scrlAdjTuning.value, -2);

    StringName_Click(g, 5);  // another string: only its button stays pressed
    EXPECT_FALSE(g.ui.StringName[2].pressed);
    EXPECT_TRUE(g.ui.StringName[5].pressed);
    EXPECT_EQ(t.pressedCount(), 1);
    EXPECT_EQ(g.ui.pnlAdjTuning.at.top, 1840 - 215 * 5);
    EXPECT_EQ(g.tuning.tuneString, 6);
}

TEST(Tuner, BarTopRaisesTheString) {
    TunerRig t;
    auto& g = t.g();
    StringName_Click(g, 0);
    t.drag(2);  // towards the bottom end: lower
    EXPECT_EQ(g.song.altTuning[1], -2);
    EXPECT_EQ(g.tuning.pitchOf(1, 0), -2);
    EXPECT_EQ(g.ui.StringName[0].caption, "D");
    t.drag(-6);
    EXPECT_EQ(g.song.altTuning[1], 6);
    EXPECT_EQ(g.ui.StringName[0].caption, "A#");
    t.drag(-9);  // beyond the end: the bar stops at its range
    EXPECT_EQ(g.song.altTuning[1], 6);
    EXPECT_TRUE(tunerAdjustmentOpen(g));  // adjusting keeps the panel open
}

TEST(Tuner, RaiseOneStringAndLowerAnotherBySix) {
    TunerRig t;
    auto& g = t.g();
    StringName_Click(g, 1);
    t.drag(-6);
    cmdtuneOK_Click(g);
    StringName_Click(g, 4);
    t.drag(6);
    cmdtuneOK_Click(g);
    EXPECT_EQ(g.song.altTuning[2], 6);
    EXPECT_EQ(g.song.altTuning[5], -6);
    EXPECT_EQ(g.tuning.pitchOf(2, 0), 11);
    EXPECT_EQ(g.tuning.pitchOf(5, 0), 13);
    EXPECT_FALSE(tunerAdjustmentOpen(g));
    EXPECT_EQ(t.pressedCount(), 0);
}

TEST(Tuner, CancelAfterSeveralChangesRestoresTheOffsetAtClick) {
    TunerRig t;
    auto& g = t.g();
    g.song.altTuning[4] = -1;
    buildpitchtable(g);
    StringName_Click(g, 3);
    t.drag(3);
    t.drag(-4);
    t.drag(2);
    EXPECT_EQ(g.song.altTuning[4], -2);
    cmdtunecancel_Click(g);
    EXPECT_EQ(g.song.altTuning[4], -1);
    EXPECT_EQ(g.tuning.pitchOf(4, 0), 14);
    EXPECT_EQ(g.ui.StringName[3].caption, "F#");
    EXPECT_FALSE(tunerAdjustmentOpen(g));
    EXPECT_EQ(t.pressedCount(), 0);
}

TEST(Tuner, CancelKeepsOtherStringsAlreadyConfirmed) {
    TunerRig t;
    auto& g = t.g();
    StringName_Click(g, 0);
    t.drag(2);
    cmdtuneOK_Click(g);
    StringName_Click(g, 5);
    t.drag(2);
    cmdtunecancel_Click(g);
    EXPECT_EQ(g.song.altTuning[1], -2);
    EXPECT_EQ(g.song.altTuning[6], 0);
    EXPECT_EQ(t.names(), "D A D G B E ");
}

TEST(Tuner, ResetDuringAnAdjustmentGivesStandardTuning) {
    TunerRig t;
    auto& g = t.g();
    g.song.altTuning[1] = -2;
    g.song.altTuning[6] = -2;
    buildpitchtable(g);
    StringName_Click(g, 2);
    t.drag(-3);
    btntune_Click(g);
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(g.song.altTuning[s], 0) << s;
    EXPECT_FALSE(tunerAdjustmentOpen(g));
    EXPECT_EQ(t.pressedCount(), 0);
    EXPECT_EQ(t.names(), "E A D G B E ");
    EXPECT_EQ(g.tuning.pitchOf(1, 0), 0);
}

TEST(Tuner, OffsetBeyondTheBarFromASongFileSurvivesOpeningAndCancel) {
    TunerRig t;
    auto& g = t.g();
    g.song.altTuning[2] = 9;
    buildpitchtable(g);
    StringName_Click(g, 1);
    EXPECT_EQ(g.ui.scrlAdjTuning.value, -6);  // shown at the top end
    EXPECT_EQ(g.song.altTuning[2], 9);        // not changed by looking at it
    t.drag(-5);
    EXPECT_EQ(g.song.altTuning[2], 5);
    cmdtunecancel_Click(g);
    EXPECT_EQ(g.song.altTuning[2], 9);
}

TEST(Tuner, StringButtonOutsideTheRowDoesNothing) {
    TunerRig t;
    auto& g = t.g();
    StringName_Click(g, 6);
    StringName_Click(g, -1);
    EXPECT_FALSE(tunerAdjustmentOpen(g));
    EXPECT_EQ(t.pressedCount(), 0);
}

}  // namespace
}  // namespace lutavo
