// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_song.h"

#include <filesystem>

#include "base/colors.h"
#include "base/numbers.h"
#include "base/safe_file.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/page_draw.h"
#include "platform/printer.h"
#include "print/engraved_line.h"
#include "print/line_drawing.h"
#include "print/musicxml_export.h"
#include "print/sheet_layout.h"

namespace lutavo {

namespace {

constexpr const char* kNoPrinter = "No printer is set up. Use Export PDF... to make a PDF.";
constexpr const char* kNoMusicFont =
    "The music font for printing is missing: install the package lilypond-fonts.";

// The title block of the first sheet: the title over the song's two texts.
void drawTitleBlock(SheetDrawing& sheet, const SheetFrame& frame, const SongModel& song) {
    const double top = frame.margin;
    const double middle = (frame.left() + frame.right()) / 2;
    sheet.texts.push_back(
        {song.songTitle, {middle, top + 22}, 20, TextFace::SerifBold, TextAlign::Centre});
    sheet.texts.push_back({song.songInfo, {frame.left(), top + 48}, 10, TextFace::Serif});
    sheet.texts.push_back(
        {song.songComposer, {frame.right(), top + 48}, 10, TextFace::Serif, TextAlign::Right});
}

void drawPageNumber(SheetDrawing& sheet, const SheetFrame& frame, int number, int sheets) {
    if (sheets < 2) return;
    sheet.texts.push_back({std::to_string(number) + " / " + std::to_string(sheets),
                           {(frame.left() + frame.right()) / 2, frame.paper.height - frame.margin},
                           9,
                           TextFace::Serif,
                           TextAlign::Centre});
}

// A song whose pages are pictures prints each page's cell across the sheet's width.
struct PicturePages {
    const DisplayState& d;
    CellGrid cells = d.pagewindowCells.columns >= 1 && d.pagewindowCells.rows >= 1
                         ? d.pagewindowCells
                         : CellGrid{};

