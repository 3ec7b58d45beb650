// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The round note markers copied onto the neck.

#include <QImage>

namespace lutavo::assetgen {

enum class MarkerKind { Struck, Held };

// "picfingers.bmp" (struck, bright green) or "picfingx.bmp" (held, darker green): 156 x 24,
// 12 x 12 cells; row 0 named with sharps from E, row 12 with flats; at x = 144 the marker with
// a cross (row 0) and the plain marker (row 12).
QImage drawMarkerSheet(MarkerKind kind);

}  // namespace lutavo::assetgen
