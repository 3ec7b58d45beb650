// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hand-set pixel letters for the smallest texts (fret numbers, marker names, scale labels):
// at 5 to 7 pixels a drawn bitmap reads better than any scaled outline font.

#include <QImage>
#include <string_view>

namespace lutavo::assetgen {

enum class PixelFace {
    Regular,  // 5 x 7 digits and letters
    Narrow,   // 4 x 7, for two-digit numbers in a 12-pixel cell
};

// Width in pixels of the text set with one blank column between characters. Knows the digits,
// the note letters A..G, '#' (sharp), 'b' (flat), '-' and '/'.
int pixelTextWidth(std::string_view text, PixelFace face);

// Sets the text with its top-left at (x, y); returns the x after the last character.
int drawPixelText(QImage& image, int x, int y, std::string_view text, PixelFace face, QRgb ink);

// Bounding box width of one character.
int pixelCharWidth(char c, PixelFace face);

inline constexpr int kPixelTextHeight = 7;

}  // namespace lutavo::assetgen
