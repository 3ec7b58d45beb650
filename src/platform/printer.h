// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer as a run of sheets drawn as shapes, glyphs and texts (see sheet_drawing.h). Every
// operation reports failure (no printer, a printer error, a cancelled job) so the caller can
// tell the user and go on.

#include <optional>
#include <string>

#include "platform/sheet_drawing.h"

namespace lutavo {

class Printer {
  public:
    virtual ~Printer() = default;
    // There is somewhere to print to: a printer of the system, or a file chosen for the prints.
    virtual bool isSetUp() = 0;
    // The paper the sheets go on: the printer's, or the PDF document's.
    virtual PaperSize paper() = 0;
    // The music font's file, or empty when there is none to print notes with.
    virtual std::string musicFont() = 0;
    // Draws one sheet of the job, after the sheets drawn before it.
    virtual bool printSheet(const SheetDrawing& sheet) = 0;
    // Ends the print job (a PDF document stays open for takePdf).
    virtual bool endDoc() = 0;
    // Sends the following sheets into one PDF document in memory instead of the printer, on the
    // paper given or, without one, the paper of the user's locale.
    virtual bool startPdf(std::optional<PaperSize> paper) = 0;
    // Ends the PDF document and hands over its bytes; the jobs go to the printer again. False
    // (and no bytes) when no whole document was made.
    virtual bool takePdf(std::string& bytes) = 0;
};

}  // namespace lutavo
