#include "ui/export_run.h"

#include <cstdio>

#include "app/song_export.h"
#include "services/fluidsynth/sound_font.h"
#include "services/fluidsynth/wave_render.h"
#include "ui/application.h"

namespace lutavo {

namespace {

// The last notes ring on after the engine stops: the file keeps their release.
constexpr long kReleaseTailMs = 1500;

int writeWave(const ExportRequest& request) {
    if (!outputIsFree(request)) return 1;
    const auto recording = recordSongFile(request);
    if (!recording) return 1;
    quietSoundLibraries();
    std::vector<std::string> warnings;
    const RenderResult result =
        renderPerformanceWav(findSoundFont(), *recording, kReleaseTailMs, request.output, warnings);
    for (const std::string& w : warnings)
        std::fprintf(stderr, "lutavo: %s; the clicks are left out\n", w.c_str());
    if (!result.ok) {
        std::fprintf(stderr, "lutavo: %s\n", result.problem.c_str());
        return 1;
    }
    reportWritten(request.output, result.lengthMs);
    return 0;
}

}  // namespace

int runExport(ExportKind kind, const ExportRequest& request) {
    return kind == ExportKind::Midi ? exportMidi(request) : writeWave(request);
}

}  // namespace lutavo
