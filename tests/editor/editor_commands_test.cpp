// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's commands, entering and leaving the editor, and the close button.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/editor_mode.h"
#include "app/keyboard.h"
#include "app/mode_bar.h"
#include "app/neck_entry.h"
#include "app/song_files.h"
#include "app/startup.h"
#include "core/data_files.h"
#include "editor/editor_commands.h"
#include "editor/song_info.h"
#include "fakes/song_builder.h"
#include "fakes/test_rig.h"
#include "playback/settings_adjuster.h"
#include "playback/transport.h"
#include "song/song_edit.h"

namespace lutavo {
namespace {

using test::join;
using test::NoteSpec;
using test::pageEnd;
using test::single;

class Editor : public test::Started {
  protected:
    void SetUp() override {
        Started::SetUp();
        modeBarPress(g(), kModeBarEdit);  // the start-up song: the editor opens on the template
    }
    SongModel& s() { return g().song; }
    void song(const std::vector<NoteSpec>& notes, int cursor) {
        test::buildSong(g(), notes);
        g().transport.curNote = static_cast<i16>(cursor);
        s().modified = false;
    }
    void run(int command) { btnsongentry_Click(g(), command); }
    // A sample copied into dir as a song of the user's own, loaded with the editor closed.
    std::string ownSong(const test::TempDir& dir) {
        btnlexit_Click(g());
        loadsong(g(), dir.write("Mine.SNG",
                                test::readFile(test::dataFolder() + "songs/minuet_in_g.SNG")));
        return s().songFile;
    }
    std::string durs() {
        std::string out;
        for (int n = 1; n <= s().noteCount; ++n)
            out += std::to_string(s().noteDur[n]) + " ";
        return out;
    }
    // The page count: each page's first note, then the current page and the page shown.
    std::string pages() {
        std::string out = std::to_string(g().ui.pgScroll.max) + ":";
        for (int p = 1; p <= g().ui.pgScroll.max + 1; ++p)
            out += std::to_string(s().pageStart[p]) + " ";
        return join(out, g().transport.curPage, g().ui.pgScroll.value);
    }
    std::string frets(int n) {
        std::string out;
        for (int str = 1; str <= kStrings; ++str)
            out += std::to_string(s().noteFret(n, str)) + " ";
        return out;
    }
};

TEST_F(Editor, EditOnTheStartupSongOpensTheTemplateAndCloseAsksOnlyAfterAChange) {
    EXPECT_EQ(join(g().app.appMode, s().songFile, g().ui.lblswapper[kSettingLeadIn].caption,
                   g().ui.btnlexit.tip, g().ui.btnsongentry[kEditorIns].enabled,
                   g().ui.pnlSongEntry.visible),
              join(kModeEditor, g().app.appFolder + "newsong.SNG", "LENGTH", "Quit song editor",
                   true, true));
    btnlexit_Click(g());  // nothing changed: no question
    EXPECT_EQ(
        join(g().app.appMode, rig.dialogs.messages.size(), g().ui.btnsongentry[kEditorNext].enabled,
             g().ui.btnsongentry[kEditorPaste].enabled, g().ui.lblsongentry[kEditorIns].color,
             g().ui.pnlSongEntry.visible),
        join(kModeSongs, 0u, true, false, kColorUnavailable, false));

    modeBarPress(g(), kModeBarEdit);
    const int fret = s().noteFret(1, 1);
    songedit::setFret(s(), 1, 1, fret == 5 ? 6 : 5);  // a change that keeps the note count
    btnlexit_Click(g());
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].text + rig.dialogs.messages[0].caption,
              "Quit Song Editor without saving? Quit Editor");
    EXPECT_EQ(g().app.appMode, kModeEditor);  // No keeps the editor
    EXPECT_FALSE(confirmQuit(g()));
    modeBarPress(g(), kModeBarEdit);  // EDIT again on the unsaved new song asks too
    EXPECT_EQ(join(rig.dialogs.messages.size(), s().modified), join(2u, true));
    rig.dialogs.answerYes = true;
    btnlexit_Click(g());  // the edits let go: the template again, and the lead-in scale
    EXPECT_EQ(join(g().app.appMode, s().noteFret(1, 1), s().modified, g().ui.PicSwapper.file,
                   g().ui.lblswapper[kSettingLeadIn].caption),
              join(kModeSongs, -1, false, files::kScaleLeadIn, "LEAD-IN"));
}

