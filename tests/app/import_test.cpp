// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "app/mode_bar.h"
#include "app/song_files.h"
#include "core/control_ids.h"
#include "editor/editor_commands.h"
#include "fakes/test_rig.h"
#include "formats/fixtures/gp_fixture.h"

namespace lutavo {
namespace {

class Import : public test::Started {
  protected:
    void SetUp() override {
        Started::SetUp();
        rig.dialogs.messages.clear();
    }
    void open(const std::string& path) {
        rig.dialogs.fileAnswers.push_back(path);
        modeBarPress(g(), kModeBarSongs);
    }
    bool showsIntro() { return g().ui.lblsong.caption.find("INTRO01.SNX") != std::string::npos; }

    // A bass track and a guitar track of bars quarters, each bar four quarters.
    std::string band(int bars) {
        test::GpSong s;
        s.title = "Band";
        test::GpTrack bass;
        bass.name = "Bass";
        bass.tuning = {43, 38, 33, 28};
        s.tracks.insert(s.tracks.begin(), bass);
        for (int b = 0; b < bars; ++b) {
            test::GpBar bar;
            bar.tracks = {{test::quarter(4, 0)},
                          std::vector<test::GpBeat>(4, test::quarter(1, b % 12))};
            s.bars.push_back(bar);
        }
        return dir.write("band.gp5", test::gpFile(s));
    }

    test::TempDir dir;
};

TEST_F(Import, SongsOpensAnotherProgramsFileThroughTheTrackPicker) {
    open(band(2));
    ASSERT_EQ(rig.dialogs.choices.size(), 1u);
    const ChoiceRequest& asked = rig.dialogs.choices[0];
    EXPECT_EQ(asked.items.size(), 2u);
    EXPECT_EQ(asked.preselected, 1);  // the six-string guitar, not the bass
    EXPECT_EQ(test::join(g().song.songFile, g().song.songTitle, g().song.noteCount),
              test::join(dir.path() + "band.SNG", "Band", 8));
    EXPECT_NE(g().ui.lblsong.caption.find("BAND.SNG"), std::string::npos);
    EXPECT_TRUE(rig.dialogs.messages.empty());

    // A cancelled choice keeps the song on screen.
    rig.dialogs.choiceAnswers.push_back(-1);
    open(band(3));
    EXPECT_EQ(g().song.noteCount, 8);
}

TEST_F(Import, ARefusedFileIsReportedAndTheSongStays) {
    open(dir.write("broken.gp5", "FICHIER GUITAR PRO v5.00 but nothing more"));
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].text.rfind(
                  "The file " + dir.path() + "broken.gp5 cannot be imported: ", 0),
              0u);
    EXPECT_TRUE(showsIntro());
}

TEST_F(Import, ALongPieceIsShownAsItsFirstPartAndSaveWritesTheOthersBesideIt) {
    // 120 bars of four quarters: 30 lines of four bars, one line more than a song has.
    open(band(120));
    EXPECT_EQ(g().song.songFile, dir.path() + "band-1.SNG");
    EXPECT_EQ(g().song.songTitle, "Band (1 of 2)");
    EXPECT_EQ(g().ui.pgScroll.max, kMaxPages);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_NE(rig.dialogs.messages[0].text.find("made into 2 songs"), std::string::npos);
    EXPECT_NE(rig.dialogs.messages[0].text.find("band-1.SNG, band-2.SNG"), std::string::npos);

    modeBarPress(g(), kModeBarEdit);
    ASSERT_EQ(g().app.appMode, kModeEditor);
    rig.dialogs.fileAnswers.push_back(dir.path() + "mine-1.SNG");
    btnsongentry_Click(g(), kEditorSave);
    EXPECT_TRUE(std::filesystem::exists(dir.path() + "mine-1.SNG"));
    EXPECT_EQ(rig.dialogs.messages.back().text,
              "The other parts were saved beside it:\n" + dir.path() + "mine-2.SNG");
    EXPECT_TRUE(g().app.importedParts.texts.empty());

    loadsong(g(), dir.path() + "mine-2.SNG");
    EXPECT_EQ(test::join(g().song.songTitle, g().song.noteCount), test::join("Band (2 of 2)", 16));
}

}  // namespace
}  // namespace lutavo
