// What a loaded song does to the window: labels, transport, close button, pictures and sounds.
#include <gtest/gtest.h>

#include <cctype>

#include "core/data_files.h"
#include "song_fixture.h"

namespace lutavo::test {
namespace {

class SongWindow : public SongTest {
  protected:
    void loadTwo(const std::vector<std::string>& header, const std::string& name = "TEST.SNG") {
        load(songLines(header, {"16000000000000", "16000000000000"}), name);
    }
};

TEST_F(SongWindow, SongNameLabelColourAndNewSongRule) {
    loadTwo({}, "rock.sng");
    std::string upper = dir.path() + "rock.sng";
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(g().ui.lblsong.caption, upper);
    EXPECT_EQ(song().songFile, dir.path() + "rock.sng");  // the name as the file system has it
    EXPECT_EQ(g().ui.lblsong.color, kColorAvailable);
    EXPECT_EQ(song().songFolder, dir.path());

    loadTwo({}, "tune.snx");
    EXPECT_EQ(g().ui.lblsong.color, kColorUnavailable);

    loadTwo({}, "newsong.snx");
    EXPECT_TRUE(g().ui.lblsong.caption.ends_with("NEWSONG.SNG"));
    EXPECT_EQ(song().songFile, dir.path() + "newsong.SNG");
}

TEST_F(SongWindow, TransportNeedsTwoNotesOutsideTheEditor) {
    g().ui.btnsongentry[12].enabled = false;
    load(songLines({}, {"16000000000000"}));
    for (int i = 0; i <= 7; ++i) {
        if (i <= 5) {
            EXPECT_FALSE(g().ui.playbtn[i].enabled) << i;
        }
        EXPECT_EQ(g().ui.playtxt[i].color, kColorUnavailable) << i;
    }
    EXPECT_FALSE(g().ui.btnsongentry[12].enabled);

    loadTwo({});
    for (int i = 0; i <= 7; ++i) {
        if (i <= 5) {
            EXPECT_TRUE(g().ui.playbtn[i].enabled) << i;
        }
        EXPECT_EQ(g().ui.playtxt[i].color, kColorAvailable) << i;
    }
    for (int i : {12, 13}) {
        EXPECT_TRUE(g().ui.btnsongentry[i].enabled);
        EXPECT_EQ(g().ui.lblsongentry[i].color, kColorAvailable);
    }

    // The editor keeps the transport buttons for a one-note song, not STOP and REPEAT.
    g().app.appMode = kModeEditor;
    load(songLines({}, {"16000000000000"}));
    for (int i = 0; i <= 5; ++i)
        EXPECT_TRUE(g().ui.playbtn[i].enabled) << i;
    EXPECT_EQ(g().ui.playtxt[6].color, kColorUnavailable);
}

TEST_F(SongWindow, IntroSongTurnsCloseIntoExit) {
    loadTwo({}, "intro02.snx");
    EXPECT_EQ(g().app.introSong, 1);
    EXPECT_EQ(g().ui.lbllexit.caption, "EXIT");
    EXPECT_EQ(g().ui.btnlexit.tip, "Exit Lutavo");

    loadTwo({}, "INTRO.SNG");  // the test is case-sensitive
    EXPECT_EQ(g().app.introSong, 0);
    EXPECT_EQ(g().ui.lbllexit.caption, "CLOSE");
    EXPECT_EQ(g().ui.btnlexit.tip, "Close song");

    g().ui.btnlexit.tip = "Close lesson";
    g().app.appMode = kModeLesson;
    loadTwo({});
    EXPECT_EQ(g().ui.btnlexit.tip, "Close lesson");
}

TEST_F(SongWindow, TextsCaptionPointersAndCounters) {
    load(songLines({"title=Etude", "left=Drop D", "right=Sor", "pointer=on", "vpointer=x"},
                   {"16000000000000", "16000000000000", "16000000000000"}));
    EXPECT_EQ(g().ui.form.caption, "Lutavo - Etude");
    EXPECT_EQ(g().ui.lbltitle.caption, "Etude");
    EXPECT_EQ(g().ui.lblleft.caption, "Drop D");
    EXPECT_EQ(g().ui.lblright.caption, "Sor");
    EXPECT_EQ(g().ui.txtsititle.text, "Etude");
    EXPECT_TRUE(g().ui.pointer.visible);
    EXPECT_TRUE(g().ui.vpointer.visible);
    EXPECT_EQ(g().ui.lbloftotal.caption, "3");
    EXPECT_EQ(g().ui.ScrlNpntr.max, 3);
    EXPECT_TRUE(g().ui.ScrlNpntr.visible);
    EXPECT_EQ(g().ui.ScrlNpntr.value, 0);
    EXPECT_EQ(g().ui.pgScroll.value, 1);

    loadTwo({}, "B.SNG");
    EXPECT_FALSE(g().ui.pointer.visible);
    EXPECT_FALSE(g().ui.vpointer.visible);
    EXPECT_EQ(g().ui.lbltitle.caption, "");
    EXPECT_EQ(g().ui.form.caption, "Lutavo");
}

TEST_F(SongWindow, MetronomeStyleAndDelay) {
    loadTwo({"metro=on", "tempo=5"});
    EXPECT_EQ(g().ui.outtxt[2].color, 0x0000FFu);
    EXPECT_EQ(g().ntimer.interval, song().tempoInterval[5]);
    loadTwo({"metro=off"});
    EXPECT_EQ(song().metroOn, 0);
    EXPECT_EQ(g().ui.outtxt[2].color, kColorAvailable);

    // A style switches the sound button and reopens the device.
    g().config.preferredSound = 0;
    g().ui.outbtn[2].visible = true;
    g().ui.outbtn[4].visible = false;
    const int closesBefore = rig.midi.closes;
    loadTwo({"style=2"});
    EXPECT_EQ(g().config.preferredSound, 2);
    EXPECT_FALSE(g().ui.outbtn[2].visible);
    EXPECT_TRUE(g().ui.outbtn[4].visible);
    EXPECT_GT(rig.midi.closes, closesBefore);

    // A delay changes only an active lead-in, and to at most eight beats.
    g().config.defaultLeadIn = 0;
    loadTwo({"delay=4"});
    EXPECT_EQ(g().config.defaultLeadIn, 0);
    g().config.defaultLeadIn = 2;
    loadTwo({"delay=4"});
    EXPECT_EQ(g().config.defaultLeadIn, 4);
    loadTwo({"delay=20"});
    EXPECT_EQ(g().config.defaultLeadIn, 8);
}

TEST_F(SongWindow, ClipPlayedAfterLoadingAndLessonPicture) {
    const std::string app = g().app.appFolder;
    g().config.playIntroClips = 1;
    loadTwo({});
    loadTwo({});
    loadTwo({"playwav=hello.wav"});
    g().config.playIntroClips = 0;
    loadTwo({"playwav=hello.wav", "lessonpic=scales.bmp"});
    const std::vector<std::string> expected = {app + files::kWelcomeClip, app + files::kLoadClip,
                                               dir.path() + "hello.wav", app + files::kLoadClip};
    EXPECT_EQ(rig.wave.played, expected);
    EXPECT_FALSE(g().app.firstSong);

    EXPECT_EQ(song().lessonPicture, "scales.bmp");
    EXPECT_EQ(g().ui.NewLessonPic.file, g().app.dataFolder + "scales.bmp");
    EXPECT_TRUE(g().ui.NewLessonPic.visible);
}

TEST_F(SongWindow, PicturePagesLockTheSongAndCountFrames) {
    Picture pages(400, 300);
    pages.setPixel(5, 150, kRgbBlack);  // first pixel of the second page
    pictures.files[dir.path() + "Pages.bmp"] = pages;
    load(songLines({"page=Pages.bmp", "frames=2", "size=2990"},
                   {"16000000000000", "99", "16000000000000"}));
    EXPECT_EQ(song().pagePicture, "PAGES.BMP");
    EXPECT_TRUE(song().songLocked);
    EXPECT_FALSE(g().ui.pnlscore.visible);
    EXPECT_TRUE(g().ui.pagepic.visible);
    EXPECT_FALSE(g().ui.lbltitle.visible);
    EXPECT_EQ(song().pageHeight, 3000);
    EXPECT_EQ(g().display.pagewindow.width(), 400);
    EXPECT_EQ(g().display.pagewindowCells.rows, 2);
    EXPECT_EQ(g().ui.pgScroll.max, 2);  // end-of-page codes add no picture pages
    EXPECT_EQ(song().noteX[1], 50);     // picture pages are not laid out
    EXPECT_TRUE(rig.dialogs.messages.empty());

    // A song without "page=" keeps the page kind of the one before.
    loadTwo({}, "NEXT.SNG");
    EXPECT_EQ(song().pagePicture, "PAGES.BMP");

    load(songLines({"page=INTERNAL", "frames=2"}, {"16000000000000", "99", "16000000000000"}),
         "DRAWN.SNG");
    EXPECT_EQ(song().pagePicture, "INTERNAL");
    EXPECT_EQ(g().ui.pgScroll.max, 3);  // drawn frames add to the end-of-page codes
    EXPECT_FALSE(g().ui.pagepic.visible);
    EXPECT_TRUE(g().ui.pnlscore.visible);
    EXPECT_TRUE(g().ui.lbltitle.visible);
    EXPECT_EQ(song().pageHeight, 3000);
    EXPECT_TRUE(g().display.pagewindow.empty());
    EXPECT_FALSE(song().songLocked);
}

TEST_F(SongWindow, FramesBeforePageCountPagesAndAMissingPictureIsReported) {
    loadTwo({"page=gone.bmp"});
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_NE(rig.dialogs.messages[0].text.find(dir.path() + "gone.bmp"), std::string::npos);
    EXPECT_TRUE(g().display.pagewindow.empty());

    pictures.files[dir.path() + "p.bmp"] = Picture(100, 300);
    loadTwo({"frames=3", "page=p.bmp"});
    EXPECT_EQ(g().ui.pgScroll.max, 3);
    EXPECT_EQ(g().display.pagewindowCells.rows, 1);
}

}  // namespace
}  // namespace lutavo::test
