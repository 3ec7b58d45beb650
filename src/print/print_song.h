// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing a song: each page is shown in the window in turn and the window's page area is
// copied onto the printer's sheet, several pages stacked on one sheet.

#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace lutavo {

struct Guitar;

// The items of the PRINT menu, by index.
enum PrintMenuItem : int {
    kPrintSetupItem = 0,
    kPrintSongItem = 2,
    kExportPdfItem = 3,
    kExportMusicXmlItem = 4,
};

// Prints the current song through the print dialog's choices. Without a printer it says so
// and how to make a PDF instead. A failing printer operation does not stop the run, so the
// window is always restored at the end, on the page it showed before; "Printer Stopped" tells
// of failures once, at the end.
void mnuPrintSong_Click(Guitar& g);

// A save dialog's request for an export of the song: beside the song file, under its name with
// the extension ext.
FileDialogRequest exportRequest(const std::string& songFile, std::string title,
                                std::string filterName, const std::string& ext);

// Asks for a PDF file and prints the song into it instead of the printer.
void mnuExportPdf_Click(Guitar& g);

// Prints the song into a PDF file at path, written as saves write songs: only a whole document
// replaces what the file held, and never the song itself. False, after a message that says why,
// when the file was not written.
bool exportPdf(Guitar& g, const std::string& path);

// Where a printed page goes: its sheet (from 1), its line on the sheet (from 0) and the height
// of its copy in twips.
struct SheetPlace {
    int sheet;
    int line;
    int lineHeight;
    bool operator==(const SheetPlace&) const = default;
};

// Pages are stacked on a sheet until their heights pass 12500 twips.
std::vector<SheetPlace> sheetPlaces(int pageHeight, int pages);
// The sheets a print of so many pages takes.
int sheetCount(int pageHeight, int pages);

// Runs the PRINT menu's item (-1: the menu was dismissed).
void mnuPrint_Click(Guitar& g, int item);

}  // namespace lutavo