TEST_F(Editor, LockedUserSongIsRefusedAndCloseOnTheStartupSongEndsTheProgram) {
    btnlexit_Click(g());
    g().ui.lblsong.caption = "MINE.SNG";
    s().songLocked = true;
    modeBarPress(g(), kModeBarEdit);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].text + "|" + rig.dialogs.messages[0].caption,
              "This song is locked.\n" + s().songFile + "|Editing disabled");
    EXPECT_NE(g().app.appMode, kModeEditor);
    closesong(g());
    btnlexit_Click(g());
    EXPECT_TRUE(g().app.quitRequested);
}

TEST_F(Editor, InsertTieBendAndTriplet) {
    song({single(16, 1, 3), single(8, 2, 5), single(8, 3, 7)}, 0);
    run(kEditorIns);  // at the empty cursor position: slot 1
    EXPECT_EQ(join(g().transport.curNote, durs(), frets(1), s().pageStart[2]),
              join(1, std::to_string(s().durValue[g().playback.swapperPos]) + " 16 8 8 ",
                   "-1 -1 -1 -1 -1 -1 ", 6));
    song({{16, {3, 24 + 5, -1, -1, -1, -1}}, single(8, 2, 5), single(8, 3, 7)}, 1);
    run(kEditorTie);  // the note held from nothing is struck again, as the file would keep it
    EXPECT_EQ(join(g().transport.curNote, s().noteCount, frets(1), frets(2)),
              join(2, 4, "3 5 -1 -1 -1 -1 ", "27 29 -1 -1 -1 -1 "));
    run(kEditorBend);
    EXPECT_EQ(join(g().transport.curNote, frets(3)), join(3, "-3 -3 -1 -1 -1 -1 "));

    const std::tuple<std::vector<NoteSpec>, int, std::string> triplets[] = {
        {{single(16, 1, 0), single(16, 1, 0), single(16, 1, 0)}, 1, "11 11 11 "},
        {{single(8, 1, 0), single(8, 1, 0), single(16, 1, 0)}, 1, "5 5 5 "},
        {{single(8, 1, 0), single(8, 1, 0), single(8, 1, 0)}, 2, "8 8 8 "},  // past the end
        {{single(8, 1, 0), pageEnd(), single(8, 1, 0)}, 1, "8 99 8 "},       // over a marker
    };
    for (const auto& [notes, cursor, after] : triplets) {
        song(notes, cursor);
        run(kEditorTriplet);
        EXPECT_EQ(durs(), after) << cursor;
    }
}

TEST_F(Editor, DeleteOneNoteHeldNotesMarkersAndAMarkedRange) {
    song({single(16, 1, 3)}, 1);
    run(kEditorDel);  // the only note is emptied, not removed
    EXPECT_EQ(join(s().noteCount, frets(1)), join(1, "-1 -1 -1 -1 -1 -1 "));

    song({single(16, 1, 3), single(8, 1, 27), single(8, 1, 27), single(8, 1, 5)}, 1);
    run(kEditorDel);
    EXPECT_EQ(join(s().noteCount, frets(1), frets(2), frets(3)),
              join(3, "-1 -1 -1 -1 -1 -1 ", "-1 -1 -1 -1 -1 -1 ", "5 -1 -1 -1 -1 -1 "));

    song({single(1, 1, 0), single(2, 1, 0), single(3, 1, 0), single(4, 1, 0), single(5, 1, 0)}, 4);
    g().editor.markStart = 4;  // a reversed range, as a click on the page can leave it
    g().editor.markEnd = 2;
    run(kEditorDel);
    EXPECT_EQ(join(durs(), g().transport.curNote, g().editor.markStart, s().noteDur[3]),
              join("1 5 ", 2, 0, 0));
}

