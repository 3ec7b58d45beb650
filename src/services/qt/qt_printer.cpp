// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/qt/qt_printer.h"

#include <QPainter>
#include <algorithm>

#include "services/qt/picture_qimage.h"

namespace lutavo {

QtPrinter::QtPrinter() = default;

QPrinter& QtPrinter::device() {
    // Finding the system's printers loads the print service's libraries: a start-up that
    // prints nothing does not wait for them.
    if (printer_ == nullptr) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

QtPrinter::~QtPrinter() {
    if (painter_ != nullptr && painter_->isActive()) painter_->end();
}

namespace {

// A machine without printers leaves QPrinter writing a PDF without a file name: nowhere to go.
bool hasDestination(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return !printer.outputFileName().isEmpty();
    return printer.isValid();
}

}  // namespace

bool QtPrinter::isSetUp() {
    return hasDestination(device());
}

QPagedPaintDevice& QtPrinter::target() {
    if (pdf_ != nullptr) return *pdf_;
    return device();
}

bool QtPrinter::startSheet() {
    if (pdf_ == nullptr && !hasDestination(device())) return false;
    const QRectF paper = target().pageLayout().paintRect(QPageLayout::Point);
    const double ratio = paper.width() > 0 ? paper.height() / paper.width() : 1.0;
    sheet_.resize(kSheetWidth, static_cast<int>(kSheetPrintedWidth * kPrintScale * ratio));
    sheetOpen_ = true;
    sheetHasInk_ = false;
    inkBottom_ = 0;
    return true;
}

bool QtPrinter::emitSheet() {
    sheetHasInk_ = false;
    if (painter_ == nullptr) {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&target())) {
            painter_.reset();
            return false;
        }
    } else if (!target().newPage()) {
        return false;
    }
    // Device units are far finer than screen pixels: scale the printed columns to the printable
    // width, pixel blocks kept sharp for the thin staff lines.
    const int printed = kSheetPrintedWidth * kPrintScale;
    const double scale = static_cast<double>(painter_->device()->width()) / printed;
    // Only the rows that received copies: the blank rest of the paper needs no picture.
    const int rows = std::min(inkBottom_, sheet_.height());
    const QRect target(0, 0, painter_->device()->width(), static_cast<int>(rows * scale));
    const QRect source(kSheetLeft * kPrintScale, 0, printed, rows);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_->drawImage(target, toQImage(sheet_), source);
    return true;
}

bool QtPrinter::newPage() {
    bool ok = true;
    if (sheetOpen_ && sheetHasInk_) ok = emitSheet();
    return startSheet() && ok;
}

bool QtPrinter::blit(int x, int y, const Picture& picture, RasterOp op) {
    if (!sheetOpen_ && !startSheet()) return false;
    sheet_.blitAll(x, y, picture, op);
    sheetHasInk_ = true;
    inkBottom_ = std::max(inkBottom_, y + picture.height());
    return true;
}

bool QtPrinter::endDoc() {
    bool ok = pdf_ != nullptr || hasDestination(device());
    if (sheetOpen_ && sheetHasInk_) ok = emitSheet() && ok;
    sheetOpen_ = false;
    // Opening a PDF document again would start it over: there a document's end only finishes
    // its sheet, and the document is closed when it is taken.
    if (pdf_ == nullptr) ok = closeJob() && ok;
    return ok;
}

bool QtPrinter::closeJob() {
    if (painter_ == nullptr) return true;
    const bool ok = painter_->end();
    painter_.reset();
    return ok;
}

bool QtPrinter::startPdf() {
    if (sheetOpen_ || pdf_ != nullptr) return false;  // not in the middle of a job
    const bool closed = closeJob();
    pdfBytes_.close();
    pdfBytes_.setData(QByteArray());
    if (!pdfBytes_.open(QIODevice::WriteOnly)) return false;
    pdf_ = std::make_unique<QPdfWriter>(&pdfBytes_);
    pdf_->setPageLayout(device().pageLayout());
    return closed;
}

bool QtPrinter::takePdf(std::string& bytes) {
    bytes.clear();
    if (pdf_ == nullptr || sheetOpen_) return false;
    // Ending the painter writes the document's last objects and its table into the buffer.
    const bool closed = closeJob();
    pdf_.reset();
    pdfBytes_.close();
    const QByteArray& made = pdfBytes_.data();
    if (closed && !made.isEmpty())
        bytes.assign(made.constData(), static_cast<std::size_t>(made.size()));
    pdfBytes_.setData(QByteArray());
    return !bytes.empty();
}

}  // namespace lutavo
