// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notation glyph sheet and the staff background of the notation line.

#include <QImage>

#include "fonts.h"

namespace lutavo::assetgen {

// Note symbol k = 1..10 (thirty-second .. whole) in a 13 x 24 cell at (x, y): head at the bottom
// left (rows 18..23), stem up in column 6, flags and dot right of column 6.
void drawNoteSymbol(QImage& image, int x, int y, int k, QRgb ink);

// Rest for note symbol k = 1..10 in an 8 x 18 cell whose rows 3, 10 and 17 fall on staff lines.
void drawRest(QImage& image, int x, int y, int k, QRgb ink);

// "picnotes": 306 x 29 times the scale, pure black on white.
QImage drawNoteSheet(const Fonts& fonts, int scale = 1);

// "picscore": 601 x 140 times the scale, the empty staff with clef and the start and end lines.
QImage drawScoreBackground(int scale = 1);

}  // namespace lutavo::assetgen
