// SPDX-License-Identifier: GPL-3.0-or-later
#include "fine_sheets.h"

#include <algorithm>

#include "art.h"

namespace lutavo::assetgen {

namespace {

// Runs of fewer pixels are parts of figures (digits, letters, heads), not lines.
constexpr int kLineRun = 8;

bool inked(const QImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return false;
    return (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

// The length of the ink run through (x, y) in the direction (dx, dy).
int runThrough(const QImage& image, int x, int y, int dx, int dy) {
    int n = 1;
    for (int k = 1; inked(image, x - k * dx, y - k * dy); ++k)
        ++n;
    for (int k = 1; inked(image, x + k * dx, y + k * dy); ++k)
        ++n;
    return n;
}

// A pixel of a horizontal line: nothing above or below, a long run across.
bool onHorizontalLine(const QImage& image, int x, int y) {
    return !inked(image, x, y - 1) && !inked(image, x, y + 1) &&
           runThrough(image, x, y, 1, 0) >= kLineRun;
}

bool onVerticalLine(const QImage& image, int x, int y) {
    return !inked(image, x - 1, y) && !inked(image, x + 1, y) &&
           runThrough(image, x, y, 0, 1) >= kLineRun;
}

// The right column of a double vertical line: the page copies it as the tablature's bar lines
// and the chord joiner, which should print as thin as the staff's bar lines.
bool onDoubleLineEdge(const QImage& image, int x, int y) {
    return inked(image, x - 1, y) && !inked(image, x - 2, y) && !inked(image, x + 1, y) &&
           runThrough(image, x, y, 0, 1) >= kLineRun;
}

QRgb pixelAt(const QImage& image, int x, int y) {
    return image.pixel(std::clamp(x, 0, image.width() - 1), std::clamp(y, 0, image.height() - 1));
}

QImage doubleArt(const QImage& image) {
    QImage out = blankImage(image.width() * 2, image.height() * 2);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const QRgb up = pixelAt(image, x, y - 1);
            const QRgb right = pixelAt(image, x + 1, y);
            const QRgb left = pixelAt(image, x - 1, y);
            const QRgb down = pixelAt(image, x, y + 1);
            out.setPixel(2 * x, 2 * y, left == up && left != down && up != right ? up : p);
            out.setPixel(2 * x + 1, 2 * y, up == right && up != left && right != down ? right : p);
            out.setPixel(2 * x, 2 * y + 1, down == left && down != right && left != up ? left : p);
            out.setPixel(2 * x + 1, 2 * y + 1,
                         right == down && right != up && down != left ? down : p);
        }
    }
    return out;
}

}  // namespace

QImage enlargeArt(const QImage& image, int scale) {
    QImage out = image;
    for (int s = 1; s < scale; s *= 2)
        out = doubleArt(out);
    return out;
}

QImage enlargeSheet(const QImage& image, int scale) {
    QImage out = blankImage(image.width() * scale, image.height() * scale);
    const int thin = scale > 1 ? scale / 2 : 1;
    const int inset = (scale - thin) / 2;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!inked(image, x, y)) continue;
            // A crossing of two lines has ink beside it both ways and keeps its whole block.
            const bool across = onHorizontalLine(image, x, y);
            const bool down = !across && onVerticalLine(image, x, y);
            const bool edge = !across && !down && onDoubleLineEdge(image, x, y);
            const int top = across ? inset : 0;
            const int left = down ? inset : 0;
            const int height = across ? thin : scale;
            const int width = down || edge ? thin : scale;
            fillBox(out, x * scale + left, y * scale + top, width, height, image.pixel(x, y));
        }
    }
    return out;
}

}  // namespace lutavo::assetgen
