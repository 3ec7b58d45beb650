// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/picture.h"

#include <algorithm>

namespace lutavo {

Picture::Picture(int width, int height, Rgb fill) {
    resize(width, height, fill);
}

void Picture::resize(int width, int height, Rgb fill) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    ++revision_.value;
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill);
}

void Picture::clear(Rgb fill) {
    ++revision_.value;
    std::fill(pixels_.begin(), pixels_.end(), fill);
}

Rgb Picture::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kRgbWhite;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Picture::setPixel(int x, int y, Rgb rgb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    ++revision_.value;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = rgb & 0xFFFFFF;
}

namespace {

Rgb combine(Rgb dest, Rgb src, RasterOp op) {
    switch (op) {
        case RasterOp::Copy:
            return src;
        case RasterOp::And:
            return dest & src;
        case RasterOp::Xor:
            return (dest ^ src) & 0xFFFFFF;
    }
    return src;
}

}  // namespace

void Picture::blit(int destX, int destY, const Picture& src, int srcX, int srcY, int width,
                   int height, RasterOp op) {
    ++revision_.value;
    if (log_.log != nullptr)
        log_.log->push_back({&src, destX, destY, srcX, srcY, width, height, op});
    // Clip against the source, then against the destination.
    if (srcX < 0) {
        destX -= srcX;
        width += srcX;
        srcX = 0;
    }
    if (srcY < 0) {
        destY -= srcY;
        height += srcY;
        srcY = 0;
    }
    if (destX < 0) {
        srcX -= destX;
        width += destX;
        destX = 0;
    }
    if (destY < 0) {
        srcY -= destY;
        height += destY;
        destY = 0;
    }
    width = std::min({width, src.width_ - srcX, width_ - destX});
    height = std::min({height, src.height_ - srcY, height_ - destY});
    if (width <= 0 || height <= 0) return;

    // A copy within one picture may overlap: take the source rows first.
    std::vector<Rgb> rows(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const Rgb* from = &src.pixels_[static_cast<std::size_t>(srcY + y) * src.width_ + srcX];
        std::copy(from, from + width, &rows[static_cast<std::size_t>(y) * width]);
    }
    for (int y = 0; y < height; ++y) {
        Rgb* to = &pixels_[static_cast<std::size_t>(destY + y) * width_ + destX];
        const Rgb* from = &rows[static_cast<std::size_t>(y) * width];
        for (int x = 0; x < width; ++x)
            to[x] = combine(to[x], from[x], op);
    }
}

}  // namespace lutavo
