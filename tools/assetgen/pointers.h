// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three pointer images: under the current note, beside the current line of a picture
// page, and under the chosen slot of the settings adjuster.

#include <QImage>

namespace lutavo::assetgen {

// "pointer.bmp": 21 x 12, pointing up at the note column.
QImage drawNotePointer();
// "vpointer.bmp": 13 x 20, pointing right at the line.
QImage drawLinePointer();
// "lpointer.bmp": 20 x 10, pointing up at the adjuster slot.
QImage drawSlotPointer();

inline constexpr int kSlotPointerWidth = 20;
inline constexpr int kSlotPointerHeight = 10;

}  // namespace lutavo::assetgen
