// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The guitar neck for both hands and the capo that sits on it.

#include <QImage>

namespace lutavo::assetgen {

enum class Hand { Right, Left };

// "fretnew.bmp" (right hand, nut at the left) or "fretrev.bmp" (left hand, nut at the right):
// 634 x 91, fret wires straddling each fret edge, inlays, six strings on the marker rows.
QImage drawNeck(Hand hand);

// The plain colour of the fingerboard wood, for the corners of the markers copied onto it.
QRgb fingerboardColour();

// "piccapo.bmp": 12 x 86, one 14 1/3-pixel band per string, highest string at the top.
QImage drawCapo();

inline constexpr int kCapoWidth = 12;
inline constexpr int kCapoHeight = 86;

}  // namespace lutavo::assetgen
