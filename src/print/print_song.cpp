// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_song.h"

#include <filesystem>

#include "base/colors.h"
#include "base/numbers.h"
#include "base/safe_file.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/page_glyphs.h"
#include "display/page_render.h"
#include "platform/printer.h"
#include "platform/screen.h"
#include "print/musicxml_export.h"

namespace lutavo {

namespace {

// The page area of the window (client pixels) and where its copy lands on the sheet.
constexpr int kPageAreaLeft = 4;
constexpr int kPageAreaTop = 152;
constexpr int kPageAreaWidth = kSheetPrintedWidth;
constexpr int kSheetTop = 20;
// Pages are stacked on one sheet until their heights pass this many twips.
constexpr int kSheetTwips = 12500;

constexpr const char* kNoPrinter = "No printer is set up. Use Export PDF... to make a PDF.";

// Counts the operations that failed; the run goes on, and the user hears of it once at the end.
struct PrintRun {
    Guitar& g;
    SheetRange sheets;
    int scale = 1;
    int failures = 0;

    void check(bool ok) { failures += ok ? 0 : 1; }
};

// The page area is drawn at the sheet's scale and lands at the sheet's scale times its place.
void copyPage(PrintRun& run, int lineHeight, int lineOnSheet) {
    Guitar& g = run.g;
    const int height = static_cast<int>(roundHalfEven(lineHeight / 15.0 - 5));
    const int y = static_cast<int>(roundHalfEven(lineHeight / 16.0 * lineOnSheet + kSheetTop));
    Picture area;
    const bool grabbed =
        g.sys.screen != nullptr &&
        g.sys.screen->grab(kPageAreaLeft, kPageAreaTop, kPageAreaWidth, height, run.scale, area);
    run.check(grabbed && g.sys.printer != nullptr &&
              g.sys.printer->blit(kSheetLeft * run.scale, y * run.scale, area, RasterOp::And));
}

void showPage(Guitar& g, int page) {
    g.ui.pgScroll.value = page;
    pgScroll_Change(g);
    if (g.sys.screen != nullptr) g.sys.screen->present();
}

// The sheets chosen, each a fresh page of one print job, so that copies come out in order.
void printPages(PrintRun& run) {
    Guitar& g = run.g;
    Printer* printer = g.sys.printer;
    const std::vector<SheetPlace> places = sheetPlaces(g.song.pageHeight, g.ui.pgScroll.max);
    int sheet = 0;
    for (int page = 1; page <= static_cast<int>(places.size()); ++page) {
        const SheetPlace& at = places[static_cast<std::size_t>(page - 1)];
        if (at.sheet < run.sheets.first || at.sheet > run.sheets.last) continue;
        if (at.sheet != sheet) {
            run.check(printer != nullptr && printer->newPage());
            sheet = at.sheet;
        }
        showPage(g, page);
        copyPage(run, at.lineHeight, at.line);
    }
}

// The whole run over the chosen sheets; returns the number of failed operations.
int printSong(Guitar& g, SheetRange sheets) {
    PrintRun run{g, sheets};
    // The window comes back to the page the user was reading.
    const int pageShown = g.ui.pgScroll.value;
    if (g.sys.printer != nullptr) run.scale = g.sys.printer->scale();
    // The pages are drawn at the sheet's scale too while the run lasts.
    const FinePage* fine = run.scale > 1 ? finePageFor(g.display, run.scale) : nullptr;
    const bool fineInUse = fine != nullptr && fine->scale == run.scale;
    if (run.scale > 1) useFineScale(g, run.scale, true);
    pgScroll_Change(g);
    auto& ui = g.ui;
    ui.opttxt[kModeBarPrint].color = kColorActive;
    ui.form.mousePointer = MousePointer::Hourglass;
    // Neither the pointers nor the page scroll bar beside the page belong on paper.
    const bool pointerShown = ui.pointer.visible;
    const bool vpointerShown = ui.vpointer.visible;
    const bool scrollShown = ui.scrollpanel.visible;
    ui.pointer.visible = false;
    ui.vpointer.visible = false;
    ui.scrollpanel.visible = false;

    printPages(run);

    ui.pointer.visible = pointerShown;
    ui.vpointer.visible = vpointerShown;
    ui.scrollpanel.visible = scrollShown;
    showPage(g, pageShown);
    run.check(g.sys.printer != nullptr && g.sys.printer->endDoc());
    ui.form.mousePointer = MousePointer::Normal;
    ui.opttxt[kModeBarPrint].color = kColorAvailable;
    if (run.scale > 1) useFineScale(g, run.scale, fineInUse);
    pgScroll_Change(g);
    return run.failures;
}

}  // namespace

std::vector<SheetPlace> sheetPlaces(int pageHeight, int pages) {
    std::vector<SheetPlace> places;
    int sheet = 1;
    int sheetUsed = 0;
    int line = 0;
    for (int page = 1; page <= pages; ++page) {
        // Page 1 is copied with the title rows above its staff; later pages are copied shorter.
        const int lineHeight = page == 1 ? pageHeight + 20 : pageHeight - 130;
        sheetUsed += lineHeight;
        if (sheetUsed > kSheetTwips && line > 0) {
            // The page that broke the sheet counts on the next one, so that no sheet holds
            // more than fits on it.
            ++sheet;
            sheetUsed = lineHeight;
            line = 0;
        }
        places.push_back({sheet, line++, lineHeight});
    }
    return places;
}

int sheetCount(int pageHeight, int pages) {
    const std::vector<SheetPlace> places = sheetPlaces(pageHeight, pages);
    return places.empty() ? 0 : places.back().sheet;
}

void mnuPrintSong_Click(Guitar& g) {
    if (g.sys.printer == nullptr || !g.sys.printer->isSetUp()) {
        showMessage(g, kNoPrinter, "Print Song");
        return;
    }
    if (g.sys.dialogs == nullptr) return;
    const std::optional<SheetRange> sheets =
        g.sys.dialogs->printDialog(sheetCount(g.song.pageHeight, g.ui.pgScroll.max));
    if (sheets && printSong(g, *sheets) > 0) showMessage(g, "Printer Stopped");
}

bool exportPdf(Guitar& g, const std::string& path) {
    Printer* printer = g.sys.printer;
    if (sameFile(g.song.songFile, path)) {
        showMessage(g, path + " is the song itself: the PDF file was not written.");
        return false;
    }
    if (printer == nullptr || !printer->startPdf()) {
        showMessage(g, "Printer Stopped");
        return false;
    }
    const int failures = printSong(g, {1, sheetCount(g.song.pageHeight, g.ui.pgScroll.max)});
    std::string pdf;
    // A document with pages missing is not written over what the file holds now.
    if (!printer->takePdf(pdf) || failures > 0) {
        showMessage(g,
                    "The PDF file " + path + " was not written: the pages could not be printed.");
        return false;
    }
    if (const WriteResult written = writeFileSafely(path, pdf); !written) {
        showMessage(g, "The PDF file " + path + " could not be written: " + written.problem + ".");
        return false;
    }
    return true;
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