TEST_F(Editor, CopyAndPasteRepeatedlyAndNeverPastTheLimit) {
    song({single(1, 1, 0), single(2, 1, 0), single(3, 1, 0), single(4, 1, 0)}, 2);
    run(kEditorMark);
    run(kEditorCopy);  // one note marked: nothing
    EXPECT_EQ(g().ui.lblcopybuff.caption, "COPY BUFFER=0");
    run(kEditorUnmark);
    const auto plain = g().display.pictab.pixels();
    run(kEditorMark);
    btnsongentry_Click(g(), kEditorNext);
    btnsongentry_Click(g(), kEditorNext);
    EXPECT_NE(g().display.pictab.pixels(), plain) << "the marked range is not shown";
    run(kEditorCopy);
    EXPECT_EQ(g().display.pictab.pixels(), plain);
    EXPECT_EQ(join(g().ui.lblcopybuff.caption, g().editor.markStart), join("COPY BUFFER=3", 0));
    g().transport.curNote = 1;
    run(kEditorPaste);
    run(kEditorPaste);
    EXPECT_EQ(join(durs(), g().transport.curNote), join("2 3 4 2 3 4 1 2 3 4 ", 1));
    s().noteCount = kMaxNotes - 2;
    run(kEditorPaste);  // three more would pass 1000 notes: refused whole
    EXPECT_EQ(s().noteCount, kMaxNotes - 2);
    s().noteCount = kMaxNotes;
    for (int command : {kEditorIns, kEditorTie, kEditorBend, kEditorNewline}) {
        run(command);
        EXPECT_EQ(s().noteCount, kMaxNotes) << command;
    }
}

