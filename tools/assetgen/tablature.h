// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tablature background and the two fret-number sheets.

#include <QImage>

namespace lutavo::assetgen {

// "pictab": 601 x 54, six lines, start and end lines, the TAB sign.
QImage drawTabBackground();

// "pictabno": 414 x 9, black fret numbers 0..22, B, small cross, large cross.
QImage drawFretNumbers();

// "pictabnx": 289 x 9, the same numbers and B in grey, for held notes.
QImage drawHeldFretNumbers();

inline constexpr QRgb kHeldGrey = 0xFF808080;

}  // namespace lutavo::assetgen
