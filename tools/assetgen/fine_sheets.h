// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page's sheets drawn at 2 and 4 times their size, for printing and for a window that is
// zoomed: every cell sits at the scale times its place on the plain sheet.

#include <QImage>

namespace lutavo::assetgen {

// The picture with every pixel made a scale x scale block, except that the pixels of long thin
// lines (staff and tab lines, stems, bar and ledger lines) keep about half a block's thickness
// in the middle of their blocks, so that lines stay fine on paper while glyphs keep their
// weight.
QImage enlargeSheet(const QImage& image, int scale);

// The artwork (neck, keyboard, markers, scales) at 2 or 4 times its size, by doubling once or
// twice: each pixel becomes a 2 x 2 block whose corners take a neighbour's colour where two
// neighbours of the same colour meet across the corner. Flat shapes and letters then keep
// smooth diagonal edges instead of stairs, lines keep their proportion and the wood's grain is
// left as it is.
QImage enlargeArt(const QImage& image, int scale);

}  // namespace lutavo::assetgen
