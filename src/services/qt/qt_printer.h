#pragma once
// The printer over QPrinter: a real printer or a PDF file. Copies are combined on a sheet of
// plain pixels, so AND and XOR copies behave exactly as on the screen, and each finished sheet
// is scaled so that its printed columns fill the paper's printable width.

#include <QPrinter>
#include <QString>
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
    // Prints into the PDF file pdfPath.
    explicit QtPrinter(const QString& pdfPath);
    ~QtPrinter() override;

    int scale() const override { return kPrintScale; }
    bool newPage() override;
    bool blit(int x, int y, const Picture& picture, RasterOp op) override;
    bool endDoc() override;
    // A PDF file stays open over the document ends of one run, so that its sheets follow one
    // another; setPdfFile("") closes it.
    bool setPdfFile(const std::string& path) override;

    // The printer that the printer-setup dialog configures, made when first asked for.
    QPrinter& device();
    // The sheet being drawn, before it goes to the printer.
    const Picture& sheet() const { return sheet_; }

  private:
    bool startSheet();
    bool emitSheet();
    bool closeJob();

    QString pdfPath_;  // where the printer writes from the start, "" for the system's printer
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;  // open while a print job runs
    Picture sheet_;
    bool sheetOpen_ = false;
    bool sheetHasInk_ = false;
    int inkBottom_ = 0;  // the row below the lowest copy on the sheet
    // Where the printer's jobs went before a PDF file took them.
    QPrinter::OutputFormat savedFormat_ = QPrinter::NativeFormat;
    QString savedFileName_;
    bool toPdfFile_ = false;
};

}  // namespace lutavo
