// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small piano keyboard and its pressed-key cells.

#include <QImage>

namespace lutavo::assetgen {

// "keyboard.bmp": 438 x 30, octaves of 98 pixels from C, black keys on rows 0..12.
QImage drawKeyboard();

// "keydown.bmp": 168 x 17, twelve 14 x 17 cells from C. Each cell is the keyboard with that key
// pressed, cut at the place the program copies it to (keyOffset, 11 for white keys, -5 for
// black), so a copied cell matches the keys around it.
QImage drawKeyDownSheet();

}  // namespace lutavo::assetgen
