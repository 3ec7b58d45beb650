#include "display/bmp_reader.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace lutavo::test {

bool BmpPictureIO::load(const std::string& path, Picture& out) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
    auto le = [&](std::size_t at, int bytes) {
        std::uint32_t v = 0;
        for (int k = bytes - 1; k >= 0; --k)
            v = (v << 8) | b[at + static_cast<std::size_t>(k)];
        return v;
    };
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    const int width = static_cast<std::int32_t>(le(18, 4));
    const int rawHeight = static_cast<std::int32_t>(le(22, 4));
    const int bits = static_cast<int>(le(28, 2));
    const std::uint32_t compression = le(30, 4);  // 3: bit fields, fine for 32 bits
    if (compression != 0 && !(compression == 3 && bits == 32)) return false;
    if (width <= 0 || rawHeight == 0 || (bits > 8 && bits != 24 && bits != 32)) return false;
    const int height = std::abs(rawHeight);

    std::vector<Rgb> palette;
    const std::size_t at = 14 + le(14, 4);
    const std::uint32_t colors = bits > 8 ? 0 : le(46, 4) != 0 ? le(46, 4) : 1u << bits;
    for (std::size_t p = at; p < at + 4 * colors && p + 3 < b.size(); p += 4)
        palette.push_back((Rgb{b[p + 2]} << 16) | (Rgb{b[p + 1]} << 8) | b[p]);

    const std::size_t dataAt = le(10, 4);
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (dataAt + stride * height > b.size()) return false;
    out.resize(width, height);
    for (int row = 0; row < height; ++row) {
        const std::size_t line = dataAt + stride * row;
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
            Rgb rgb = kRgbWhite;
            if (bits <= 8) {
                const std::size_t bit = x * bits;
                const unsigned index =
                    (b[line + bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                if (index < palette.size()) rgb = palette[index];
            } else {
                const std::size_t p = line + x * (bits / 8);
                rgb = (Rgb{b[p + 2]} << 16) | (Rgb{b[p + 1]} << 8) | b[p];
            }
            out.setPixel(static_cast<int>(x), rawHeight > 0 ? height - 1 - row : row, rgb);
        }
    }
    out.source = path;
    return true;
}

}  // namespace lutavo::test
