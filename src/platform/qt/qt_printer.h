#pragma once
// The printer over QPrinter: a real printer or a PDF file. Copies are combined on a sheet of
// plain pixels, so AND and XOR copies behave exactly as on the screen, and each finished sheet
// is scaled to the paper's printable width.

#include <QPrinter>
#include <QString>
#include <memory>

#include "platform/printer.h"

class QPainter;

namespace lutavo {

// A sheet is this many pixels wide; its height follows the paper's proportions.
inline constexpr int kSheetWidth = 760;

class QtPrinter : public Printer {
  public:
    // Prints to the system's default printer.
    QtPrinter();
    // Prints into the PDF file pdfPath.
    explicit QtPrinter(const QString& pdfPath);
    ~QtPrinter() override;

    bool newPage() override;
    bool blit(int x, int y, const Picture& picture, RasterOp op) override;
    bool endDoc() override;

    // The printer that the printer-setup dialog configures.
    QPrinter& device() { return printer_; }
    // The sheet being drawn, before it goes to the printer.
    const Picture& sheet() const { return sheet_; }

  private:
    bool startSheet();
    bool emitSheet();

    QPrinter printer_;
    std::unique_ptr<QPainter> painter_;  // open while a print job runs
    Picture sheet_;
    bool sheetOpen_ = false;
    bool sheetHasInk_ = false;
};

}  // namespace lutavo
