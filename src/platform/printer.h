#pragma once
// The printer as a sheet that receives rectangle copies. Positions are in sheet pixels: a
// screen pixel is copied one to one onto the sheet, and the printer scales the sheet to the
// paper. Every operation reports failure (no printer, a printer error, a cancelled job) so the
// caller can tell the user and go on.

#include "platform/picture.h"

namespace lutavo {

class Printer {
  public:
    virtual ~Printer() = default;
    // Starts a fresh sheet; the sheet drawn so far, if any, goes to the printer first.
    virtual bool newPage() = 0;
    // Combines the whole picture with the sheet at (x, y).
    virtual bool blit(int x, int y, const Picture& picture, RasterOp op) = 0;
    // Sends the sheet drawn so far, if any, and ends the print job.
    virtual bool endDoc() = 0;
};

}  // namespace lutavo
