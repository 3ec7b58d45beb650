// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one copy the page drawing is built from; where the glyphs sit is in glyph_layout.h.

#include "display/glyph_layout.h"
#include "platform/picture.h"

namespace lutavo {

struct Guitar;
struct DisplayState;
struct FinePage;

// The pictures a page is drawn into (Score, Tab) and from.
enum class PageSheet { Score, Tab, Notes, Frets, HeldFrets };

// Copies a rectangle given in the plain page's pixels from one of the page's pictures into the
// notation or tablature picture, at the scale the page is being drawn at: every number is
// multiplied by it, so at scale 1 this is the plain copy.
void ink(DisplayState& d, PageSheet into, int x, int y, PageSheet from, int srcX, int srcY,
         int width, int height, RasterOp op);

// Fills a rectangle given in the plain page's pixels of the notation or tablature picture with
// one colour, at the scale the page is being drawn at.
void fill(DisplayState& d, PageSheet into, int x, int y, int width, int height, Rgb colour);

// Starts or stops drawing the page also at scale 2 or 4 at every redraw; the sheets of that
// scale are read the first time. False when they cannot be read (the page is then drawn at
// the plain scale only).
bool useFineScale(Guitar& g, int scale, bool inUse);

// The finer page in use that is closest to scale, or nullptr when none is.
const FinePage* finePageFor(const DisplayState& d, int scale);

// Copies a rectangle of a glyph sheet. A sheet that could not be loaded is empty and gives
// nothing, so a missing file never leaves stray copies behind.
void stamp(Picture& dest, int x, int y, const Picture& sheet, int srcX, int srcY, int width,
           int height, RasterOp op);

// Sizes both page pictures of the drawing scale and fills them with their backgrounds (white
// where one is missing).
void clearPagePictures(DisplayState& display);

}  // namespace lutavo
