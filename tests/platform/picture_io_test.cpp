// Picture files: BMP files of every depth written byte by byte here, read through Qt, written
// back and read again with every pixel exact.

#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <functional>

#include "fakes/test_rig.h"
#include "platform/qt/picture_qimage.h"
#include "platform/qt/qt_picture_io.h"

namespace lutavo {
namespace {

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// An uncompressed bottom-up BMP. For 1, 4 and 8 bits valueAt gives palette indices, for 24
// and 32 bits 0xRRGGBB colours.
std::string encodeBmp(int width, int height, int bits, const std::vector<Rgb>& palette,
                      const std::function<std::uint32_t(int, int)>& valueAt) {
    const int stride = ((width * bits + 31) / 32) * 4;
    const int headerSize = 14 + 40 + 4 * static_cast<int>(palette.size());
    std::string file = "BM";
    put(file, headerSize + stride * height, 4);
    put(file, 0, 4);
    put(file, headerSize, 4);
    put(file, 40, 4);
    put(file, width, 4);
    put(file, height, 4);
    put(file, 1, 2);
    put(file, bits, 2);
    put(file, 0, 4);  // no compression
    put(file, stride * height, 4);
    put(file, 2835, 4);
    put(file, 2835, 4);
    put(file, static_cast<std::uint32_t>(palette.size()), 4);
    put(file, 0, 4);
    for (Rgb c : palette)
        put(file, c, 4);  // blue, green, red, 0: little-endian 0x00RRGGBB
    for (int y = height - 1; y >= 0; --y) {
        std::string row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = valueAt(x, y);
            if (bits < 8) {
                const int bit = x * bits;
                const int shift = 8 - bits - bit % 8;
                row[bit / 8] = static_cast<char>(row[bit / 8] | (v << shift));
            } else {
                const int bytes = bits / 8;
                for (int i = 0; i < bytes && i < 3; ++i)
                    row[x * bytes + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
            }
        }
        file += row;
    }
    return file;
}

// Pictures of an odd width, so every row is padded, with a pattern that differs by row and
// column.
constexpr int kWidth = 13;
constexpr int kHeight = 5;

std::uint32_t patternIndex(int x, int y, int colours) {
    return static_cast<std::uint32_t>((x * 3 + y * 5) % colours);
}

Rgb patternColour(int x, int y) {
    return static_cast<Rgb>((x * 19) << 16 | (y * 47) << 8 | (x * y * 3 + 7));
}

std::vector<Rgb> palette(int colours) {
    std::vector<Rgb> p;
    for (int i = 0; i < colours; ++i)
        p.push_back(static_cast<Rgb>(i << 16 | (255 - i) << 8 | ((i * 37) & 0xFF)));
    return p;
}

struct DepthCase {
    int bits;
    int colours;  // 0 for true colour
};

class BmpDepth : public ::testing::TestWithParam<DepthCase> {
  protected:
    Rgb expected(int x, int y) const {
        const DepthCase c = GetParam();
        if (c.colours == 0) return patternColour(x, y);
        return palette(c.colours)[patternIndex(x, y, c.colours)];
    }
    std::string writeSample() const {
        const DepthCase c = GetParam();
        const std::vector<Rgb> table = c.colours == 0 ? std::vector<Rgb>{} : palette(c.colours);
        const std::string bytes =
            encodeBmp(kWidth, kHeight, c.bits, table, [&](int x, int y) -> std::uint32_t {
                return c.colours == 0 ? patternColour(x, y) : patternIndex(x, y, c.colours);
            });
        return dir.write("sample.bmp", bytes);
    }
    void expectPattern(const Picture& p) const {
        ASSERT_EQ(p.width(), kWidth);
        ASSERT_EQ(p.height(), kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ(p.pixel(x, y), expected(x, y)) << "at " << x << "," << y;
    }

    test::TempDir dir;
    QtPictureIO io;
};

TEST_P(BmpDepth, ReadsEveryPixelExactly) {
    const std::string path = writeSample();
    Picture p;
    ASSERT_TRUE(io.load(path, p));
    expectPattern(p);
    EXPECT_EQ(p.source, path);
}

TEST_P(BmpDepth, WritesAndReadsBackEveryPixel) {
    Picture original;
    ASSERT_TRUE(io.load(writeSample(), original));
    const std::string copy = dir.path() + "copy.bmp";
    ASSERT_TRUE(io.save(copy, original));
    Picture back;
    ASSERT_TRUE(io.load(copy, back));
    expectPattern(back);
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpDepth,
                         ::testing::Values(DepthCase{1, 2}, DepthCase{4, 16}, DepthCase{8, 200},
                                           DepthCase{24, 0}, DepthCase{32, 0}),
                         [](const auto& param) {
                             return std::to_string(param.param.bits) + "bit";
                         });

int bmpBitsPerPixel(const std::string& bytes) {
    return static_cast<unsigned char>(bytes[28]) | static_cast<unsigned char>(bytes[29]) << 8;
}

TEST(BmpWrite, UsesTheSmallestDepthThatKeepsThePixels) {
    test::TempDir dir;
    QtPictureIO io;
    Picture p(9, 4, kRgbWhite);
    p.setPixel(1, 1, kRgbBlack);
    ASSERT_TRUE(io.save(dir.path() + "two.bmp", p));
    EXPECT_EQ(bmpBitsPerPixel(test::readFile(dir.path() + "two.bmp")), 1);

    p.setPixel(2, 2, 0x808080);
    ASSERT_TRUE(io.save(dir.path() + "three.bmp", p));
    EXPECT_EQ(bmpBitsPerPixel(test::readFile(dir.path() + "three.bmp")), 4);

    Picture many(300, 1);
    for (int x = 0; x < 300; ++x)
        many.setPixel(x, 0, static_cast<Rgb>(x * 0x010203));
    ASSERT_TRUE(io.save(dir.path() + "many.bmp", many));
    EXPECT_EQ(bmpBitsPerPixel(test::readFile(dir.path() + "many.bmp")), 24);
    Picture back;
    ASSERT_TRUE(io.load(dir.path() + "many.bmp", back));
    EXPECT_EQ(back.pixels(), many.pixels());
}

TEST(BmpWrite, SingleColourPictureRoundTrips) {
    test::TempDir dir;
    QtPictureIO io;
    const Picture grey(5, 3, 0x404040);
    ASSERT_TRUE(io.save(dir.path() + "grey.bmp", grey));
    Picture back;
    ASSERT_TRUE(io.load(dir.path() + "grey.bmp", back));
    EXPECT_EQ(back.pixels(), grey.pixels());
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

TEST(PictureFiles, UnwritablePlaceOrEmptyPictureFails) {
    test::TempDir dir;
    QtPictureIO io;
    EXPECT_FALSE(io.save(dir.path() + "no/such/folder/p.bmp", Picture(2, 2)));
    EXPECT_FALSE(io.save(dir.path() + "empty.bmp", Picture()));
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
