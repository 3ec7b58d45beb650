#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "app/mode_bar.h"
#include "app/song_files.h"
#include "fakes/test_rig.h"
#include "playback/settings_adjuster.h"
#include "playback/transport.h"

namespace lutavo {
namespace {

const std::string kIntroLabel = "INTRO01.SNX";

class ModeBar : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.defaults();
        setupModeBar(g());
        closesong(g());
    }
    Guitar& g() { return rig.g(); }
    std::string sample(const std::string& name) { return test::dataFolder() + "songs/" + name; }
    bool showsIntro() { return g().ui.lblsong.caption.find(kIntroLabel) != std::string::npos; }

    test::Rig rig;
};

TEST_F(ModeBar, ButtonsHaveTheirCaptionsTipsAndMenus) {
    const std::array<std::string, 7> labels = {"SONGS",  "LESSONS", "TUNE", "EDIT",
                                               "CHORDS", "SCALES",  "PRINT"};
    for (int i = 0; i <= 6; ++i)
        EXPECT_EQ(g().ui.opttxt[i].caption, labels[i]);
    EXPECT_EQ(g().ui.opt[0].tip, "Load a song file from disk");
    EXPECT_EQ(g().ui.opt[2].tip, "Tune your guitar to Lutavo pitch");
    EXPECT_EQ(g().ui.opttxt[6].tip, "Print out the current song");
    EXPECT_EQ(g().ui.mnuchords.caption, "Chord");
    ASSERT_EQ(g().ui.mnuchords.items.size(), 17u);
    EXPECT_EQ(g().ui.mnuchords.items[1].caption, "C# Chords");
    EXPECT_EQ(g().ui.mnuchords.items[16].caption, "B Chords");
}

TEST_F(ModeBar, SongsDialogAsksForSongsAndCancelChangesNothing) {
    modeBarPress(g(), kModeBarSongs);
    ASSERT_EQ(rig.dialogs.fileRequests.size(), 1u);
    const FileDialogRequest& r = rig.dialogs.fileRequests[0];
    EXPECT_EQ(r.title, "Load Song");
    EXPECT_EQ(r.filterName, "Lutavo songs");
    EXPECT_EQ(r.pattern, "*.SNG");
    EXPECT_EQ(r.defaultExt, ".SNG");
    EXPECT_EQ(r.fileName, "");
    EXPECT_FALSE(r.mustExist);
    // Without a folder on the command line the dialog offers the sample songs.
    EXPECT_EQ(r.folder, test::dataFolder() + "songs/");
    EXPECT_TRUE(showsIntro());
    EXPECT_EQ(g().ui.opttxt[kModeBarSongs].color, kColorActive);
    EXPECT_EQ(g().ui.opttxt[kModeBarTune].color, kColorAvailable);
}

