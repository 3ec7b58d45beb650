#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/mode_bar.h"
#include "fakes/test_rig.h"
#include "playback/settings_adjuster.h"
#include "playback/transport.h"
#include "song/song_file.h"

namespace lutavo {
namespace {

// A file dialog's request in one line: title|filter|pattern|extension|folder|file|must exist.
std::string asked(const FileDialogRequest& r) {
    return r.title + "|" + r.filterName + "|" + r.pattern + "|" + r.defaultExt + "|" + r.folder +
           "|" + r.fileName + "|" + (r.mustExist ? "1" : "0");
}

class ModeBar : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.defaults();
        setupModeBar(g());
        closesong(g());
    }
    Guitar& g() { return rig.g(); }
    // Presses a button with the dialog answering the given sample song (or cancelling).
    void press(int button, const std::string& sample = "") {
        if (!sample.empty())
            rig.dialogs.fileAnswers.push_back(test::dataFolder() + "songs/" + sample);
        modeBarPress(g(), button);
    }
    bool showsIntro() { return g().ui.lblsong.caption.find("INTRO01.SNX") != std::string::npos; }
    // The editor's lead-in label and buttons as the editor leaves them.
    void enterEditor() {
        g().app.appMode = kModeEditor;
        g().ui.lblswapper[kSettingLeadIn].caption = "LENGTH";
        g().ui.btnSwapper[kSettingLeadIn].visible = false;
        g().ui.btnSwapper[kSettingNoteLength].visible = true;
        g().ui.opttxt[kModeBarEdit].color = kColorActive;
    }
    void expectEditorLeft() {
        EXPECT_EQ(g().app.appMode, kModeSongs);
        EXPECT_EQ(g().ui.lblswapper[kSettingLeadIn].caption, "LEAD-IN");
        EXPECT_TRUE(g().ui.btnSwapper[kSettingLeadIn].visible);
        EXPECT_FALSE(g().ui.btnSwapper[kSettingNoteLength].visible);
        EXPECT_EQ(g().ui.opttxt[kModeBarEdit].color, kColorAvailable);
    }

    test::Rig rig;
};

TEST_F(ModeBar, ButtonsInOrderAndTheChordMenu) {
    const std::array<std::string, 7> labels = {"SONGS",  "LESSONS", "TUNE", "EDIT",
                                               "CHORDS", "SCALES",  "PRINT"};
    for (int i = 0; i <= 6; ++i)
        EXPECT_EQ(g().ui.opttxt[i].caption, labels[static_cast<std::size_t>(i)]);
    EXPECT_EQ(g().ui.opt[0].tip, "Load a song file from disk");
    EXPECT_EQ(g().ui.opttxt[6].tip, "Print out the current song");
    ASSERT_EQ(g().ui.mnuchords.items.size(), 17u);
    EXPECT_EQ(g().ui.mnuchords.items[1].caption, "C# Chords");
    EXPECT_EQ(g().ui.mnuchords.items[16].caption, "B Chords");
}

