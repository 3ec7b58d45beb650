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

TEST_F(TwoByTwo, CopyReplacesTheDestination) {
    EXPECT_EQ(after(RasterOp::Copy), (std::vector<Rgb>{0x000000, 0xFFFFFF, 0x0FF00F, 0xABCDEF}));
}

TEST_F(TwoByTwo, AndAddsBlackAndLeavesWhiteSourceAlone) {
    // 0xF0F0F0 & 0x0FF00F = 0x00F000; black destination stays black.
    EXPECT_EQ(after(RasterOp::And), (std::vector<Rgb>{0x000000, 0x123456, 0x00F000, 0x000000}));
}

TEST_F(TwoByTwo, XorInvertsUnderWhiteSource) {
    // 0x123456 ^ 0xFFFFFF = 0xEDCBA9; 0xF0F0F0 ^ 0x0FF00F = 0xFF00FF.
    EXPECT_EQ(after(RasterOp::Xor), (std::vector<Rgb>{0xFFFFFF, 0xEDCBA9, 0xFF00FF, 0xABCDEF}));
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