TEST_F(ModeBar, SongsDialogOpensInTheCommandLineFolder) {
    test::TempDir dir;
    g().app.dataFolder = dir.path();
    modeBarPress(g(), kModeBarSongs);
    ASSERT_EQ(rig.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(rig.dialogs.fileRequests[0].folder, dir.path());
}

TEST_F(ModeBar, ChosenSongIsLoaded) {
    rig.dialogs.fileAnswers.push_back(sample("silent_night.SNG"));
    modeBarPress(g(), kModeBarSongs);
    EXPECT_EQ(g().song.songTitle, "Silent Night");
    EXPECT_EQ(g().app.appMode, kModeSongs);
    EXPECT_NE(g().ui.lblsong.caption.find("SILENT_NIGHT.SNG"), std::string::npos);
}

TEST_F(ModeBar, SongsDuringALessonClosesItFirst) {
    g().app.appMode = kModeLesson;
    g().app.lessonRequest = "frame";
    g().gtimer.interval = 60;
    g().ui.opttxt[kModeBarLessons].color = kColorActive;
    rig.dialogs.fileAnswers.push_back(sample("minuet_in_g.SNG"));
    modeBarPress(g(), kModeBarSongs);
    EXPECT_TRUE(g().app.lessonRequest.empty());
    EXPECT_EQ(g().gtimer.interval, 3000);
    EXPECT_EQ(g().ui.opttxt[kModeBarLessons].color, kColorAvailable);
    // The press was taken by the lesson's close, so SONGS is not marked.
    EXPECT_EQ(g().ui.opttxt[kModeBarSongs].color, kColorAvailable);
    EXPECT_EQ(rig.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(g().song.songTitle, "Minuet in G");
    EXPECT_EQ(g().app.appMode, kModeSongs);
}

TEST_F(ModeBar, CancelDuringALessonLeavesTheStartupSong) {
    rig.dialogs.fileAnswers.push_back(sample("minuet_in_g.SNG"));
    modeBarPress(g(), kModeBarSongs);
    g().app.appMode = kModeLesson;
    modeBarPress(g(), kModeBarSongs);
    EXPECT_TRUE(showsIntro());
    EXPECT_EQ(g().app.appMode, kModeSongs);
}

TEST_F(ModeBar, LeavingTheEditorBeforeASongLoads) {
    g().app.appMode = kModeEditor;
    g().ui.lblswapper[kSettingLeadIn].caption = "LENGTH";
    g().ui.btnSwapper[kSettingLeadIn].visible = false;
    g().ui.btnSwapper[kSettingNoteLength].visible = true;
    rig.dialogs.fileAnswers.push_back(sample("jingle_bells.SNG"));
    modeBarPress(g(), kModeBarSongs);
    EXPECT_EQ(g().app.appMode, kModeSongs);
    EXPECT_EQ(g().ui.lblswapper[kSettingLeadIn].caption, "LEAD-IN");
    EXPECT_TRUE(g().ui.btnSwapper[kSettingLeadIn].visible);
    EXPECT_FALSE(g().ui.btnSwapper[kSettingNoteLength].visible);
    EXPECT_EQ(g().song.songTitle, "Jingle Bells");
}

TEST_F(ModeBar, LessonDialogStoresTheChosenLesson) {
    modeBarPress(g(), kModeBarLessons);
    ASSERT_EQ(rig.dialogs.fileRequests.size(), 1u);
    const FileDialogRequest& r = rig.dialogs.fileRequests[0];
    EXPECT_EQ(r.title, "Load Lesson");
    EXPECT_EQ(r.filterName, "Lutavo lessons");
    EXPECT_EQ(r.pattern, "*.LSN");
    EXPECT_EQ(r.defaultExt, ".LSN");
    EXPECT_EQ(r.folder, test::dataFolder());
    EXPECT_TRUE(r.mustExist);
    EXPECT_TRUE(g().app.lessonFile.empty());
    EXPECT_EQ(g().gtimer.interval, 3000);

    rig.dialogs.fileAnswers.push_back("/home/me/first.LSN");
    modeBarPress(g(), kModeBarLessons);
    EXPECT_EQ(g().app.lessonFile, "/home/me/first.LSN");
    EXPECT_EQ(g().gtimer.interval, 60);
}

TEST_F(ModeBar, AnswerThatIsNotAFileNameIsIgnored) {
    rig.dialogs.fileAnswers.push_back("*.LSN");
    modeBarPress(g(), kModeBarLessons);
    EXPECT_TRUE(g().app.lessonFile.empty());
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
            g().song.altTuning[s] = static_cast<i16>(c.offsets[s - 1]);
        modeBarPress(g(), kModeBarTune);
        EXPECT_EQ(g().ui.lblleft.caption, c.strings);
        EXPECT_EQ(g().ui.lblright.caption, c.name);
        EXPECT_EQ(g().song.songTitle, "Tuning");
        EXPECT_EQ(g().app.appMode, kModeSongs);
        EXPECT_TRUE(g().ntimer.enabled);
    }
}

TEST_F(ModeBar, TuneFromTheEditorLeavesItFirst) {
    g().app.appMode = kModeEditor;
    g().ui.lblswapper[kSettingLeadIn].caption = "LENGTH";
    g().ui.opttxt[kModeBarEdit].color = kColorActive;
    modeBarPress(g(), kModeBarTune);
    EXPECT_EQ(g().ui.lblswapper[kSettingLeadIn].caption, "LEAD-IN");
    EXPECT_EQ(g().song.songTitle, "Tuning");
    EXPECT_EQ(g().app.appMode, kModeSongs);
    EXPECT_EQ(g().ui.opttxt[kModeBarTune].color, kColorActive);
    EXPECT_EQ(g().ui.opttxt[kModeBarEdit].color, kColorAvailable);
}

TEST(TuningName, OnlyExactStringNamesAreNamed) {
    EXPECT_EQ(tuningName("E A D G B E "), "Standard");
    EXPECT_EQ(tuningName("E A D G B E"), "Alternate");
    EXPECT_EQ(tuningName("Eb Ab Db Gb Bb Eb "), "Alternate");
}

TEST_F(ModeBar, ChordsMenuPopsUpExceptInTheEditor) {
    modeBarPress(g(), kModeBarChords);
    ASSERT_EQ(rig.dialogs.menus.size(), 1u);
    EXPECT_EQ(rig.dialogs.menus[0].caption, "Chord");
    EXPECT_EQ(rig.dialogs.menus[0].items[0].caption, "C Chords");

    g().app.appMode = kModeEditor;
    modeBarPress(g(), kModeBarChords);
    EXPECT_EQ(rig.dialogs.menus.size(), 1u);
}

TEST_F(ModeBar, ChordLibraryClosesBeforeSongCommands) {
    g().app.appMode = kModeChords;
    g().ui.pnlscore.at.top = -3000;
    modeBarPress(g(), kModeBarScales);
    // SCALES does not close the library.
    EXPECT_EQ(g().app.appMode, kModeChords);
    modeBarPress(g(), kModeBarEdit);
    EXPECT_EQ(g().ui.pnlscore.at.top, 75);
    EXPECT_EQ(g().ui.pnlscore.at.height, 2670);
    EXPECT_TRUE(showsIntro());
}

TEST_F(ModeBar, ScalesOnlyAnswersWithItsMessage) {
    modeBarPress(g(), kModeBarScales);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].text, "Not available in this release");
    EXPECT_EQ(rig.dialogs.messages[0].caption, "Scales Module");
    EXPECT_EQ(rig.dialogs.messages[0].buttons, MessageButtons::Ok);
}

