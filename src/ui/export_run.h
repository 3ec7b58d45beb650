#pragma once
// The command line's exports: a song played into a MIDI file or, through the built-in
// synthesizer, into a WAV file, without a window.

#include "app/song_export.h"

namespace lutavo {

enum class ExportKind;

// Runs one export; messages go to standard error, the written file and its length to standard
// output. Returns the program's exit code.
int runExport(ExportKind kind, const ExportRequest& request);

}  // namespace lutavo
