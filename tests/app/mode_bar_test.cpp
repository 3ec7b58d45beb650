// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "app/keyboard.h"
#include "app/mode_bar.h"
#include "app/song_files.h"
#include "fakes/test_rig.h"
#include "playback/settings_adjuster.h"
#include "playback/transport.h"

namespace lutavo {
namespace {

// A file dialog's filter and folder.
std::string asked(const FileDialogRequest& r) {
    return r.pattern + "|" + r.folder;
}

class ModeBar : public test::Started {
  protected:
    // Presses a button with the dialog answering the given sample song (or cancelling).
    void press(int button, const std::string& sample = "") {
        if (!sample.empty())
            rig.dialogs.fileAnswers.push_back(test::dataFolder() + "songs/" + sample);
        modeBarPress(g(), button);
    }
    bool showsIntro() { return g().ui.lblsong.caption.find("INTRO01.SNX") != std::string::npos; }
    // In the editor the lead-in's place shows the note length.
    void enterEditor() {
        g().app.appMode = kModeEditor;
        g().ui.lblswapper[kSettingLeadIn].caption = "LENGTH";
    }
    void expectEditorLeft() {
        EXPECT_EQ(test::join(g().app.appMode, g().ui.lblswapper[kSettingLeadIn].caption),
                  test::join(kModeSongs, "LEAD-IN"));
    }
};

TEST_F(ModeBar, SongsDialogCancelAndTheCommandLineFolder) {
    press(kModeBarSongs);
    ASSERT_EQ(rig.dialogs.fileRequests.size(), 1u);
    // Without a folder on the command line the dialog offers the sample songs.
    EXPECT_EQ(asked(rig.dialogs.fileRequests[0]),
              "*.SNG *.gp3 *.gp4 *.gp5 *.gp *.musicxml *.xml *.mxl *.txt *.tab|" +
                  test::dataFolder() + "songs/");
    EXPECT_TRUE(showsIntro());

    g().app.dataFolder = "/tmp/chosen/";
    press(kModeBarSongs);
    ASSERT_EQ(rig.dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(rig.dialogs.fileRequests[1].folder, "/tmp/chosen/");
}

TEST_F(ModeBar, LeavingTheEditorBeforeASongLoadsOrTheTuningPlays) {
    enterEditor();
    press(kModeBarSongs, "jingle_bells.SNG");
    expectEditorLeft();
    EXPECT_EQ(g().song.songTitle, "Jingle Bells");

    enterEditor();
    press(kModeBarTune);
    expectEditorLeft();
    EXPECT_EQ(g().song.songTitle, "Tuning");
    EXPECT_EQ(g().ui.opttxt[kModeBarTune].color, kColorActive);
}

// What a chosen lesson does is the lesson player's concern.
TEST_F(ModeBar, LessonDialogOffersTheDataFolderAndACancelChangesNothing) {
    press(kModeBarLessons);
    ASSERT_EQ(rig.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(asked(rig.dialogs.fileRequests[0]), "*.LSN|" + test::dataFolder());
    EXPECT_EQ(test::join(g().app.lessonFile, g().gtimer.interval), "|3000|");
}

// No chord or scale menu in the editor; the print menu comes during a lesson too.
TEST_F(ModeBar, ChordsScalesAndPrintOutsideTheSongs) {
    g().app.appMode = kModeEditor;
    press(kModeBarChords);
    press(kModeBarScales);
    EXPECT_TRUE(rig.dialogs.menus.empty());
    g().app.appMode = kModeLesson;
    press(kModeBarPrint);
    ASSERT_EQ(rig.dialogs.menus.size(), 1u);
    EXPECT_EQ(test::join(rig.dialogs.menus[0].caption, g().app.appMode),
              test::join("Print", kModeSongs));
}

// A cancelled dialog or a dismissed menu leaves the labels as they were, whether pressed or
// reached by its key (Ctrl+O, Ctrl+L, Ctrl+P, the same in the editor); F1 lists the keys.
TEST_F(ModeBar, CommandsThatOpenNothingAndTheirKeys) {
    press(kModeBarSongs, "amazing_grace.SNG");
    for (const int button : {kModeBarLessons, kModeBarChords, kModeBarScales, kModeBarPrint})
        press(button);
    for (const KeyCommand key : {KeyCommand::Songs, KeyCommand::Lessons, KeyCommand::Print})
        keyCommand(g(), key);
    for (int i = 0; i <= 6; ++i)
        EXPECT_EQ(g().ui.opttxt[i].color, i == kModeBarSongs ? kColorActive : kColorAvailable) << i;
    g().app.appMode = kModeEditor;
    keyCommand(g(), KeyCommand::Songs);
    keyCommand(g(), KeyCommand::Help);
    std::string asked = rig.dialogs.messages.at(0).text;
    for (const auto& r : rig.dialogs.fileRequests)
        asked += r.title;
    for (const char* part : {"Ctrl+O", "Ctrl+Q", "Transport", "Load LessonLoad SongLoad Lesson"})
        EXPECT_NE(asked.find(part), std::string::npos) << part;
    ASSERT_EQ(rig.dialogs.menus.size(), 4u);
    EXPECT_EQ(test::join(rig.dialogs.menus[0].caption, rig.dialogs.menus[1].caption,
                         rig.dialogs.menus[1].items[16].caption, rig.dialogs.menus[2].caption),
              test::join("Chord", "Scale", "B Scales", "Print"));
    // The print menu opens at the mouse for a click, below the PRINT button for Ctrl+P.
    EXPECT_EQ(test::join(!rig.dialogs.menus[2].dropFrom,
                         rig.dialogs.menus[3].dropFrom.value_or(Placement{}).top),
              test::join(true, g().ui.opt[kModeBarPrint].at.top));
}

TEST_F(ModeBar, ChordLibraryClosesBeforeSongCommands) {
    g().app.appMode = kModeChords;
    g().ui.pnlscore.at.top = -3000;
    press(kModeBarScales);  // the scale menu dismissed: the library stays
    EXPECT_EQ(g().app.appMode, kModeChords);
    press(kModeBarEdit);  // closes the library, then opens the editor on the new-song template
    EXPECT_EQ(test::join(g().ui.pnlscore.at.top, g().app.appMode, g().song.songFile),
              test::join(75, kModeEditor, g().app.appFolder + "newsong.SNG"));
}

TEST_F(ModeBar, ClosesongReturnsToTheStartupSongAndTheLeadInScale) {
    press(kModeBarSongs, "amazing_grace.SNG");
    g().config.defaultLeadIn = 2;
    btnSwapper_Click(g(), kSettingTempo);
    PicSwapper_MouseDown(g(), 3 * 104);
    const int pointerBefore = g().ui.lpointer.at.left;
    g().app.lessonFrame = 7;

    closesong(g());
    EXPECT_TRUE(showsIntro());
    // The pointer goes to the old slot on the lead-in scale; the chosen slot is the lead-in's.
    EXPECT_EQ(test::join(g().gtimer.interval, g().app.lessonFrame, g().playback.swapperMode,
                         g().ui.lpointer.at.left, g().playback.swapperPos),
              test::join(3000, 1, kSettingLeadIn, slotLeft(kLeadInSlots, 3), 7));
    EXPECT_NE(g().ui.lpointer.at.left, pointerBefore);
}

}  // namespace
}  // namespace lutavo
