// The three ways a rectangle is combined with a picture, against pixels worked out by hand.

#include <gtest/gtest.h>

#include "platform/picture.h"

namespace lutavo {
namespace {

// A 2 x 2 destination and source with distinct colours in every channel.
struct TwoByTwo : ::testing::Test {
    Picture dest{2, 2};
    Picture src{2, 2};
    void SetUp() override {
        dest.setPixel(0, 0, 0xFFFFFF);
        dest.setPixel(1, 0, 0x123456);
        dest.setPixel(0, 1, 0xF0F0F0);
        dest.setPixel(1, 1, 0x000000);
        src.setPixel(0, 0, 0x000000);  // a black glyph pixel
        src.setPixel(1, 0, 0xFFFFFF);  // white background
        src.setPixel(0, 1, 0x0FF00F);
        src.setPixel(1, 1, 0xABCDEF);
    }
    std::vector<Rgb> after(RasterOp op) {
        dest.blitAll(0, 0, src, op);
        return dest.pixels();
    }
};

TEST_F(TwoByTwo, EachOperationCombinesEveryChannel) {
    const std::vector<Rgb> before = dest.pixels();
    // Copy replaces. And adds black and leaves white source alone: 0xF0F0F0 & 0x0FF00F =
    // 0x00F000. Xor inverts under white: 0x123456 ^ 0xFFFFFF = 0xEDCBA9, 0xF0F0F0 ^ 0x0FF00F =
    // 0xFF00FF.
    const std::pair<RasterOp, std::vector<Rgb>> cases[] = {
        {RasterOp::Copy, {0x000000, 0xFFFFFF, 0x0FF00F, 0xABCDEF}},
        {RasterOp::And, {0x000000, 0x123456, 0x00F000, 0x000000}},
        {RasterOp::Xor, {0xFFFFFF, 0xEDCBA9, 0xFF00FF, 0xABCDEF}}};
    for (const auto& [op, expected] : cases) {
        dest = Picture(2, 2);
        for (int k = 0; k < 4; ++k)
            dest.setPixel(k % 2, k / 2, before[static_cast<std::size_t>(k)]);
        EXPECT_EQ(after(op), expected) << static_cast<int>(op);
    }
}

TEST_F(TwoByTwo, XorTwiceRestoresThePicture) {
    const std::vector<Rgb> before = dest.pixels();
    dest.blitAll(0, 0, src, RasterOp::Xor);
    dest.blitAll(0, 0, src, RasterOp::Xor);
    EXPECT_EQ(dest.pixels(), before);
}

TEST(RasterOps, CopyIsClippedAtEveryEdge) {
    Picture dest(3, 3, 0x111111);
    Picture src(2, 2, 0x222222);
    dest.blitAll(-1, 2, src, RasterOp::Copy);  // only src (1, 0) lands, at (0, 2)
    EXPECT_EQ(dest.pixel(0, 2), 0x222222u);
    EXPECT_EQ(dest.pixel(1, 2), 0x111111u);
    EXPECT_EQ(dest.pixel(0, 1), 0x111111u);
}

TEST(RasterOps, OverlappingCopyWithinOnePictureReadsTheOldPixels) {
    Picture p(4, 1);
    for (int x = 0; x < 4; ++x)
        p.setPixel(x, 0, static_cast<Rgb>(x + 1));
    p.blit(1, 0, p, 0, 0, 3, 1, RasterOp::Copy);
    EXPECT_EQ(p.pixels(), (std::vector<Rgb>{1, 1, 2, 3}));
}

}  // namespace
}  // namespace lutavo
