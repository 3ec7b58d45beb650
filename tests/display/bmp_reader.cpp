#include "display/bmp_reader.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace lutavo::test {

namespace {

std::uint32_t le(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int k = bytes - 1; k >= 0; --k)
        v = (v << 8) | b[at + static_cast<std::size_t>(k)];
    return v;
}

constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;

}  // namespace

bool readBmp(const std::string& path, Picture& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
    if (b.size() < kFileHeader + 40 || b[0] != 'B' || b[1] != 'M') return false;
    const std::uint32_t dataAt = le(b, 10, 4);
    const std::uint32_t infoSize = le(b, 14, 4);
    const int width = static_cast<std::int32_t>(le(b, 18, 4));
    const int rawHeight = static_cast<std::int32_t>(le(b, 22, 4));
    const int bits = static_cast<int>(le(b, 28, 2));
    const std::uint32_t compression = le(b, 30, 4);
    if (compression != kUncompressed && !(compression == kBitFields && bits == 32)) return false;
    if (width <= 0 || rawHeight == 0) return false;
    const bool bottomUp = rawHeight > 0;
    const int height = std::abs(rawHeight);

    std::vector<Rgb> palette;
    if (bits <= 8) {
        const std::size_t at = kFileHeader + infoSize;
        std::uint32_t colors = le(b, 46, 4);
        if (colors == 0) colors = 1u << bits;
        for (std::uint32_t k = 0; k < colors && at + 4 * k + 3 < b.size(); ++k) {
            const std::size_t p = at + 4 * k;
            palette.push_back((Rgb{b[p + 2]} << 16) | (Rgb{b[p + 1]} << 8) | b[p]);
        }
    }

    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (dataAt + stride * height > b.size()) return false;
    out.resize(width, height);
    for (int row = 0; row < height; ++row) {
        const int y = bottomUp ? height - 1 - row : row;
        const std::size_t line = dataAt + stride * row;
        for (int x = 0; x < width; ++x) {
            Rgb rgb = kRgbWhite;
            if (bits <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x) * bits;
                const int shift = 8 - bits - static_cast<int>(bit % 8);
                const unsigned index = (b[line + bit / 8] >> shift) & ((1u << bits) - 1);
                if (index < palette.size()) rgb = palette[index];
            } else if (bits == 24 || bits == 32) {
                const std::size_t p = line + static_cast<std::size_t>(x) * (bits / 8);
                rgb = (Rgb{b[p + 2]} << 16) | (Rgb{b[p + 1]} << 8) | b[p];
            } else {
                return false;
            }
            out.setPixel(x, y, rgb);
        }
    }
    out.source = path;
    return true;
}

}  // namespace lutavo::test
