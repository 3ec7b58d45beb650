// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer as a sheet that receives rectangle copies. Positions are in sheet pixels, scale()
// of them to a screen pixel, and the printer scales the columns from kSheetLeft to
// kSheetLeft + kSheetPrintedWidth (times the scale) to the paper's printable width. Every operation
// reports failure (no printer, a printer error, a cancelled job) so the caller can tell the user
// and go on.

#include <string>

#include "platform/picture.h"

namespace lutavo {

inline constexpr int kSheetLeft = 70;
inline constexpr int kSheetPrintedWidth = 620;

class Printer {
  public:
    virtual ~Printer() = default;
    // Sheet pixels to a screen pixel: 1, 2 or 4.
    virtual int scale() const = 0;
    // There is somewhere to print to: a printer of the system, or a file chosen for the prints.
    virtual bool isSetUp() = 0;
    // Starts a fresh sheet; the sheet drawn so far, if any, goes to the printer first.
    virtual bool newPage() = 0;
    // Combines the whole picture with the sheet at (x, y).
    virtual bool blit(int x, int y, const Picture& picture, RasterOp op) = 0;
    // Sends the sheet drawn so far, if any, and ends the print job.
    virtual bool endDoc() = 0;
    // Sends the following jobs into one PDF document in memory instead of the printer.
    virtual bool startPdf() = 0;
    // Ends the PDF document and hands over its bytes; the jobs go to the printer again. False
    // (and no bytes) when no whole document was made.
    virtual bool takePdf(std::string& bytes) = 0;
};

}  // namespace lutavo
