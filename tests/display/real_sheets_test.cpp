// The page drawn with the glyph sheets and backgrounds the build generates: every cell the
// drawing copies must hold ink where the drawing expects it.

#include <gtest/gtest.h>

#include "app/song_tables.h"
#include "core/data_files.h"
#include "core/messages.h"
#include "display/bmp_reader.h"
#include "display/page_draw.h"
#include "display/page_fixture.h"
#include "display/page_glyphs.h"
#include "display/page_render.h"
#include "theory/keys.h"

namespace lutavo::test {
namespace {

const char* const kSheets[] = {files::kScoreBackground, files::kTabBackground, files::kNoteGlyphs,
                               files::kFretGlyphs, files::kHeldFretGlyphs};

// Pixels that are not white inside a rectangle.
int inked(const Picture& p, int x, int y, int w, int h) {
    int n = 0;
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
            if (p.pixel(xx, yy) != kRgbWhite) ++n;
    return n;
}

class RealSheets : public PageTest {
  protected:
    void SetUp() override {
        for (const char* name : kSheets) {
            if (!fileExists(dataFolder() + name))
                GTEST_SKIP() << "the generated pictures are not built: " << name;
        }
        g.sys.pictures = &bmp;
        rig.dialogs.messages.clear();
        loadPagePictures(g);
        ASSERT_TRUE(rig.dialogs.messages.empty());
    }
    // More ink on the page than on its background in this rectangle.
    bool drawnAt(int x, int y, int w, int h) const {
        return inked(d.picscore, x, y, w, h) > inked(d.picscoreBackground, x, y, w, h);
    }
    BmpPictureIO bmp;
};

TEST_F(RealSheets, PicturesHaveTheSizesTheDrawingCopiesFrom) {
    EXPECT_EQ(d.picscoreBackground.width(), 601);
    EXPECT_EQ(d.picscoreBackground.height(), 140);
    EXPECT_EQ(d.pictabBackground.width(), 601);
    EXPECT_EQ(d.pictabBackground.height(), 54);
    EXPECT_EQ(d.picnotes.width(), 306);
    EXPECT_EQ(d.picnotes.height(), 29);
    EXPECT_EQ(d.pictabno.width(), 414);
    EXPECT_EQ(d.pictabno.height(), 9);
    EXPECT_EQ(d.pictabnx.width(), 289);
    EXPECT_EQ(d.pictabnx.height(), 9);
    // The staff and tab lines the drawing copies bar lines and ties from.
    EXPECT_NE(d.picscoreBackground.pixel(300, 66), kRgbWhite);
    EXPECT_NE(d.pictabBackground.pixel(595, 30), kRgbWhite);
}

TEST_F(RealSheets, ALineOfMusicPutsInkWhereEveryGlyphGoes) {
    for (int k = 0; k < 4; ++k)
        note(16, single(6, 0));
    note(16, kRest);
    note(5, single(1, 0));
    finish();
    g.song.songKey = 3;  // one sharp
    g.song.timeSig = 4;  // 4/4
    setkey(g);
    draw();
    EXPECT_TRUE(drawnAt(25, 56, 5, 18)) << "key signature";
    EXPECT_TRUE(drawnAt(38, 66, 10, 28)) << "time signature";
    const int head = g.keys.staffY[29] + 18;
    EXPECT_TRUE(drawnAt(90, head, 7, 6)) << "note head";
    EXPECT_TRUE(drawnAt(410, 70, 8, 18)) << "rest";
    // The fifth column starts the second bar: a full-height line on staff and tab.
    EXPECT_EQ(inked(d.picscore, 373, 66, 1, 28), 28);
    EXPECT_EQ(inked(d.pictab, 373, 8, 1, 39), 39);
    EXPECT_GT(inked(d.pictab, 88, 2, 12, 8), inked(d.pictabBackground, 88, 2, 12, 8));
    EXPECT_TRUE(drawnAt(489, 101, 12, 15)) << "ledger lines under the low E";
    // The triplet digit replaces what was there (the staff lines included).
    ASSERT_GT(inked(d.pictabno, 38, 0, 7, 9), 0);
    for (int dy = 0; dy < 9; ++dy)
        for (int dx = 0; dx < 7; ++dx)
            EXPECT_EQ(d.picscore.pixel(489 + dx, 65 + dy), d.pictabno.pixel(38 + dx, dy));
}

TEST_F(RealSheets, TheMarkedStretchIsInverted) {
    note(16, single(6, 0));
    note(16, single(6, 0));
    finish();
    clearPagePictures(g);
    drawMarkedRange(g, pageRunOf(g, 1), 1, 2);
    // Blank paper between two tab lines turns dark inside the stretch only.
    EXPECT_EQ(d.pictabBackground.pixel(150, 11), kRgbWhite);
    EXPECT_NE(d.pictab.pixel(150, 11), kRgbWhite);
    EXPECT_EQ(d.pictab.pixel(60, 11), d.pictabBackground.pixel(60, 11));
}

}  // namespace
}  // namespace lutavo::test
