#include <gtest/gtest.h>

#include "display/page_layout.h"
#include "song_fixture.h"

namespace lutavo::test {
namespace {

class PageLayout : public SongTest {
  protected:
    // A page of `notes` notes (not counting its end-of-page note) starting at note `first`.
    void makePage(int first, int notes) {
        song().curPage = 2;
        song().pageStart[2] = static_cast<i16>(first);
        song().pageStart[3] = static_cast<i16>(first + notes + 1);
        for (int n = first - 1; n <= first + notes + 1; ++n)
            song().noteX[n] = 50;
    }
};

TEST_F(PageLayout, EvenSpacingCappedAt80) {
    makePage(10, 4);
    layoutpage(g());
    EXPECT_EQ(g().display.noteSpacing, 80);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(song().noteX[10 + n], 100 + 80 * n) << n;
    EXPECT_EQ(song().noteX[14], 595);  // the end-of-page note
    EXPECT_EQ(song().noteX[9], 50);    // the page before is untouched
    EXPECT_EQ(song().noteX[15], 50);
}

TEST_F(PageLayout, SpacingRoundsHalfToEven) {
    makePage(1, 7);  // gaps 6: 475 / 6 = 79.17
    layoutpage(g());
    EXPECT_EQ(g().display.noteSpacing, 79);
    EXPECT_EQ(song().noteX[7], 100 + 6 * 79);
    makePage(1, 11);  // gaps 10: 47.5 rounds to 48
    layoutpage(g());
    EXPECT_EQ(g().display.noteSpacing, 48);
    makePage(1, 21);  // gaps 20: 23.75
    layoutpage(g());
    EXPECT_EQ(g().display.noteSpacing, 24);
    EXPECT_EQ(song().noteX[21], 580);
    EXPECT_EQ(song().noteX[22], 595);
}

TEST_F(PageLayout, OneNoteAndEmptyPages) {
    makePage(5, 1);
    layoutpage(g());
    EXPECT_EQ(g().display.noteSpacing, 80);
    EXPECT_EQ(song().noteX[5], 100);
    EXPECT_EQ(song().noteX[6], 595);

    makePage(5, 0);  // only the end-of-page note
    song().noteX[5] = 50;
    layoutpage(g());
    EXPECT_EQ(song().noteX[5], 595);
    EXPECT_EQ(song().noteX[4], 50);
}

TEST_F(PageLayout, PageTableOutsideTheArraysPlacesNothing) {
    song().curPage = 30;  // no entry after the last
    layoutpage(g());
    song().curPage = 1;
    song().pageStart[1] = -5;
    song().pageStart[2] = 0;
    layoutpage(g());
    EXPECT_EQ(song().noteX[-2], 0);
}

TEST_F(PageLayout, LoadedDrawnPagesAreLaidOutPageByPage) {
    load(songLines({"timesig=4"}, {"16000000000000", "16000000000000", "16000000000000", "99",
                                   "16000000000000", "16000000000000"}));
    EXPECT_EQ(song().noteX[1], 100);
    EXPECT_EQ(song().noteX[2], 180);
    EXPECT_EQ(song().noteX[3], 260);
    EXPECT_EQ(song().noteX[4], 595);
    EXPECT_EQ(song().noteX[5], 100);
    EXPECT_EQ(song().noteX[6], 180);
    EXPECT_EQ(song().noteX[7], 595);
}

TEST_F(PageLayout, PositionsFromTheFileAreKeptOnAnEarlierPage) {
    // The page just finished is laid out only when the note before the end still has 50.
    load(songLines({}, {"16000000000000300", "16000000000000450", "99", "16000000000000"}));
    EXPECT_EQ(song().noteX[1], 20);
    EXPECT_EQ(song().noteX[2], 30);
    EXPECT_EQ(song().noteX[4], 100);  // the last page is always laid out
}

}  // namespace
}  // namespace lutavo::test
