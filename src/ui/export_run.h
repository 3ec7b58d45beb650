// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line's exports: a song played into a MIDI file or, through the built-in
// synthesizer, into a WAV file; a song as a MusicXML score; and the conversion of other
// programs' files into songs; all without a window.

#include "app/song_export.h"

namespace lutavo {

enum class ExportKind;

struct ImportRequest {
    std::string input;   // another program's file
    std::string output;  // the song file to write
    int track = 0;       // the file's track number, 0 for the first guitar track
    std::string appFolder;
    std::string userConfig;
};

// Converts a file into song files; notes go to standard error, the files written to standard
// output. Returns the program's exit code.
int runImport(const ImportRequest& request);

// Runs one export; messages go to standard error, the written file and its length to standard
// output. Returns the program's exit code.
int runExport(ExportKind kind, const ExportRequest& request);

}  // namespace lutavo
