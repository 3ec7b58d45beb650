// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer over QPrinter, or a PDF document made in memory with the printer's page layout.
// Copies are combined on a sheet of plain pixels, so AND and XOR copies behave exactly as on the
// screen, and each finished sheet is scaled so that its printed columns fill the paper's
// printable width.

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>
#include <memory>

#include "platform/printer.h"

class QPainter;

namespace lutavo {

// Sheet pixels to a screen pixel: about 300 dots to the inch across a printed page.
inline constexpr int kPrintScale = 4;
// A sheet is this many pixels wide; its height follows the paper's proportions.
inline constexpr int kSheetWidth = (kSheetLeft + kSheetPrintedWidth) * kPrintScale;

class QtPrinter : public Printer {
  public:
    // Prints to the system's default printer.
    QtPrinter();
    ~QtPrinter() override;

    int scale() const override { return kPrintScale; }
    bool isSetUp() override;
    bool newPage() override;
    bool blit(int x, int y, const Picture& picture, RasterOp op) override;
    bool endDoc() override;
    // A PDF document stays open over the document ends of one run, so that its sheets follow
    // one another; takePdf closes it.
    bool startPdf() override;
    bool takePdf(std::string& bytes) override;

    // The printer that the printer-setup dialog configures, made when first asked for.
    QPrinter& device();
    // The sheet being drawn, before it goes to the printer.
    const Picture& sheet() const { return sheet_; }

  private:
    bool startSheet();
    bool emitSheet();
    bool closeJob();
    // Where the sheets go: the PDF document while one is open, else the printer.
    QPagedPaintDevice& target();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;  // open while a print job runs
    Picture sheet_;
    bool sheetOpen_ = false;
    bool sheetHasInk_ = false;
    int inkBottom_ = 0;  // the row below the lowest copy on the sheet
    QBuffer pdfBytes_;
    std::unique_ptr<QPdfWriter> pdf_;  // open between startPdf and takePdf
};

}  // namespace lutavo