TEST_F(ModeBar, SongsDialogCancelAndTheCommandLineFolder) {
    press(kModeBarSongs);
    ASSERT_EQ(rig.dialogs.fileRequests.size(), 1u);
    // Without a folder on the command line the dialog offers the sample songs.
    EXPECT_EQ(asked(rig.dialogs.fileRequests[0]),
              "Load Song|Lutavo songs|*.SNG|.SNG|" + test::dataFolder() + "songs/||0");
    EXPECT_TRUE(showsIntro());
    EXPECT_EQ(g().ui.opttxt[kModeBarSongs].color, kColorActive);
    EXPECT_EQ(g().ui.opttxt[kModeBarTune].color, kColorAvailable);

    test::TempDir dir;
    g().app.dataFolder = dir.path();
    press(kModeBarSongs);
    ASSERT_EQ(rig.dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(rig.dialogs.fileRequests[1].folder, dir.path());
}

TEST_F(ModeBar, ChosenSongIsLoadedAndCancelDuringALessonLeavesTheStartupSong) {
    press(kModeBarSongs, "silent_night.SNG");
    EXPECT_EQ(g().song.songTitle, "Silent Night");
    EXPECT_EQ(g().app.appMode, kModeSongs);
    EXPECT_NE(g().ui.lblsong.caption.find("SILENT_NIGHT.SNG"), std::string::npos);

    g().app.appMode = kModeLesson;
    press(kModeBarSongs);
    EXPECT_TRUE(showsIntro());
    EXPECT_EQ(g().app.appMode, kModeSongs);
}

TEST_F(ModeBar, SongsDuringALessonClosesItFirst) {
    g().app.appMode = kModeLesson;
    g().app.lessonRequest = "frame";
    g().gtimer.interval = 60;
    g().ui.opttxt[kModeBarLessons].color = kColorActive;
    press(kModeBarSongs, "minuet_in_g.SNG");
    EXPECT_TRUE(g().app.lessonRequest.empty());
    EXPECT_EQ(g().gtimer.interval, 3000);
    EXPECT_EQ(g().ui.opttxt[kModeBarLessons].color, kColorAvailable);
    // The press was taken by the lesson's close, so SONGS is not marked.
    EXPECT_EQ(g().ui.opttxt[kModeBarSongs].color, kColorAvailable);
    EXPECT_EQ(rig.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(g().song.songTitle, "Minuet in G");
    EXPECT_EQ(g().app.appMode, kModeSongs);
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

TEST_F(ModeBar, LessonDialogStoresTheChosenLesson) {
    press(kModeBarLessons);
    ASSERT_EQ(rig.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(asked(rig.dialogs.fileRequests[0]),
              "Load Lesson|Lutavo lessons|*.LSN|.LSN|" + test::dataFolder() + "||1");
    EXPECT_TRUE(g().app.lessonFile.empty());
    EXPECT_EQ(g().gtimer.interval, 3000);

    rig.dialogs.fileAnswers.push_back("*.LSN");  // not a file name: ignored
    press(kModeBarLessons);
    EXPECT_TRUE(g().app.lessonFile.empty());

    rig.dialogs.fileAnswers.push_back("/home/me/first.LSN");
    press(kModeBarLessons);
    EXPECT_EQ(g().app.lessonFile, "/home/me/first.LSN");
    EXPECT_EQ(g().gtimer.interval, 60);
}

struct TuningCase {
    std::array<int, 6> offsets;
    const char* strings;
    const char* name;
};

TEST_F(ModeBar, TuneNamesTheTuningAndPlaysTheOpenStrings) {
    const std::array<TuningCase, 4> cases = {{
        {{0, 0, 0, 0, 0, 0}, "E A D G B E ", "Standard"},
        {{-2, 0, 0, 0, 0, 0}, "D A D G B E ", "Dropped D"},
        {{-2, 0, 0, 0, 0, -2}, "D A D G B D ", "Double Drop D"},
        {{-2, 0, 0, 0, -2, -2}, "D A D G A D ", "Alternate"},
    }};
    for (const TuningCase& c : cases) {
        SCOPED_TRACE(c.name);
        playbtn_Click(g(), kStop);
        for (int s = 1; s <= 6; ++s)
            g().song.altTuning[s] = static_cast<i16>(c.offsets[static_cast<std::size_t>(s - 1)]);
        press(kModeBarTune);
        EXPECT_EQ(g().ui.lblleft.caption, c.strings);
        EXPECT_EQ(g().ui.lblright.caption, c.name);
        EXPECT_EQ(g().song.songTitle, "Tuning");
        EXPECT_EQ(g().app.appMode, kModeSongs);
        EXPECT_TRUE(g().ntimer.enabled);
    }
    // Only exact string names are named.
    EXPECT_EQ(tuningName("E A D G B E"), "Alternate");
    EXPECT_EQ(tuningName("Eb Ab Db Gb Bb Eb "), "Alternate");
}

TEST_F(ModeBar, ChordsScalesAndPrint) {
    press(kModeBarChords);
    ASSERT_EQ(rig.dialogs.menus.size(), 1u);
    EXPECT_EQ(rig.dialogs.menus[0].caption, "Chord");
    EXPECT_EQ(rig.dialogs.menus[0].items[0].caption, "C Chords");
    g().app.appMode = kModeEditor;
    press(kModeBarChords);  // no chord menu in the editor
    EXPECT_EQ(rig.dialogs.menus.size(), 1u);

    g().app.appMode = kModeSongs;
    press(kModeBarScales);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].text, "Not available in this release");
    EXPECT_EQ(rig.dialogs.messages[0].caption, "Scales Module");
    EXPECT_EQ(rig.dialogs.messages[0].buttons, MessageButtons::Ok);

    g().app.appMode = kModeLesson;  // the print menu comes during a lesson too
    press(kModeBarPrint);
    ASSERT_EQ(rig.dialogs.menus.size(), 2u);
    const Menu& m = rig.dialogs.menus[1];
    EXPECT_EQ(m.caption, "Print");
    ASSERT_EQ(m.items.size(), 3u);
    EXPECT_EQ(m.items[0].caption + m.items[1].caption + m.items[2].caption,
              "Print Setup-Print Song");
    EXPECT_EQ(g().app.appMode, kModeSongs);
}

TEST_F(ModeBar, ChordLibraryClosesBeforeSongCommands) {
    g().app.appMode = kModeChords;
    g().ui.pnlscore.at.top = -3000;
    press(kModeBarScales);
    EXPECT_EQ(g().app.appMode, kModeChords);  // SCALES does not close the library
    press(kModeBarEdit);
    EXPECT_EQ(g().ui.pnlscore.at.top, 75);
    EXPECT_EQ(g().ui.pnlscore.at.height, 2670);
    EXPECT_TRUE(showsIntro());
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
    EXPECT_EQ(g().gtimer.interval, 3000);
    EXPECT_EQ(g().app.lessonFrame, 1);
    // The editor's BACK and NEXT go grey, and the start-up song's notes make them usable again.
    EXPECT_TRUE(g().ui.btnsongentry[12].enabled);
    EXPECT_EQ(g().playback.swapperMode, kSettingLeadIn);
    EXPECT_EQ(g().playback.slotCount, kLeadInSlots);
    EXPECT_EQ(g().ui.PicSwapper.file, "ldefaul4.bmp");
    // The pointer goes to the old slot on the lead-in scale; the chosen slot is the lead-in's.
    EXPECT_EQ(g().ui.lpointer.at.left, slotLeft(kLeadInSlots, 3));
    EXPECT_NE(g().ui.lpointer.at.left, pointerBefore);
    EXPECT_EQ(g().playback.swapperPos, 7);
    EXPECT_EQ(g().ui.lblswapper[kSettingLeadIn].color, kColorActive);
    EXPECT_EQ(g().ui.lblswapper[kSettingTempo].color, kColorAvailable);
}

}  // namespace
}  // namespace lutavo
