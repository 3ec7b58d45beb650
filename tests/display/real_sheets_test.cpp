// The page drawn with the glyph sheets and backgrounds the build generates: every cell the
// drawing copies must hold ink where the drawing expects it.

#include <gtest/gtest.h>

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
        for (const char* name : {files::kScoreBackground, files::kTabBackground, files::kNoteGlyphs,
                                 files::kFretGlyphs, files::kHeldFretGlyphs})
            if (!fileExists(dataFolder() + name))
                GTEST_SKIP() << "the generated pictures are not built: " << name;
        g.sys.pictures = &bmp;
        rig.dialogs.messages.clear();
        loadPagePictures(g);
        ASSERT_TRUE(rig.dialogs.messages.empty());
    }
    // More ink on the page than on its background in this rectangle.
    bool drawnAt(const Picture& page, const Picture& background, int x, int y, int w, int h) {
        return inked(page, x, y, w, h) > inked(background, x, y, w, h);
    }
    bool drawnAt(int x, int y, int w, int h) {
        return drawnAt(d.picscore, d.picscoreBackground, x, y, w, h);
    }
    BmpPictureIO bmp;
};

TEST_F(RealSheets, PicturesHaveTheSizesTheDrawingCopiesFrom) {
    const std::pair<const Picture*, std::pair<int, int>> sizes[] = {
        {&d.picscoreBackground, {601, 140}},
        {&d.pictabBackground, {601, 54}},
        {&d.picnotes, {306, 29}},
        {&d.pictabno, {414, 9}},
        {&d.pictabnx, {289, 9}}};
    for (const auto& [picture, size] : sizes)
        EXPECT_EQ(std::pair(picture->width(), picture->height()), size);
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
    EXPECT_TRUE(drawnAt(90, g.keys.staffY[29] + 18, 7, 6)) << "note head";
    EXPECT_TRUE(drawnAt(410, 70, 8, 18)) << "rest";
    EXPECT_TRUE(drawnAt(489, 101, 12, 15)) << "ledger lines under the low E";
    EXPECT_TRUE(drawnAt(d.pictab, d.pictabBackground, 88, 2, 12, 8)) << "fret number";
    // The fifth column starts the second bar: a full-height line on staff and tab.
    EXPECT_EQ(inked(d.picscore, 373, 66, 1, 28), 28);
    EXPECT_EQ(inked(d.pictab, 373, 8, 1, 39), 39);
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
