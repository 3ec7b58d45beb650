#pragma once
// The one copy the page drawing is built from; where the glyphs sit is in glyph_layout.h.

#include "display/glyph_layout.h"
#include "platform/picture.h"

namespace lutavo {

struct Guitar;

// Copies a rectangle of a glyph sheet. A sheet that could not be loaded is empty and gives
// nothing, so a missing file never leaves stray copies behind.
void stamp(Picture& dest, int x, int y, const Picture& sheet, int srcX, int srcY, int width,
           int height, RasterOp op);

// Sizes both page pictures and fills them with their backgrounds (white where one is missing).
void clearPagePictures(Guitar& g);

}  // namespace lutavo
