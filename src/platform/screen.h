// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window as the core sees it: a surface it can copy pixels from (printing copies the page
// area pixel for pixel) and an event loop it can let run so the window shows a new page first.

#include "platform/picture.h"

namespace lutavo {

class Screen {
  public:
    virtual ~Screen() = default;
    // Copies the rectangle (x, y, width, height) of the window's client area, in pixels, into
    // out, drawn at `scale` (1, 2 or 4) times its size: out is resized to width x height times
    // the scale. Parts outside the window come out white. False when the window cannot be read
    // at all.
    virtual bool grab(int x, int y, int width, int height, int scale, Picture& out) = 0;
    // Lets the window handle what is pending (repaints above all) before the program goes on.
    virtual void processEvents() = 0;
    // Brings the window up to date with the program's state in the middle of a handler and
    // paints it, so that what grab() copies next is what the state says (printing shows page
    // after page and copies each).
    virtual void present() = 0;
};

}  // namespace lutavo
