// SPDX-License-Identifier: GPL-3.0-or-later
// Picture files: BMP files of every depth the writer picks and PNG files, written and read back
// with every pixel exact; bad files and places refused.

#include <gtest/gtest.h>

#include <QImage>

#include "fakes/test_rig.h"
#include "services/qt/picture_qimage.h"
#include "services/qt/qt_picture_io.h"

namespace lutavo {
namespace {

int bmpBits(const std::string& bytes) {
    return static_cast<unsigned char>(bytes[28]) | static_cast<unsigned char>(bytes[29]) << 8;
}

// Pictures of an odd width, so every row is padded, with n colours that differ by row and
// column; written as BMP at the smallest depth that keeps them, and read back exactly.
TEST(BmpWrite, RoundTripsEveryPixelAtTheSmallestDepth) {
    struct Case {
        int colours, bits;
    };
    for (auto c : {Case{1, 1}, {2, 1}, {3, 4}, {16, 4}, {17, 8}, {256, 8}, {257, 24}}) {
        SCOPED_TRACE(c.colours);
        test::TempDir dir;
        QtPictureIO io;
        Picture p(13, 21);
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 13; ++x)
                p.setPixel(x, y, static_cast<Rgb>((((y * 13 + x) % c.colours) << 4) ^ 0x123456));
        const std::string path = dir.path() + "p.bmp";
        ASSERT_TRUE(io.save(path, p));
        const std::string bytes = test::readFile(path);
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(bmpBits(bytes), c.bits);
        Picture back;
        ASSERT_TRUE(io.load(path, back));
        EXPECT_EQ(back.width(), 13);
        EXPECT_EQ(back.pixels(), p.pixels());
        EXPECT_EQ(back.source, path);
    }
}

TEST(PictureFiles, PngNameWritesPngInAnyCase) {
    test::TempDir dir;
    QtPictureIO io;
    Picture p(4, 4, 0x00FF00);
    p.setPixel(3, 3, 0x123456);
    ASSERT_TRUE(io.save(dir.path() + "shot.PNG", p));
    EXPECT_EQ(test::readFile(dir.path() + "shot.PNG").substr(1, 3), "PNG");
    Picture back;
    ASSERT_TRUE(io.load(dir.path() + "shot.PNG", back));
    EXPECT_EQ(back.pixels(), p.pixels());
}

TEST(PictureFiles, MissingOrDamagedFileLeavesThePictureAlone) {
    test::TempDir dir;
    QtPictureIO io;
    Picture p(2, 2, 0x010203);
    EXPECT_FALSE(io.load(dir.path() + "absent.bmp", p));
    EXPECT_FALSE(io.load(dir.write("bad.bmp", "BM this is not a bitmap"), p));
    EXPECT_EQ(p.width(), 2);
    EXPECT_EQ(p.pixel(1, 1), 0x010203u);
}

TEST(PictureImages, TransparencyIsLaidOverWhite) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));  // fully transparent
    image.setPixel(1, 0, qRgba(10, 20, 30, 255));
    const Picture p = toPicture(image);
    EXPECT_EQ(p.pixel(0, 0), kRgbWhite);
    EXPECT_EQ(p.pixel(1, 0), 0x0A141Eu);
    EXPECT_EQ(toQImage(p).pixel(1, 0), qRgb(10, 20, 30));
}

}  // namespace
}  // namespace lutavo
