// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer over QPrinter, or a PDF document made in memory. Sheets are drawn with the
// painter in the paper's own units, so lines stay lines and the fonts are embedded.

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>
#include <memory>
#include <optional>

#include "platform/printer.h"

class QPainter;

namespace lutavo {

class QtPrinter : public Printer {
  public:
    // Prints to the system's default printer.
    QtPrinter();
    ~QtPrinter() override;

    bool isSetUp() override;
    PaperSize paper() override;
    std::string musicFont() override;
    bool printSheet(const SheetDrawing& sheet) override;
    bool endDoc() override;
    // A PDF document stays open over the document ends of one run, so that its sheets follow
    // one another; takePdf closes it.
    bool startPdf(std::optional<PaperSize> paper) override;
    bool takePdf(std::string& bytes) override;

    // The printer that the printer-setup dialog configures, made when first asked for.
    QPrinter& device();

  private:
    bool openSheet();
    bool closeJob();
    // Where the sheets go: the PDF document while one is open, else the printer.
    QPagedPaintDevice& target();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;  // open while a print job runs
    QBuffer pdfBytes_;
    std::unique_ptr<QPdfWriter> pdf_;     // open between startPdf and takePdf
    std::optional<QString> musicFamily_;  // looked for once
    std::string musicFile_;
};

}  // namespace lutavo
