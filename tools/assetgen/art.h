// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small drawing helpers shared by every picture: crisp pixel stamps for the tiny glyphs, and
// supersampled coverage for curved shapes that are then either thresholded (pure black glyphs
// the page renderer ANDs) or blended (the colour artwork).

#include <QColor>
#include <QImage>
#include <QPainter>
#include <functional>
#include <initializer_list>
#include <vector>

namespace lutavo::assetgen {

inline constexpr QRgb kInk = 0xFF000000;
inline constexpr QRgb kPaper = 0xFFFFFFFF;

// A white RGB32 picture of the given size.
QImage blankImage(int width, int height, QRgb fill = kPaper);

// Sets the pixels marked '#' in rows of text, top-left at (x, y). Any other character is
// left alone, so stamps can overlap.
void stamp(QImage& image, int x, int y, std::initializer_list<const char*> rows, QRgb ink = kInk);
void stampRows(QImage& image, int x, int y, const std::vector<const char*>& rows, QRgb ink);

void fillBox(QImage& image, int x, int y, int width, int height, QRgb colour);
void hLine(QImage& image, int x0, int x1, int y, QRgb colour);
void vLine(QImage& image, int x, int y0, int y1, QRgb colour);

// Fraction of each pixel covered by whatever draw() paints, measured by painting at
// `scale` times the size and averaging.
struct Coverage {
    int width = 0;
    int height = 0;
    std::vector<float> amount;
    float at(int x, int y) const;
};
Coverage measureCoverage(int width, int height, const std::function<void(QPainter&)>& draw,
                         int scale = 8);

// Pixels covered at least `threshold` become `ink` (no grey: safe for AND copies).
void inkThreshold(QImage& image, int x, int y, const Coverage& cover, QRgb ink = kInk,
                  float threshold = 0.5f);
// Blends `ink` over the image in proportion to the coverage.
void inkBlend(QImage& image, int x, int y, const Coverage& cover, QColor ink);

QRgb mix(QRgb a, QRgb b, double t);
QRgb shade(QRgb colour, double factor);

// True when every pixel of the rectangle is `colour`.
bool allPixels(const QImage& image, const QRect& rect, QRgb colour);

}  // namespace lutavo::assetgen
