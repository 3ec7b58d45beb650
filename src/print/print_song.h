// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing a song: its lines engraved from the song itself onto sheets of the printer's paper,
// as many to a sheet as fit, the window left as it is.

#include <optional>
#include <string>
#include <vector>

#include "core/tuning_state.h"
#include "platform/dialogs.h"
#include "platform/sheet_drawing.h"

namespace lutavo {

struct Guitar;
struct SongModel;
struct KeyState;
struct DisplayState;

// The items of the PRINT menu, by index.
enum PrintMenuItem : int {
    kPrintSetupItem = 0,
    kPrintSongItem = 2,
    kExportPdfItem = 3,
    kExportMusicXmlItem = 4,
};

// Prints the current song through the print dialog's choices. Without a printer it says so
// and how to make a PDF instead; without the music font it names the package that brings it.
// A failing printer operation does not stop the run; "Printer Stopped" tells of failures once,
// at the end.
void mnuPrintSong_Click(Guitar& g);

// A save dialog's request for an export of the song: beside the song file, under its name with
// the extension ext.
FileDialogRequest exportRequest(const std::string& songFile, std::string title,
                                std::string filterName, const std::string& ext);

// Asks for a PDF file and prints the song into it instead of the printer.
void mnuExportPdf_Click(Guitar& g);

// Prints the song into a PDF file at path on the paper given (the locale's when none), written
// as saves write songs: only a whole document replaces what the file held, and never the song
// itself. The sheets written, or 0 after a message that says why the file was not written.
int exportPdf(Guitar& g, const std::string& path, std::optional<PaperSize> paper = std::nullopt);

// What a print reads: the song, how its strings and key write it, its pictures and its lines.
struct PrintSource {
    const SongModel& song;
    const PitchTable& pitchOf;
    const KeyState& keys;
    const DisplayState& display;  // the page pictures of a song whose pages are pictures
    int lines = 1;
};

PrintSource printSourceOf(const Guitar& g);

// The sheets the song's print takes on this paper.
int printedSheets(const PrintSource& source, PaperSize paper);

// The sheets of a print, each drawn as the printer gets it: `first`..`last` (from 1) of the song.
// Lines are engraved from the first, so that notes ringing over a line's end are read as the
// window reads them.
std::vector<SheetDrawing> drawSheets(const PrintSource& source, PaperSize paper, int first,
                                     int last);

// Runs the PRINT menu's item (-1: the menu was dismissed).
void mnuPrint_Click(Guitar& g, int item);

}  // namespace lutavo