TEST_F(ModeBar, PrintMenuAlsoDuringALesson) {
    g().app.appMode = kModeLesson;
    modeBarPress(g(), kModeBarPrint);
    ASSERT_EQ(rig.dialogs.menus.size(), 1u);
    const Menu& m = rig.dialogs.menus[0];
    EXPECT_EQ(m.caption, "Print");
    ASSERT_EQ(m.items.size(), 3u);
    EXPECT_EQ(m.items[0].caption, "Print Setup");
    EXPECT_EQ(m.items[1].caption, "-");
    EXPECT_EQ(m.items[2].caption, "Print Song");
    EXPECT_EQ(g().app.appMode, kModeSongs);
}

TEST_F(ModeBar, ClosesongReturnsToTheStartupSongAndTheLeadInScale) {
    rig.dialogs.fileAnswers.push_back(sample("amazing_grace.SNG"));
    modeBarPress(g(), kModeBarSongs);
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

// Every sample song loads cleanly, its bars add up and together they show what the program can do.
TEST_F(ModeBar, SampleSongsLoadWithWholeBars) {
    std::vector<std::string> songs;
    for (const auto& e : std::filesystem::directory_iterator(test::dataFolder() + "songs")) {
        songs.push_back(e.path().string());
    }
    ASSERT_GE(songs.size(), 6u);
    std::array<bool, 6> timeSigs{};
    bool capo = false, droppedD = false, tieOverBar = false, triplet = false, bend = false,
         muted = false, sharpKey = false, flatKey = false;
    for (const std::string& path : songs) {
        SCOPED_TRACE(path);
        loadsong(g(), path);
        const auto& s = g().song;
        EXPECT_TRUE(rig.dialogs.messages.empty());
        EXPECT_FALSE(s.songTitle.empty());
        EXPECT_EQ(s.songComposer.empty(), false);
        ASSERT_GE(s.timeSig, 1);
        ASSERT_LE(s.timeSig, 5);
        EXPECT_GE(g().ui.pgScroll.max, 4);
        timeSigs[static_cast<std::size_t>(s.timeSig)] = true;
        capo |= s.capo > 0;
        droppedD |= s.altTuning[1] == -2;
        sharpKey |= s.songKey % 2 == 1 && s.songKey > 1;
        flatKey |= s.songKey % 2 == 0 && s.songKey > 0;
        // Bars counted in thirds of a tick so that a triplet of 5-tick notes fills 16 ticks.
        const int bar = 3 * s.barTicks[s.timeSig];
        int inBar = 0;
        for (int n = 1; n <= s.noteCount; ++n) {
            const int d = s.noteDur[n];
            if (d == kEndOfPage) {
                EXPECT_EQ(inBar, 0) << "page ends inside a bar at note " << n;
                inBar = 0;
                continue;
            }
            ASSERT_LT(d, 90) << n;
            triplet |= d == 5 || d == 11;
            inBar += d == 5 ? 16 : d == 11 ? 32 : 3 * d;
            for (int str = 1; str <= 6; ++str) {
                const int f = s.noteFret(n, str);
                EXPECT_TRUE(f >= -4 && f != -2 && f <= 47) << n;
                bend |= f == kBend;
                muted |= f == kMuted;
                if (f >= kHeldBase && inBar == 3 * d) tieOverBar = true;
            }
            ASSERT_LE(inBar, bar) << "note " << n << " crosses a bar line";
            if (inBar == bar) inBar = 0;
        }
        EXPECT_EQ(inBar, 0) << "the last bar is short";
    }
    EXPECT_TRUE(std::accumulate(timeSigs.begin() + 1, timeSigs.end(), true,
                                [](bool all, bool t) { return all && t; }));
    EXPECT_TRUE(capo && droppedD && tieOverBar && triplet && bend && muted && sharpKey && flatKey);
}

}  // namespace
}  // namespace lutavo
