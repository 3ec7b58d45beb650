#include <gtest/gtest.h>

#include <string>

#include "app/chord_library.h"
#include "app/editor_mode.h"
#include "app/mode_bar.h"
#include "app/scale_library.h"
#include "app/song_tables.h"
#include "fakes/test_rig.h"

namespace lutavo {
namespace {

class Library : public test::Started {
  protected:
    // Menu item `index` chosen from the CHORDS (or SCALES) button of the mode bar.
    void choose(int button, int index) {
        rig.dialogs.menuAnswers.push_back(index);
        modeBarPress(g(), button);
    }
    std::string texts() {
        const auto& ui = g().ui;
        return test::join(ui.lblsong.caption, ui.lbltitle.caption, ui.lblleft.caption,
                          ui.lblright.caption, ui.form.caption);
    }

};

TEST_F(Library, RootCMajorFillsALockedPageOfWholeNotesAndItsCaptions) {
    choose(kModeBarChords, 0);
    const auto& s = g().song;
    EXPECT_EQ(texts(), test::join("C  Chords", "C  Major Chords", "1 3 5",
                                  "Harmonic function: Major", "Lutavo - C  Major Chords"));
    EXPECT_EQ(test::join(g().app.appMode, s.songKey, s.songLocked, s.noteCount, s.noteDur[1],
                         s.noteDur[s.noteCount + 1], s.pageStart[2], g().ui.lbllexit.caption,
                         g().ui.btnlexit.tip, g().ui.mnuchords.items[0].checked,
                         g().ui.pnlscore.at.top, g().ui.picscore.at.top, g().ui.pictab.at.top),
              test::join(kModeChords, 1, true, 8, 64, 0, 10, "CLOSE", "Close Chords", true, 440,
                         -395, 1515));
    EXPECT_EQ(test::join(s.noteFret(1, 1), s.noteFret(1, 2), s.noteFret(1, 4)),
              test::join(-1, 3, 0));  // the open C shape, written as the search gave it
}

// Sharp and flat roots spell the page in their own key; the menu checks the root chosen.
TEST_F(Library, RootsSpellTheirNamesInTheirKey) {
    const std::pair<int, std::string> roots[] = {{1, "15|C# Chords|"}, {2, "10|Db Chords|"},
                                                 {4, "1|D# Chords|"},  {11, "1|G# Chords|"},
                                                 {14, "1|A# Chords|"}, {15, "4|Bb Chords|"}};
    for (const auto& [item, expected] : roots) {
        choose(kModeBarChords, item);
        EXPECT_EQ(test::join(g().song.songKey, g().ui.lblsong.caption), expected);
        EXPECT_TRUE(g().ui.mnuchords.items[static_cast<std::size_t>(item)].checked);
    }
}

// The first 375 twips of the strip hold no type, and nothing lies past cell 25.
TEST_F(Library, StripClicksChooseTheTypeUnderThePress) {
    pagepic_MouseDown(g(), kMouseLeft, 0, 9000, 10);  // not open: ignored
    EXPECT_EQ(g().app.appMode, kModeSongs);
    choose(kModeBarChords, 0);
    const std::pair<double, const char*> clicks[] = {
        {300, "Major"}, {9000, "11th"},         {9375, "13th"},        {9749.4, "13th"},
        {9750, "13th"}, {14 * 375 + 10, "7th"}, {3 * 375, "Major 7th"}};
    for (const auto& [x, type] : clicks) {
        pagepic_MouseDown(g(), kMouseLeft, 0, x, 10);
        EXPECT_EQ(g().library.chordTypeName, type) << x;
    }
    EXPECT_EQ(texts(), test::join("C  Chords", "C  Major 7th Chords", "1 3 5 #7",
                                  "Harmonic function: Major", "Lutavo - C  Major 7th Chords"));
}

// Shapes start at the capo: high up the neck too few are left to play.
TEST_F(Library, ACapoHighUpLeavesTooFewShapesForTheTransport) {
    g().song.altTuning[1] = -2;  // dropped D
    buildpitchtable(g());
    for (const auto& [capo, shapes] : {std::pair{5, 8}, {14, 1}, {16, 0}}) {
        g().song.capo = static_cast<i16>(capo);
        choose(kModeBarChords, 0);
        EXPECT_EQ(
            test::join(g().song.noteCount, g().ui.playbtn[kPlay].enabled, g().ui.ScrlNpntr.enabled),
            test::join(shapes, shapes >= 2, shapes >= 1));
    }
}

TEST_F(Library, CloseRestoresThePageAndTheStartupSong) {
    for (int button : {kModeBarChords, kModeBarScales}) {
        choose(button, 3);
        btnlexit_Click(g());
        const auto& ui = g().ui;
        EXPECT_EQ(test::join(g().app.appMode, ui.pnlscore.at.top, ui.pnlscore.at.height,
                             ui.picscore.at.top, ui.pictab.at.top, ui.lbltitle.at.top,
                             ui.lblleft.at.top, ui.pagepic.visible, g().song.songLocked),
                  test::join(kModeSongs, 75, 2670, -30, 1880, 3, 1, false, false));
        EXPECT_NE(ui.lblsong.caption.find("INTRO01.SNX"), std::string::npos);
    }
}

TEST_F(Library, ScalesShowTheFingeringOfTheChosenType) {
    choose(kModeBarScales, 13);  // A
    EXPECT_EQ(texts(), test::join("A Scales", "A Major Scale", "1 2 3 4 5 6 7", "7 positions",
                                  "Lutavo - A Major Scale"));
    EXPECT_EQ(g().app.appMode, kModeScales);
    scaleStrip_MouseDown(g(), 6 * kScaleCellTwips + 1);  // minor pentatonic
    const auto& s = g().song;
    EXPECT_EQ(test::join(g().ui.lbltitle.caption, g().ui.lblleft.caption, s.noteDur[1],
                         s.noteFret(1, 1), s.noteFret(1, 2), g().ui.lblright.caption),
              test::join("A Minor Pentatonic Scale", "1 b3 4 5 b7", 16, 0, -1, "5 positions"));
    scaleStrip_MouseDown(g(), 13 * kScaleCellTwips);  // past the last type: ignored
    EXPECT_EQ(g().library.scaleType, 6);
    choose(kModeBarChords, 0);  // the chord library takes over the page
    EXPECT_EQ(test::join(g().app.appMode, g().ui.mnuscales.items[13].checked),
              test::join(kModeChords, false));
}

}  // namespace
}  // namespace lutavo