// NEWLINE, DEL through a page end, TIE and BEND on an end-of-page marker: the page table stays
// on the markers. After: notes, cursor, pages().
TEST_F(Editor, ThePageTableFollowsTheMarkers) {
    const std::tuple<int, std::vector<int>, std::string> cases[] = {
        // On the last note: the marker, then an empty note on the new page.
        {2, {kEditorNext, kEditorNewline}, join(6, 6, join("3:1 3 6 8 ", 3, 3))},
        {1, {kEditorNext, kEditorDel}, join(3, 2, join("1:1 5 ", 1, 1))},   // the pages join
        {2, {kEditorDel, kEditorDel}, join(2, 2, join("2:1 3 4 ", 1, 1))},  // page 2 emptied
        {2, {kEditorDel, kEditorDel, kEditorDel}, join(1, 1, join("1:1 3 ", 1, 1))},
        {1, {kEditorNext, kEditorTie, kEditorBend}, join(4, 2, join("2:1 3 6 ", 1, 1))},
    };
    for (const auto& [page, commands, after] : cases) {
        song({single(8, 1, 1), pageEnd(), single(8, 1, 1), single(8, 1, 1)}, 1);
        pgScroll_UserScroll(g(), page);
        for (int command : commands)
            run(command);
        EXPECT_EQ(join(s().noteCount, g().transport.curNote, pages()), after);
    }
    // The empty last page shown from the scroll bar puts the cursor in the end slot: NEXT adds
    // the note there, not one past it.
    song({single(8, 1, 1), pageEnd()}, 1);
    pgScroll_UserScroll(g(), 2);
    run(kEditorNext);
    EXPECT_EQ(join(durs(), g().transport.curNote, pages()),
              join("8 99 8 ", 3, join("2:1 3 5 ", 2, 2)));
    // A note entered there on the neck or the capo joins the song; none past the thousandth.
    for (int entry = 0; entry < 2; ++entry) {
        song({single(8, 1, 1), pageEnd()}, 1);
        pgScroll_UserScroll(g(), 2);
        if (entry == 0) {
            fretboard_MouseDown(g(), kMouseLeft, 60, 3);
            fretboard_MouseUp(g());
        } else {
            piccapo_MouseDown(g(), 0);
            piccapo_MouseUp(g());
        }
        EXPECT_EQ(join(durs(), frets(3), pages()),
                  join("8 99 8 ", entry == 0 ? "-1 -1 -1 -1 -1 2 " : "-1 -1 -1 -1 -1 0 ",
                       join("2:1 3 5 ", 2, 2)));
    }
    std::vector<NoteSpec> thousand(kMaxNotes - 1, single(8, 1, 1));
    thousand.push_back(pageEnd());
    song(thousand, 1);
    pgScroll_UserScroll(g(), 2);
    fretboard_MouseDown(g(), kMouseLeft, 60, 3);
    EXPECT_EQ(join(s().noteCount, frets(kMaxNotes + 1)), join(kMaxNotes, "-1 -1 -1 -1 -1 -1 "));
    song({single(8, 1, 1), pageEnd(), single(8, 1, 1), single(8, 1, 1)}, 1);
    g().transport.curNote = 5;  // the end slot: nothing to delete
    run(kEditorDel);
    EXPECT_EQ(join(s().noteCount, pages()), join(4, join("2:1 3 6 ", 1, 1)));
    std::vector<NoteSpec> full(kMaxPages - 1, pageEnd());
    full.push_back(single(8, 1, 1));
    song(full, kMaxPages);
    run(kEditorNewline);  // no thirtieth page
    EXPECT_EQ(join(g().ui.pgScroll.max, s().noteCount), join(kMaxPages, kMaxPages));
}

TEST_F(Editor, PastedNotesFollowTheCapoOrThePasteIsRefused) {
    song({single(8, 1, 0), single(8, 2, 21), pageEnd()}, 1);
    for (int command : {kEditorMark, kEditorNext, kEditorNext, kEditorCopy})
        run(command);
    ASSERT_TRUE(songedit::moveCapo(s(), 2, true));
    run(kEditorPaste);  // at the marker, copied without the capo: two frets up, as if entered now
    EXPECT_EQ(join(frets(3), frets(4), pages()),
              join("2 -1 -1 -1 -1 -1 ", "-1 23 -1 -1 -1 -1 ", join("3:1 6 7 8 ", 1, 1)));
    s().capo = 3;  // 21 + 3 would leave the neck
    run(kEditorPaste);
    song(std::vector<NoteSpec>(kMaxPages - 2, pageEnd()), 1);
    s().capo = 0;
    run(kEditorPaste);  // a 29th page is taken, a 30th is not
    run(kEditorPaste);
    EXPECT_EQ(join(g().ui.pgScroll.max, rig.dialogs.messages.size()), join(kMaxPages, 2u));
}

TEST_F(Editor, SaveRefusesALockedSongAndAfterASaveNothingIsUnsaved) {
    test::TempDir dir;
    song({single(8, 1, 1), pageEnd(), single(8, 1, 2)}, 1);
    s().songLocked = true;
    run(kEditorSave);
    EXPECT_EQ(rig.dialogs.messages.back().caption, "SAVE Disabled");
    s().songLocked = false;
    s().modified = true;
    rig.dialogs.fileAnswers.push_back(dir.path() + "TUNE.SNG");
    run(kEditorSave);
    EXPECT_EQ(join(s().modified, g().editor.savedNoteCount, s().songFile, g().transport.curNote),
              join(false, 3, dir.path() + "TUNE.SNG", 1));
    run(kEditorNext);  // the cursor stayed: NEXT moves on, it adds no note
    EXPECT_EQ(join(s().noteCount, g().transport.curNote, pages()),
              join(3, 2, join("2:1 3 5 ", 1, 1)));
}

