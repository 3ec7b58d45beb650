// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scale-type strip of the Scales module.

#include <QImage>

#include "fonts.h"

namespace lutavo::assetgen {

inline constexpr int kScaleTypes = 12;
inline constexpr int kScaleButtonWidth = 50;  // 750 twips per scale type, type c from x = 50c

// "sc_all.bmp": 12 cells as wide and high as the chord strip's, stacked top to bottom; cell
// c - 1 shows the strip with type c chosen, and under it the type's name and formula.
QImage drawScaleStrip(const Fonts& fonts);

}  // namespace lutavo::assetgen
