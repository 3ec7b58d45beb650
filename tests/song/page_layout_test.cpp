#include <gtest/gtest.h>

#include "display/page_layout.h"
#include "song_fixture.h"

namespace lutavo::test {
namespace {

class PageLayout : public SongTest {};

struct LayoutCase {
    int first, notes;  // page 2: `notes` notes from `first`, then its end-of-page note
    int spacing;       // even spacing from x 100, capped at 80; halves round to even
};

TEST_F(PageLayout, EvenSpacingFromTheLeftAndTheEndOfPageAt595) {
    const LayoutCase cases[] = {{10, 4, 80}, {5, 1, 80}, {1, 7, 79},  // 475 / 6 = 79.17
                                {1, 11, 48},                          // 47.5
                                {1, 21, 24},                          // 23.75
                                {5, 0, 0}};
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.notes);
        song().curPage = 2;
        song().pageStart[2] = static_cast<i16>(c.first);
        song().pageStart[3] = static_cast<i16>(c.first + c.notes + 1);
        for (int n = c.first - 1; n <= c.first + c.notes + 1; ++n)
            song().noteX[n] = 50;
        layoutpage(g());
        if (c.notes > 0) {
            EXPECT_EQ(g().display.noteSpacing, c.spacing);
        }
        for (int n = 0; n < c.notes; ++n)
            EXPECT_EQ(song().noteX[c.first + n], 100 + c.spacing * n) << n;
        EXPECT_EQ(song().noteX[c.first + c.notes], 595);
        EXPECT_EQ(song().noteX[c.first - 1], 50);  // the pages around are untouched
        EXPECT_EQ(song().noteX[c.first + c.notes + 1], 50);
    }
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
    const std::string n = "16000000000000";
    load(songLines({"timesig=4"}, {n, n, n, "99", n, n}));
    const std::array<int, 7> x = {100, 180, 260, 595, 100, 180, 595};
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(song().noteX[i], x[static_cast<std::size_t>(i - 1)]) << i;

    // The page just finished is laid out only when the note before the end still has 50.
    load(songLines({}, {"16000000000000300", "16000000000000450", "99", n}));
    EXPECT_EQ(song().noteX[1], 20);
    EXPECT_EQ(song().noteX[2], 30);
    EXPECT_EQ(song().noteX[4], 100);  // the last page is always laid out
}

}  // namespace
}  // namespace lutavo::test