TEST_F(Editor, KeysRunTheEditorsCommandsAndSpacePlaysInEveryMode) {
    song({single(8, 1, 1), single(8, 1, 2), single(8, 1, 3)}, 2);
    keyCommand(g(), KeyCommand::Insert);
    keyCommand(g(), KeyCommand::MarkNext);
    EXPECT_EQ(join(s().noteCount, g().editor.markStart, g().editor.markEnd), join(4, 2, 3));
    keyCommand(g(), KeyCommand::Undo);
    EXPECT_EQ(s().noteCount, 3);
    keyCommand(g(), KeyCommand::Redo);
    EXPECT_EQ(s().noteCount, 4);
    btnlexit_Click(g());
    rig.dialogs.answerYes = true;
    btnlexit_Click(g());
    keyCommand(g(), KeyCommand::PlayPause);
    EXPECT_TRUE(g().ntimer.enabled);
    keyCommand(g(), KeyCommand::PlayPause);
    EXPECT_FALSE(g().ntimer.enabled);
}

// Before the first note or past the last, EDIT puts the cursor on note 1, where a click on the
// neck enters a note; a position inside the song is kept. The counter stays in the song, and
// quitting without saving puts the song back as it was.
TEST_F(Editor, ASavedSongIsEditedFromItsFirstNoteAndEditsLetGoAreGone) {
    test::TempDir dir;
    const std::string file = ownSong(dir), before = frets(1) + durs();
    const int count = s().noteCount;
    for (const auto& [at, after] : {std::pair{count + 2, 1}, {3, 3}, {0, 1}}) {
        if (g().app.appMode == kModeEditor) btnlexit_Click(g());
        g().transport.curNote = static_cast<i16>(at);
        modeBarPress(g(), kModeBarEdit);
        EXPECT_EQ(join(g().transport.curNote, g().ui.lblnoteof.caption), join(after, after)) << at;
    }
    fretboard_MouseDown(g(), kMouseLeft, 200, 80);  // fret 5 of the lowest string
    run(kEditorIns);
    rig.dialogs.answerYes = true;
    btnlexit_Click(g());
    EXPECT_EQ(join(frets(1) + durs(), s().modified), join(before, false));
    modeBarPress(g(), kModeBarEdit);
    rig.dialogs.fileAnswers.push_back(file);
    run(kEditorSave);  // the save leaves the cursor where it was
    EXPECT_EQ(join(g().transport.curNote, g().ui.lblnoteof.caption), join(1, 1));
}

TEST_F(Editor, SaveOffersANameThatSaves) {
    test::TempDir dir;
    g().app.documentsFolder = "/home/me/Documents/";
    const auto offered = [&](const std::string& answer = "") {
        if (!answer.empty()) rig.dialogs.fileAnswers.push_back(answer);
        run(kEditorSave);
        return rig.dialogs.fileRequests.back().folder + rig.dialogs.fileRequests.back().fileName;
    };
    EXPECT_EQ(offered(), "/home/me/Documents/Untitled.SNG");  // a new song
    txtsititle_Change(g(), " ..AC/DC: Back ");
    EXPECT_EQ(offered(dir.path() + "x.SNG"), "/home/me/Documents/ACDC Back.SNG");
    EXPECT_EQ(join(s().modified, g().editor.savedNoteCount), join(false, s().noteCount));
    EXPECT_EQ(offered(), dir.path() + "x.SNG");  // saved, it is the user's own
    btnlexit_Click(g());
    loadsong(g(), test::dataFolder() + "songs/drunken_sailor.SNG");
    modeBarPress(g(), kModeBarEdit);
    EXPECT_EQ(offered(), dir.path() + "Drunken Sailor.SNG");  // where the last save went
}

}  // namespace
}  // namespace lutavo
