#pragma once
// The command line's exports: a song played on a virtual clock into a MIDI file or, through the
// built-in synthesizer, into a WAV file, without a window.

#include <string>

namespace lutavo {

enum class ExportKind;

struct ExportRequest {
    std::string song;        // the song file to play
    std::string output;      // the file to write
    std::string appFolder;   // the program's data folder (clicks, default configuration)
    std::string userConfig;  // the user's configuration file
};

// Runs one export; messages go to standard error, the written file and its length to standard
// output. Returns the program's exit code.
int runExport(ExportKind kind, const ExportRequest& request);

}  // namespace lutavo