    double height(const SheetFrame& frame) const {
        const int w = cells.cellWidth(d.pagewindow);
        return w > 0 ? (frame.right() - frame.left()) * cells.cellHeight(d.pagewindow) / w : 0;
    }
    void draw(SheetDrawing& sheet, const SheetFrame& frame, int page, double top) const {
        const int w = cells.cellWidth(d.pagewindow), h = cells.cellHeight(d.pagewindow);
        const int cell = clampTo(page - 1, 0, cells.columns * cells.rows - 1);
        Picture picture(w, h);
        picture.blit(0, 0, d.pagewindow, cells.cellX(d.pagewindow, cell),
                     cells.cellY(d.pagewindow, cell), w, h, RasterOp::Copy);
        sheet.pictures.push_back(
            {std::move(picture), {frame.left(), top}, frame.right() - frame.left(), height(frame)});
    }
};

SheetFrame frameFor(const PrintSource& source, PaperSize paper) {
    SheetFrame frame{paper};
    if (hasPicturePages(source.song))
        frame.pictureHeight = PicturePages{source.display}.height(frame);
    return frame;
}

// Sends the chosen sheets as one job; returns the number of failed operations.
int printSong(Printer& printer, WindowControls& ui, const PrintSource& source, SheetRange sheets) {
    int failures = 0;
    ui.opttxt[kModeBarPrint].color = kColorActive;
    ui.form.mousePointer = MousePointer::Hourglass;
    const std::vector<SheetDrawing> drawn =
        drawSheets(source, printer.paper(), sheets.first, sheets.last);
    for (const SheetDrawing& sheet : drawn)
        failures += printer.printSheet(sheet) ? 0 : 1;
    failures += printer.endDoc() ? 0 : 1;
    ui.form.mousePointer = MousePointer::Normal;
    ui.opttxt[kModeBarPrint].color = kColorAvailable;
    return failures;
}

// Printing needs the music font unless the pages are pictures.
bool hasFontFor(Guitar& g) {
    if (hasPicturePages(g.song) || !g.sys.printer->musicFont().empty()) return true;
    showMessage(g, kNoMusicFont, "Print Song");
    return false;
}

}  // namespace

PrintSource printSourceOf(const Guitar& g) {
    return {g.song, g.tuning.pitchOf, g.keys, g.display, std::max(1, int{g.ui.pgScroll.max})};
}

int printedSheets(const PrintSource& source, PaperSize paper) {
    return static_cast<int>(sheetStarts(frameFor(source, paper), source.lines).size());
}

std::vector<SheetDrawing> drawSheets(const PrintSource& source, PaperSize paper, int first,
                                     int last) {
    const SongModel& song = source.song;
    const SheetFrame frame = frameFor(source, paper);
    const int lines = source.lines;
    const std::vector<int> starts = sheetStarts(frame, lines);
    const int sheets = static_cast<int>(starts.size());
    const bool pictures = hasPicturePages(song);
    StringPitches carry{};
    std::vector<SheetDrawing> out;
    for (int sheet = 1; sheet <= std::min(sheets, last); ++sheet) {
        const bool wanted = sheet >= first;
        SheetDrawing drawing;
        if (wanted && sheet == 1) drawTitleBlock(drawing, frame, song);
        const int from = starts[static_cast<std::size_t>(sheet - 1)];
        const int to = sheet < sheets ? starts[static_cast<std::size_t>(sheet)] : lines;
        double top = frame.firstLineTop(sheet);
        for (int line = from; line < to; ++line, top += frame.lineHeight()) {
            const int page = line + 1;
            if (pictures) {
                if (wanted) PicturePages{source.display}.draw(drawing, frame, page, top);
                continue;
            }
            // Every line is read, so that what rings on into a wanted line is known.
            const auto columns = engraveLine(song, source.pitchOf, source.keys, page, carry);
            if (!wanted) continue;
            const LinePlace place{top,       song.songKey,  activeTimeSig(song),
                                  page == 1, page == lines, pageRunOf(song, page).halfGap};
            drawLine(drawing, frame, place, columns);
        }
        drawPageNumber(drawing, frame, sheet, sheets);
        if (wanted) out.push_back(std::move(drawing));
    }
    return out;
}

void mnuPrintSong_Click(Guitar& g) {
    if (g.sys.printer == nullptr || !g.sys.printer->isSetUp()) {
        showMessage(g, kNoPrinter, "Print Song");
        return;
    }
    if (g.sys.dialogs == nullptr || !hasFontFor(g)) return;
    const std::optional<SheetRange> sheets =
        g.sys.dialogs->printDialog(printedSheets(printSourceOf(g), g.sys.printer->paper()));
    if (sheets && printSong(*g.sys.printer, g.ui, printSourceOf(g), *sheets) > 0)
        showMessage(g, "Printer Stopped");
}

int exportPdf(Guitar& g, const std::string& path, std::optional<PaperSize> paper) {
    Printer* printer = g.sys.printer;
    if (sameFile(g.song.songFile, path)) {
        showMessage(g, path + " is the song itself: the PDF file was not written.");
        return 0;
    }
    if (printer == nullptr || !printer->startPdf(paper)) {
        showMessage(g, "Printer Stopped");
        return 0;
    }
    if (!hasFontFor(g)) {
        std::string nothing;
        printer->takePdf(nothing);
        return 0;
    }
    const int sheets = printedSheets(printSourceOf(g), printer->paper());
    const int failures = printSong(*printer, g.ui, printSourceOf(g), {1, sheets});
    std::string pdf;
    // A document with pages missing is not written over what the file holds now.
    if (!printer->takePdf(pdf) || failures > 0) {
        showMessage(g,
                    "The PDF file " + path + " was not written: the pages could not be printed.");
        return 0;
    }
    if (const WriteResult written = writeFileSafely(path, pdf); !written) {
        showMessage(g, "The PDF file " + path + " could not be written: " + written.problem + ".");
        return 0;
    }
    return sheets;
}

FileDialogRequest exportRequest(const std::string& songFile, std::string title,
                                std::string filterName, const std::string& ext) {
    FileDialogRequest request = fileRequest(std::move(title), std::move(filterName), ext);
    const std::filesystem::path song(songFile);
    request.folder = song.parent_path().string();
    request.fileName = song.stem().string() + ext;
    return request;
}

void mnuExportPdf_Click(Guitar& g) {
    if (g.sys.dialogs == nullptr) return;
    if (const auto path = g.sys.dialogs->saveFile(
            exportRequest(g.song.songFile, "Export PDF", "PDF files", ".pdf")))
        exportPdf(g, *path);
}

void mnuPrint_Click(Guitar& g, int item) {
    switch (item) {
        case kPrintSetupItem:
            if (g.sys.dialogs != nullptr) g.sys.dialogs->printerSetup();
            break;
        case kPrintSongItem:
            mnuPrintSong_Click(g);
            break;
        case kExportPdfItem:
            mnuExportPdf_Click(g);
            break;
        case kExportMusicXmlItem:
            mnuExportMusicXml_Click(g);
            break;
        default:
            break;
    }
}

}  // namespace lutavo
