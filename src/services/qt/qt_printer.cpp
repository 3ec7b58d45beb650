// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/qt/qt_printer.h"

#include <QLocale>
#include <QPainter>

#include "services/qt/sheet_painter.h"

namespace lutavo {

QtPrinter::QtPrinter() = default;

QPrinter& QtPrinter::device() {
    // Finding the system's printers loads the print service's libraries: a start-up that
    // prints nothing does not wait for them.
    if (printer_ == nullptr) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setFullPage(true);
    }
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

QPageSize pageSizeOf(std::optional<PaperSize> paper) {
    // Letter where the locale measures in inches, A4 elsewhere.
    const bool letter = paper ? *paper == kLetter
                              : QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

}  // namespace

bool QtPrinter::isSetUp() {
    return hasDestination(device());
}

QPagedPaintDevice& QtPrinter::target() {
    if (pdf_ != nullptr) return *pdf_;
    return device();
}

PaperSize QtPrinter::paper() {
    const QSizeF size = target().pageLayout().fullRect(QPageLayout::Point).size();
    return {size.width(), size.height()};
}

std::string QtPrinter::musicFont() {
    if (!musicFamily_) {
        musicFile_ = findMusicFont();
        musicFamily_ = musicFontFamily(musicFile_);
        if (musicFamily_->isEmpty()) musicFile_.clear();
    }
    return musicFile_;
}

bool QtPrinter::openSheet() {
    if (painter_ != nullptr) return target().newPage();
    if (pdf_ == nullptr && !hasDestination(device())) return false;
    painter_ = std::make_unique<QPainter>();
    if (painter_->begin(&target())) return true;
    painter_.reset();
    return false;
}

bool QtPrinter::printSheet(const SheetDrawing& sheet) {
    if (!openSheet()) return false;
    musicFont();
    // The paper's corner is the painter's origin (no margins on the device: the sheet keeps
    // its own).
    const double unitsPerPoint = painter_->device()->logicalDpiX() / 72.0;
    paintSheet(*painter_, sheet, unitsPerPoint, *musicFamily_);
    return true;
}

bool QtPrinter::endDoc() {
    // A PDF document's end only finishes its sheets; the document is closed when it is taken.
    if (pdf_ != nullptr) return true;
    return closeJob() && hasDestination(device());
}

bool QtPrinter::closeJob() {
    if (painter_ == nullptr) return true;
    const bool ok = painter_->end();
    painter_.reset();
    return ok;
}

bool QtPrinter::startPdf(std::optional<PaperSize> paper) {
    if (pdf_ != nullptr) return false;  // not in the middle of a document
    const bool closed = closeJob();
    pdfBytes_.close();
    pdfBytes_.setData(QByteArray());
    if (!pdfBytes_.open(QIODevice::WriteOnly)) return false;
    pdf_ = std::make_unique<QPdfWriter>(&pdfBytes_);
    pdf_->setPageLayout(QPageLayout(pageSizeOf(paper), QPageLayout::Portrait, QMarginsF()));
    pdf_->setCreator(QStringLiteral("Lutavo"));
    return closed;
}

bool QtPrinter::takePdf(std::string& bytes) {
    bytes.clear();
    if (pdf_ == nullptr) return false;
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
