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
        load(songLines(header, {kNote, kNote}), name);
    }
    // Which of PLAY..REPEAT are enabled and which of their labels show as available.
    std::string transport() {
        std::string out;
        for (int i = 0; i <= 7; ++i)
            out += std::string(i <= 5 && g().ui.playbtn[i].enabled ? "E" : "-") +
                   (g().ui.playtxt[i].color == kColorAvailable ? "a " : "- ");
        return out;
    }
};

TEST_F(SongWindow, SongNameLabelColourAndNewSongRule) {
    loadTwo({}, "rock.sng");
    std::string upper = dir.path() + "rock.sng";
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // The label in capitals; the file name as the file system has it.
    EXPECT_EQ(join(g().ui.lblsong.caption, song().songFile, song().songFolder),
              join(upper, dir.path() + "rock.sng", dir.path()));
    EXPECT_EQ(g().ui.lblsong.color, kColorAvailable);
    loadTwo({}, "tune.snx");
    EXPECT_EQ(g().ui.lblsong.color, kColorUnavailable);
    loadTwo({}, "newsong.snx");
    EXPECT_TRUE(g().ui.lblsong.caption.ends_with("NEWSONG.SNG"));
    EXPECT_EQ(song().songFile, dir.path() + "newsong.SNG");
}

TEST_F(SongWindow, TransportNeedsTwoNotesOutsideTheEditor) {
    g().ui.btnsongentry[12].enabled = false;
    load(songLines({}, {kNote}));
    EXPECT_EQ(transport(), "-- -- -- -- -- -- -- -- ");
    EXPECT_FALSE(g().ui.btnsongentry[12].enabled);
    loadTwo({});
    EXPECT_EQ(transport(), "Ea Ea Ea Ea Ea Ea -a -a ");
    for (int i : {12, 13})
        EXPECT_EQ(join(g().ui.btnsongentry[i].enabled, g().ui.lblsongentry[i].color),
                  join(true, kColorAvailable));
    // The editor keeps the transport buttons for a one-note song, not STOP and REPEAT.
    g().app.appMode = kModeEditor;
    load(songLines({}, {kNote}));
    EXPECT_EQ(transport().substr(0, 20), "Ea Ea Ea Ea Ea Ea --");
}

TEST_F(SongWindow, IntroSongTurnsCloseIntoExit) {
    const auto closeButton = [&] {
        return join(g().app.introSong, g().ui.lbllexit.caption, g().ui.btnlexit.tip);
    };
    loadTwo({}, "intro02.snx");
    EXPECT_EQ(closeButton(), "1|EXIT|Exit Lutavo|");
    loadTwo({}, "INTRO.SNG");  // the test is case-sensitive
    EXPECT_EQ(closeButton(), "0|CLOSE|Close song|");
    g().ui.btnlexit.tip = "Close lesson";
    g().app.appMode = kModeLesson;
    loadTwo({});
    EXPECT_EQ(g().ui.btnlexit.tip, "Close lesson");
}

TEST_F(SongWindow, TextsCaptionPointersAndCounters) {
    const auto& ui = g().ui;
    const auto texts = [&] {
        return join(ui.form.caption, ui.lbltitle.caption, ui.lblleft.caption, ui.lblright.caption,
                    ui.txtsititle.text, ui.pointer.visible, ui.vpointer.visible);
    };
    load(songLines({"title=Etude", "left=Drop D", "right=Sor", "pointer=on", "vpointer=x"},
                   {kNote, kNote, kNote}));
    EXPECT_EQ(texts(), "Lutavo - Etude|Etude|Drop D|Sor|Etude|1|1|");
    EXPECT_EQ(join(ui.lbloftotal.caption, ui.ScrlNpntr.max, ui.ScrlNpntr.visible,
                   ui.ScrlNpntr.value, ui.pgScroll.value),
              "3|3|1|0|1|");
    loadTwo({}, "B.SNG");
    EXPECT_EQ(texts(), "Lutavo|||||0|0|");
}

