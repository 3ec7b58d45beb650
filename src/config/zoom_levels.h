// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's zoom steps. Every step draws the same fixed layout larger; 100 places everything
// as designed.

#include <array>

namespace lutavo {

inline constexpr std::array<int, 4> kZoomLevels = {100, 150, 200, 300};

// The step nearest to percent (the lower of two as near).
int nearestZoomLevel(int percent);

// The step `steps` away from the one nearest to percent, held at the ends.
int zoomLevelAfter(int percent, int steps);

// The largest step up to `wanted` at which a window of widthTwips x heightTwips (at 100%) fits
// an area of areaWidth x areaHeight pixels; 100 when none does. An area of 0 is not known and
// takes every step.
int fittingZoomLevel(int wanted, int widthTwips, int heightTwips, int areaWidth, int areaHeight);

// The scale of the finer pictures that keep a zoomed window sharp: 1 (none) at 100, 2 up to
// 200, 4 above.
int fineScaleFor(int percent);

}  // namespace lutavo
