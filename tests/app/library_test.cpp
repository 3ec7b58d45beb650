// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/chord_library.h"
#include "app/editor_mode.h"
#include "app/library_page.h"
#include "app/mode_bar.h"
#include "app/scale_library.h"
#include "app/song_tables.h"
#include "display/scrolling.h"
#include "fakes/test_rig.h"
#include "playback/transport.h"
#include "theory/chord_types.h"
#include "theory/scale_fingering.h"

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
    EXPECT_EQ(texts(), test::join("C  Chords", "C  Major Chords", "1 3 5: C E G",
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
    EXPECT_EQ(texts(), test::join("C  Chords", "C  Major 7th Chords", "1 3 5 7: C E G B",
                                  "Harmonic function: Major", "Lutavo - C  Major 7th Chords"));
}

// Shapes start at the capo: high up the neck too few are left to play, or none (and it says so).
TEST_F(Library, ACapoHighUpLeavesTooFewShapesForTheTransport) {
    g().song.altTuning[1] = -2;  // dropped D
    buildpitchtable(g());
    for (const auto& [capo, shapes] : {std::pair{5, 8}, {14, 1}, {16, 0}}) {
        g().song.capo = static_cast<i16>(capo);
        choose(kModeBarChords, 0);
        EXPECT_EQ(
            test::join(g().song.noteCount, g().ui.playbtn[kPlay].enabled, g().ui.ScrlNpntr.enabled,
                       g().ui.lblright.caption),
            test::join(shapes, shapes >= 2, shapes >= 1,
                       shapes > 0 ? "Harmonic function: Major" : "No shape found in this tuning"));
    }
}

TEST_F(Library, CloseRestoresThePageAndTheStartupSong) {
    for (int button : {kModeBarChords, kModeBarScales}) {
        choose(button, 3);
        btnlexit_Click(g());
        const auto& ui = g().ui;
        EXPECT_EQ(test::join(g().app.appMode, ui.pnlscore.at.top, ui.pnlscore.at.height,
                             ui.picscore.at.top, ui.pictab.at.top, ui.lbltitle.at.top,
                             ui.lblleft.at.top, ui.pagepic.visible, g().song.songLocked,
                             ui.scrollpanel.at.top, ui.scrollpanel.at.height, ui.form.at.height),
                  test::join(kModeSongs, 75, 2670, -30, 1880, 3, 1, false, false, 0, 3000, 6800));
        EXPECT_NE(ui.lblsong.caption.find("INTRO01.SNX"), std::string::npos);
    }
}

// One position a page, named by its place and frets; the scroll bar, NEXT and BACK turn them.
TEST_F(Library, ScalesShowOnePositionAPageNamedByItsFrets) {
    choose(kModeBarScales, 13);  // A major: positions at the low string's frets 0 2 4 5 7 9 10
    const auto& ui = g().ui;
    EXPECT_EQ(texts(), test::join("A Scales", "A Major Scale", "1 2 3 4 5 6 7: A B C# D E F# G#",
                                  "Position 1 of 7, frets 0-3", "Lutavo - A Major Scale"));
    EXPECT_EQ(test::join(ui.pgScroll.max, ui.scrollpanel.visible, ui.scrollpanel.at.top),
              test::join(7, true, ui.pnlscore.at.top));
    const char* frets[] = {"0-3", "2-5", "4-7", "5-8", "7-10", "9-12", "10-13"};
    for (int page = 7; page >= 1; --page) {
        pgScroll_Scroll(g(), page);
        EXPECT_EQ(test::join(ui.lblright.caption, ui.lbltitle.visible, g().transport.curPage),
                  test::join("Position " + std::to_string(page) + " of 7, frets " + frets[page - 1],
                             true, page));
    }
    const int secondPage = g().song.pageStart[2];
    g().transport.curNote = static_cast<i16>(secondPage - 2);  // the last note of position 1
    playbtn_Click(g(), kNext);
    EXPECT_EQ(test::join(g().transport.curNote, ui.pgScroll.value, ui.lblright.caption),
              test::join(secondPage, 2, "Position 2 of 7, frets 2-5"));
    playbtn_Click(g(), kBack);
    EXPECT_EQ(test::join(g().transport.curNote, ui.lblright.caption),
              test::join(secondPage - 2, "Position 1 of 7, frets 0-3"));
    // Minor pentatonic above a capo at 2: its frets counted from the capo, as the tab prints them.
    scaleStrip_MouseDown(g(), 6 * kScaleCellTwips + 1);
    g().song.capo = 2;
    choose(kModeBarScales, 13);
    EXPECT_EQ(test::join(ui.lblleft.caption, ui.lblright.caption, g().song.noteFret(1, 1)),
              test::join("1 b3 4 5 b7: A C D E G", "Position 1 of 5, frets 1-4", 3));
}

// Every scale on every root: no two fret numbers overprint, the stems stay below the captions,
// the notes above the tablature, and the tablature above the note pointer.
TEST_F(Library, EveryScalePageKeepsItsNotesApartAndClearOfTheCaptions) {
    const auto& ui = g().ui;
    const auto& s = g().song;
    for (int root = 0; root < kMenuRoots; ++root) {
        choose(kModeBarScales, root);
        double captions = 0;
        for (const Label* l : {&ui.lbltitle, &ui.lblleft, &ui.lblright})
            captions = std::max(captions, (l->at.top + l->at.height) / 15.0);
        for (int cell = 1; cell <= kScaleTypeCount; ++cell) {
            scaleStrip_MouseDown(g(), cell * kScaleCellTwips + 1);
            EXPECT_LE((ui.pnlscore.at.top + ui.pictab.at.top) / 15 + 54, ui.pointer.at.top / 15);
            for (int n = 1; n <= s.noteCount; ++n) {
                for (int slot = 1; slot <= 6 && s.noteDur[n] != kEndOfPage; ++slot) {
                    if (s.noteFret(n, slot) < 0) continue;
                    const double y =
                        ui.picscore.at.top / 15.0 +
                        g().keys.staffY[g().tuning.pitchOf(slot, s.noteFret(n, slot)) + 5];
                    EXPECT_TRUE(y >= captions && y + 24 <= ui.pictab.at.top / 15.0 + 2)
                        << ui.lbltitle.caption << " note " << n;
                    EXPECT_TRUE(s.noteDur[n - 1] == kEndOfPage ||
                                s.noteX[n] - s.noteX[n - 1] >= 12);
                }
            }
        }
    }
}

}  // namespace
}  // namespace lutavo
