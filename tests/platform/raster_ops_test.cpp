// SPDX-License-Identifier: GPL-3.0-or-later
// The three ways a rectangle is combined with a picture, against pixels worked out by hand.

#include <gtest/gtest.h>

#include "platform/picture.h"

namespace lutavo {
namespace {

// A 2 x 2 destination and source with distinct colours in every channel; the source holds a
// black glyph pixel and a white background one. Copy replaces. And adds black and leaves white
// source alone: 0xF0F0F0 & 0x0FF00F = 0x00F000. Xor inverts under white: 0x123456 ^ 0xFFFFFF =
// 0xEDCBA9, 0xF0F0F0 ^ 0x0FF00F = 0xFF00FF.
TEST(RasterOps, EachOperationCombinesEveryChannel) {
    const std::vector<Rgb> dest = {0xFFFFFF, 0x123456, 0xF0F0F0, 0x000000};
    const std::vector<Rgb> src = {0x000000, 0xFFFFFF, 0x0FF00F, 0xABCDEF};
    const std::pair<RasterOp, std::vector<Rgb>> cases[] = {
        {RasterOp::Copy, src},
        {RasterOp::And, {0x000000, 0x123456, 0x00F000, 0x000000}},
        {RasterOp::Xor, {0xFFFFFF, 0xEDCBA9, 0xFF00FF, 0xABCDEF}}};
    for (const auto& [op, expected] : cases) {
        Picture d(2, 2), s(2, 2);
        for (int k = 0; k < 4; ++k) {
            d.setPixel(k % 2, k / 2, dest[static_cast<std::size_t>(k)]);
            s.setPixel(k % 2, k / 2, src[static_cast<std::size_t>(k)]);
        }
        d.blitAll(0, 0, s, op);
        EXPECT_EQ(d.pixels(), expected) << static_cast<int>(op);
    }
}

TEST(RasterOps, CopyIsClippedAtEveryEdge) {
    Picture dest(3, 3, 0x111111);
    Picture src(2, 2, 0x222222);
    dest.blitAll(-1, 2, src, RasterOp::Copy);  // only src (1, 0) lands, at (0, 2)
    EXPECT_EQ(std::tuple(dest.pixel(0, 2), dest.pixel(1, 2), dest.pixel(0, 1)),
              std::tuple(0x222222u, 0x111111u, 0x111111u));
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
