#include "platform/qt/qt_printer.h"

#include <QPainter>

#include "platform/qt/picture_qimage.h"

namespace lutavo {

QtPrinter::QtPrinter() : printer_(QPrinter::HighResolution) {}

QtPrinter::QtPrinter(const QString& pdfPath) : printer_(QPrinter::HighResolution) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(pdfPath);
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

bool QtPrinter::startSheet() {
    if (!hasDestination(printer_)) return false;
    const QRectF paper = printer_.pageLayout().paintRect(QPageLayout::Point);
    const double ratio = paper.width() > 0 ? paper.height() / paper.width() : 1.0;
    sheet_.resize(kSheetWidth, static_cast<int>(kSheetWidth * ratio));
    sheetOpen_ = true;
    sheetHasInk_ = false;
    return true;
}

bool QtPrinter::emitSheet() {
    sheetHasInk_ = false;
    if (painter_ == nullptr) {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&printer_)) {
            painter_.reset();
            return false;
        }
    } else if (!printer_.newPage()) {
        return false;
    }
    // Device units are far finer than screen pixels: scale the sheet to the printable width,
    // pixel blocks kept sharp for the thin staff lines.
    const double scale = static_cast<double>(painter_->device()->width()) / sheet_.width();
    const QRect target(0, 0, painter_->device()->width(),
                       static_cast<int>(sheet_.height() * scale));
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_->drawImage(target, toQImage(sheet_));
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
    return true;
}

bool QtPrinter::endDoc() {
    bool ok = hasDestination(printer_);
    if (sheetOpen_ && sheetHasInk_) ok = emitSheet() && ok;
    sheetOpen_ = false;
    if (painter_ != nullptr) {
        ok = painter_->end() && ok;
        painter_.reset();
    }
    return ok;
}

}  // namespace lutavo
