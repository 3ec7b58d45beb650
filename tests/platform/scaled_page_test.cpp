// The page drawn from the generated glyph sheets: at scale 1 exactly as before the page could
// be drawn finer, at 2 and 4 every glyph at the scale times its place.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/song_files.h"
#include "core/guitar.h"
#include "display/page_glyphs.h"
#include "display/page_render.h"
#include "fakes/test_rig.h"
#include "platform/qt/qt_picture_io.h"

namespace lutavo {
namespace {

// Every page of every sample song at scale 1, hashed when the renderer drew only that scale.
struct SongPages {
    const char* song;
    std::vector<std::uint64_t> pages;
};
const SongPages kPlainPages[] = {
    {"intro01.snx", {4481856710353620716u, 4627755713803404593u, 10158135200008833152u}},
    {"songs/amazing_grace.SNG",
     {12328386119724409736u, 9254723387693371746u, 14936693896044768528u, 1419852730751849670u}},
    {"songs/drunken_sailor.SNG",
     {10525232031353474235u, 14487959367894081606u, 2230443519245856655u, 4114224064836970708u,
      10525232031353474235u, 14487959367894081606u, 2230443519245856655u, 4114224064836970708u}},
    {"songs/greensleeves.SNG",
     {14443792697167289395u, 495859025848746881u, 15338937204610911152u, 3434416769894711121u}},
    {"songs/jingle_bells.SNG",
     {3114363026933778167u, 13298075520332842943u, 3114363026933778167u, 17535040717613504418u}},
    {"songs/minuet_in_g.SNG",
     {17331892696773810326u, 9240148619215789979u, 17331892696773810326u, 10311841279061099734u}},
    {"songs/moonlight_sonata.SNG",
     {10603602684773304018u, 5916064576328614098u, 17323549559018144085u, 7802395592544033301u}},
    {"songs/silent_night.SNG",
     {6060276660745108u, 14626813828210587012u, 18445789410949061346u, 18445789410949061346u,
      1892493282445067019u, 8761557784290864245u}},
};

std::uint64_t fnv(std::uint64_t h, const Picture& p) {
    for (Rgb px : p.pixels())
        h = (h ^ px) * 1099511628211ull;
    return h;
}

int darkness(Rgb px) {
    return 255 - ((px >> 16 & 0xFF) + (px >> 8 & 0xFF) + (px & 0xFF)) / 3;
}

// The fine picture's s x s block at (x, y), as the darkness of one plain pixel.
int blockDarkness(const Picture& fine, int s, int x, int y) {
    int sum = 0;
    for (int dy = 0; dy < s; ++dy)
        for (int dx = 0; dx < s; ++dx)
            sum += darkness(fine.pixel(x * s + dx, y * s + dy));
    return sum / (s * s);
}

// Plain pixels with ink where the fine page, brought down to the plain size, has none within
// one pixel, and the other way round: a glyph out of place shows up in one of the two.
int misplaced(const Picture& plain, const Picture& fine, int s) {
    auto near = [](auto dark, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dark(x + dx, y + dy)) return true;
        return false;
    };
    auto plainInk = [&](int x, int y) { return darkness(plain.pixel(x, y)) > 100; };
    auto fineInk = [&](int x, int y) { return blockDarkness(fine, s, x, y) > 50; };
    int bad = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if ((plainInk(x, y) && !near(fineInk, x, y)) ||
                (fineInk(x, y) && !near(plainInk, x, y)))
                ++bad;
    return bad;
}

class ScaledPage : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.defaults();
        g().sys.pictures = &io;
        loadPagePictures(g());
    }
    Guitar& g() { return rig.g(); }
    void show(const std::string& song, int page) {
        if (g().song.songFile.find(song) == std::string::npos)
            loadsong(g(), test::dataFolder() + song);
        g().ui.pgScroll.value = page;
        pgScroll_Change(g());
    }
    test::Rig rig;
    QtPictureIO io;
};

TEST_F(ScaledPage, PlainScaleIsUnchangedWhateverFineScalesAreDrawn) {
    ASSERT_TRUE(useFineScale(g(), 2, true));
    ASSERT_TRUE(useFineScale(g(), 4, true));
    for (const SongPages& s : kPlainPages) {
        for (std::size_t i = 0; i < s.pages.size(); ++i) {
            show(s.song, static_cast<int>(i) + 1);
            const auto& d = g().display;
            EXPECT_EQ(fnv(fnv(14695981039346656037ull, d.picscore), d.pictab), s.pages[i])
                << s.song << " page " << i + 1;
        }
        EXPECT_EQ(g().ui.pgScroll.max, static_cast<int>(s.pages.size())) << s.song;
    }
}

TEST_F(ScaledPage, FinePagesHoldEveryGlyphAtTheScaleTimesItsPlace) {
    ASSERT_TRUE(useFineScale(g(), 2, true));
    ASSERT_TRUE(useFineScale(g(), 4, true));
    for (const SongPages& s : kPlainPages) {
        for (int page = 1; page <= static_cast<int>(s.pages.size()); ++page) {
            show(s.song, page);
            const auto& d = g().display;
            for (const FinePage* fine : {&d.fine2, &d.fine4}) {
                ASSERT_EQ(fine->score.width(), d.picscore.width() * fine->scale);
                // The few pixels allowed are the clef's and the numerals' outlines, drawn
                // afresh at each scale.
                EXPECT_LE(misplaced(d.picscore, fine->score, fine->scale), 12)
                    << s.song << " page " << page << " x" << fine->scale;
                EXPECT_LE(misplaced(d.pictab, fine->tab, fine->scale), 0)
                    << s.song << " page " << page << " x" << fine->scale;
            }
        }
    }
}

}  // namespace
}  // namespace lutavo
