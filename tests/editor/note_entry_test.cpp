// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/neck_entry.h"
#include "app/tuner_panel.h"
#include "display/fretboard.h"
#include "editor/editor_commands.h"
#include "editor/note_entry.h"
#include "editor/song_info.h"
#include "editor/undo.h"
#include "playback/playback_fixture.h"
#include "playback/transport.h"
#include "song/song_edit.h"

namespace lutavo::test {
namespace {

// Pixels of the neck picture: slot 1 (lowest string) and fret 5 (edges 180..213).
constexpr int kSlot1Y = 80;
constexpr int kFret5X = 200;

class NoteEntryTest : public PlaybackTest {
  protected:
    // In the editor at note 1; slot 1 of notes 1..4 is struck, held twice, struck again.
    void editSong(int first) {
        buildSong(g, {single(16, 1, first), single(16, 1, first + 24), single(16, 1, first + 24),
                      single(16, 1, 3)});
        g.app.appMode = kModeEditor;
        g.transport.curNote = 1;
    }
    void click(int button, double x, double y) {
        fretboard_MouseDown(g, button, x, y);
        fretboard_MouseUp(g);
    }
    // Slot 1 of notes 0..4, and the notes sounded.
    std::string slot1() const {
        std::string out = join(g.song.noteFret(0, 1), g.song.noteFret(1, 1), g.song.noteFret(2, 1),
                               g.song.noteFret(3, 1), g.song.noteFret(4, 1));
        for (int note : sounded())
            out += std::to_string(note) + ";";
        return out;
    }
};

TEST_F(NoteEntryTest, StringAndFretUnderTheMouseForEitherHand) {
    for (auto [y, slot] : {std::pair{0.0, 6}, {16, 6}, {16.5, 5}, {17, 5}, {86, 1}, {87, 0}})
        EXPECT_EQ(stringAtY(y), slot) << "y " << y;
    const int xs[2][5] = {{10, 16, 50, 604, 700}, {610, 580, 560, 14, 13}};
    const int frets[2][5] = {{0, 1, 1, 23, 24}, {0, 1, 2, 23, 24}};
    for (int left : {0, 1}) {
        g.config.leftHanded = static_cast<i16>(left);
        setfretboard(g);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(fretAtX(g.display.fretEdgeX, left, xs[left][i]), frets[left][i]) << i;
    }
    click(kMouseLeft, 560, 87);  // below the strings
    click(kMouseLeft, 560, kSlot1Y);
    EXPECT_EQ(join(g.editor.clickFret, slot1()), "2|-1|0|0|0|0|42;|");
}

TEST_F(NoteEntryTest, ClicksBelowTheCapoAreIgnored) {
    editSong(0);
    g.song.capo = 3;
    const int redraws = g.display.pageRedraws;
    for (int x : {10, 50, 100, 610})  // frets 0, 1, 2, and 24, which no note can hold
        click(kMouseLeft, x, kSlot1Y);
    EXPECT_EQ(join(slot1(), g.song.modified, g.display.pageRedraws),
              join("-1|0|24|24|3|", 0, redraws));
    click(kMouseLeft, 120, kSlot1Y);  // fret 3
    EXPECT_EQ(slot1(), "-1|3|27|27|3|43;");
    click(kMouseLeft, 600, kSlot1Y);  // fret 23
    EXPECT_EQ(slot1(), "-1|23|47|47|3|43;63;");
}

TEST_F(NoteEntryTest, SameFretTwiceSilencesThenRightClickMutesAndTheHeldNotesStop) {
    editSong(5);
    g.playback.swapperPos = 3;
    const int redraws = g.display.pageRedraws;
    click(kMouseLeft, kFret5X, kSlot1Y);
    EXPECT_EQ(join(slot1(), g.song.noteDur[1]), join("-1|-1|-1|-1|3|", g.song.durValue[3]));
    g.song.noteFret(2, 1) = 24;  // held again, after a silent note
    click(kMouseRight, kFret5X, kSlot1Y);
    click(kMouseLeft, kFret5X, 87);  // below the strings: the release is ignored too
    EXPECT_EQ(join(slot1(), g.display.pageRedraws), join("-1|-4|-1|-1|3|24;", redraws + 2));
    g.editor.markActive = true;  // a click on the score extends the mark
    locatenote(g, 1000);
    EXPECT_EQ(join(g.transport.curNote, g.editor.markEnd, g.display.pageRedraws),
              join(4, 4, redraws + 3));
}

TEST_F(NoteEntryTest, OutsideTheEditorSlotZeroSoundsAndTheCursorReturns) {
    editSong(2);
    g.app.appMode = kModeSongs;
    g.transport.curNote = 2;
    fretboard_MouseDown(g, kMouseLeft, kFret5X, kSlot1Y);
    fretboard_MouseDown(g, kMouseLeft, kFret5X, kSlot1Y);  // a second press keeps the cursor
    EXPECT_EQ(join(g.transport.curNote, slot1()), "0|5|2|26|26|3|45;45;|");
    fretboard_MouseUp(g);
    EXPECT_EQ(join(g.transport.curNote, g.song.modified, slot1()), "2|0|-1|2|26|26|3|45;45;|");
}

TEST_F(NoteEntryTest, NothingOnAPageEndOrWhilePlayingAndATuningAdjustmentIsAbandoned) {
    buildSong(g, {single(16, 1, 2), pageEnd(), single(16, 1, 2)});
    g.transport.curNote = 2;
    click(kMouseLeft, kFret5X, kSlot1Y);
    g.transport.curNote = 1;
    g.ntimer.enabled = true;
    StringName_Click(g, 2);
    g.song.altTuning[3] = 2;
    click(kMouseLeft, kFret5X, kSlot1Y);
    EXPECT_EQ(join(slot1(), g.transport.curNote, g.song.altTuning[3], tunerAdjustmentOpen(g.ui)),
              "-1|2|-1|2|-1||1|0|0|");
}

// Keystrokes in a field are the field's own; the song's undo takes the field's whole change as
// one step once it is left (or OK, or another change, comes), on the page the user is on.
TEST_F(NoteEntryTest, SongInformationPanelAndItsUndo) {
    buildSong(g, {single(16, 1, 0), pageEnd(), single(16, 1, 2)});
    g.app.appMode = kModeEditor;
    g.transport.curNote = 3;
    g.ui.pgScroll.value = g.transport.curPage = 2;
    showSongInfo(g.ui, g.app);
    const int shownTop = g.ui.pnlsonginfo.at.top;
    const auto texts = [&] {
        return join(g.song.songTitle, g.song.songComposer, g.ui.txtsititle.text,
                    g.editor.undo.size(), g.ui.pgScroll.value);
    };
    for (const char* typed : {"W", "Wa", "Waltz"})
        txtsititle_Change(g, typed);
    EXPECT_EQ(join(g.ui.form.caption, g.ui.lbltitle.caption, g.song.modified),
              "Lutavo - Waltz|Waltz|1|");
    songInfoField_Leave(g);
    txtsicomp_Change(g, "Me");
    g.ui.lblsongentry[kEditorInfo].color = kColorActive;
    btnsiok_Click(g);
    EXPECT_EQ(join(shownTop, g.ui.txtsititle.focusRequests, g.ui.pnlsonginfo.at.top,
                   g.ui.lblsongentry[kEditorInfo].color),
              join(g.app.windowHeight - 880, 1, g.app.windowHeight + 100, kColorAvailable));
    txtsicomp_Change(g, "Me too");
    btnsongentry_Click(g, kEditorIns);  // a command after a field's change
    EXPECT_EQ(texts(), join("Waltz", "Me too", "Waltz", 4, 2));
    for (int i = 0; i < 3; ++i)
        editorUndo(g);
    EXPECT_EQ(texts(), join("Waltz", "", "Waltz", 1, 2));
    editorUndo(g);
    EXPECT_EQ(texts(), join("", "", "", 0, 2));
}

}  // namespace
}  // namespace lutavo::test