TEST_F(SongWindow, MetronomeStyleAndDelay) {
    loadTwo({"metro=on", "tempo=5"});
    EXPECT_EQ(g().ui.outtxt[2].color, 0x0000FFu);
    EXPECT_EQ(g().ntimer.interval, song().tempoInterval[5]);
    loadTwo({"metro=off"});
    EXPECT_EQ(join(song().metroOn, g().ui.outtxt[2].color), join(0, kColorAvailable));

    // A style switches the sound button and reopens the device.
    g().config.preferredSound = 0;
    g().ui.outbtn[2].visible = true;
    g().ui.outbtn[4].visible = false;
    const int closesBefore = rig.midi.closes;
    loadTwo({"style=2"});
    EXPECT_EQ(join(g().config.preferredSound, g().ui.outbtn[2].visible, g().ui.outbtn[4].visible),
              "2|0|1|");
    EXPECT_GT(rig.midi.closes, closesBefore);

    // A delay changes only an active lead-in, and to at most eight beats.
    for (const auto& [before, delay, after] : {std::array{0, 4, 0}, {2, 4, 4}, {2, 20, 8}}) {
        g().config.defaultLeadIn = static_cast<i16>(before);
        loadTwo({"delay=" + std::to_string(delay)});
        EXPECT_EQ(g().config.defaultLeadIn, after) << before << " " << delay;
    }
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
    EXPECT_EQ(join(song().lessonPicture, g().ui.NewLessonPic.file, g().ui.NewLessonPic.visible),
              join("scales.bmp", g().app.dataFolder + "scales.bmp", true));
}

TEST_F(SongWindow, PicturePagesLockTheSongAndCountFrames) {
    const auto page = [&] {
        return join(song().pagePicture, song().songLocked, g().ui.pnlscore.visible,
                    g().ui.pagepic.visible, g().ui.lbltitle.visible, song().pageHeight,
                    g().ui.pgScroll.max);
    };
    Picture pages(400, 300);
    pages.setPixel(5, 150, kRgbBlack);  // first pixel of the second page
    pictures.files[dir.path() + "Pages.bmp"] = pages;
    const std::vector<std::string> twoPages = {kNote, "99", kNote};
    load(songLines({"page=Pages.bmp", "frames=2", "size=2990"}, twoPages));
    // End-of-page codes add no picture pages.
    EXPECT_EQ(page(), "PAGES.BMP|1|0|1|0|3000|2|");
    EXPECT_EQ(g().display.pagewindow.width(), 400);
    EXPECT_EQ(g().display.pagewindowCells.rows, 2);
    EXPECT_EQ(song().noteX[1], 50);  // picture pages are not laid out
    EXPECT_TRUE(rig.dialogs.messages.empty());

    loadTwo({}, "NEXT.SNG");  // a song without "page=" keeps the page kind of the one before
    EXPECT_EQ(song().pagePicture, "PAGES.BMP");

    load(songLines({"page=INTERNAL", "frames=2"}, twoPages), "DRAWN.SNG");
    EXPECT_EQ(page(), "INTERNAL|0|1|0|1|3000|3|");  // drawn frames add to the end-of-page codes
    EXPECT_TRUE(g().display.pagewindow.empty());
}

TEST_F(SongWindow, FramesBeforePageCountPagesAndAMissingPictureIsReported) {
    loadTwo({"page=gone.bmp"});
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_NE(rig.dialogs.messages[0].text.find(dir.path() + "gone.bmp"), std::string::npos);
    EXPECT_TRUE(g().display.pagewindow.empty());

    pictures.files[dir.path() + "p.bmp"] = Picture(100, 300);
    loadTwo({"frames=3", "page=p.bmp"});
    EXPECT_EQ(join(g().ui.pgScroll.max, g().display.pagewindowCells.rows), "3|1|");
}

}  // namespace
}  // namespace lutavo::test
