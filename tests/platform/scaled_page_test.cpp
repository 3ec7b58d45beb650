// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/song_files.h"
#include "display/page_glyphs.h"
#include "display/page_render.h"
#include "fakes/test_rig.h"
#include "services/qt/qt_picture_io.h"

namespace lutavo {
namespace {

// Every page of every sample song at scale 1, hashed when only that scale was drawn.
constexpr std::uint64_t kPlainPages = 6518924516876971747u;

bool dark(const Picture& p, int s, int x, int y) {
    int sum = 0;
    for (int d = 0; d < s * s; ++d) {
        const Rgb px = p.pixel(x * s + d % s, y * s + d / s);
        sum += 765 - static_cast<int>((px >> 16) + (px >> 8 & 0xFF) + (px & 0xFF));
    }
    return sum > 150 * s * s;
}

// Pixels dark on one picture with nothing dark within a pixel on the other (taken block by block).
int misplaced(const Picture& plain, const Picture& fine, int s) {
    auto near = [](const Picture& p, int ps, int x, int y) {
        for (int d = 0; d < 9; ++d)
            if (dark(p, ps, x + d % 3 - 1, y + d / 3 - 1)) return true;
        return false;
    };
    int bad = 0;
    for (int i = 0; i < plain.width() * plain.height(); ++i) {
        const int x = i % plain.width(), y = i / plain.width();
        bad += (dark(plain, 1, x, y) && !near(fine, s, x, y)) ||
               (dark(fine, s, x, y) && !near(plain, 1, x, y));
    }
    return bad;
}

TEST(ScaledPage, PlainPagesUnchangedAndFinePagesInPlace) {
    test::Rig rig;
    QtPictureIO io;
    Guitar& g = rig.g();
    rig.defaults();
    g.sys.pictures = &io;
    loadPagePictures(g);
    ASSERT_TRUE(useFineScale(g, 2, true) && useFineScale(g, 4, true));
    const auto& d = g.display;
    std::uint64_t all = 14695981039346656037ull;
    for (const char* song :
         {"intro01.snx", "songs/amazing_grace.SNG", "songs/drunken_sailor.SNG",
          "songs/greensleeves.SNG", "songs/jingle_bells.SNG", "songs/minuet_in_g.SNG",
          "songs/moonlight_sonata.SNG", "songs/silent_night.SNG"}) {
        loadsong(g, test::dataFolder() + song);
        for (int& page = g.ui.pgScroll.value = 1; page <= g.ui.pgScroll.max; ++page) {
            pgScroll_Change(g);
            std::uint64_t h = 14695981039346656037ull;
            for (const Picture* p : {&d.picscore, &d.pictab})
                for (Rgb px : p->pixels())
                    h = (h ^ px) * 1099511628211ull;
            all = (all ^ h) * 1099511628211ull;
            // Only the outlines of the clef and the numerals, drawn afresh at each scale, differ.
            for (const FinePage* f : {&d.fine2, &d.fine4})
                EXPECT_EQ(std::pair(misplaced(d.picscore, f->score, f->scale) <= 12,
                                    misplaced(d.pictab, f->tab, f->scale)),
                          std::pair(true, 0))
                    << song << " page " << page << " x" << f->scale;
        }
    }
    EXPECT_EQ(all, kPlainPages);
}

}  // namespace
}  // namespace lutavo
