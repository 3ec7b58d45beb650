// SPDX-License-Identifier: GPL-3.0-or-later
// What a loaded song decides in the window: the transport and the close button.
#include <gtest/gtest.h>

#include "core/control_ids.h"
#include "song_fixture.h"

namespace lutavo::test {
namespace {

class SongWindow : public SongTest {
  protected:
    void loadTwo(const std::string& name) { load(songLines({}, {kNote, kNote}), name); }
    // Which transport buttons are enabled, then whether STOP and REPEAT show as available.
    std::string transport() {
        std::string out;
        for (int i = 0; i < kTransportPlayButtons; ++i)
            out += g().ui.playbtn[i].enabled ? "E" : "-";
        for (int i : {kStop, kRepeat})
            out += g().ui.playtxt[i].color == kColorAvailable ? "a" : "-";
        return out;
    }
};

TEST_F(SongWindow, TransportNeedsTwoNotesOutsideTheEditor) {
    load(songLines({}, {kNote}));
    EXPECT_EQ(transport(), "--------");
    loadTwo("TEST.SNG");
    EXPECT_EQ(transport(), "EEEEEEaa");
    // The editor keeps the transport buttons for a one-note song, not STOP and REPEAT.
    g().app.appMode = kModeEditor;
    load(songLines({}, {kNote}));
    EXPECT_EQ(transport(), "EEEEEE--");
}

TEST_F(SongWindow, IntroSongTurnsCloseIntoExit) {
    loadTwo("intro02.snx");
    EXPECT_EQ(join(g().app.introSong, g().ui.lbllexit.caption), "1|EXIT|");
    loadTwo("INTRO.SNG");  // the test is case-sensitive
    EXPECT_EQ(join(g().app.introSong, g().ui.lbllexit.caption), "0|CLOSE|");
}

}  // namespace
}  // namespace lutavo::test
