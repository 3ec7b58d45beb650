#include "ui/export_run.h"

#include <cstdio>
#include <memory>

#include "app/song_files.h"
#include "app/startup.h"
#include "base/safe_file.h"
#include "core/guitar.h"
#include "platform/fluidsynth/sound_font.h"
#include "platform/fluidsynth/wave_render.h"
#include "playback/midi_file.h"
#include "ui/application.h"
#include "ui/headless_dialogs.h"

namespace lutavo {

namespace {

// The last notes ring on after the engine stops: the file keeps their release.
constexpr long kReleaseTailMs = 1500;

// The state start-up would build, with the song loaded; nullptr (after the reason went to
// standard error) when the song could not be loaded.
std::unique_ptr<Guitar> loadForExport(const ExportRequest& request, HeadlessDialogs& dialogs) {
    auto g = std::make_unique<Guitar>();
    g->sys.dialogs = &dialogs;
    startState(*g, {request.appFolder, "", request.userConfig});
    g->song.songFile.clear();
    loadsong(*g, request.song);
    if (g->song.songFile.empty()) {
        if (dialogs.messages == 0)
            std::fprintf(stderr, "lutavo: cannot load %s\n", request.song.c_str());
        return nullptr;
    }
    if (g->song.noteCount < 1) {
        std::fprintf(stderr, "lutavo: %s has no notes to play\n", request.song.c_str());
        return nullptr;
    }
    return g;
}

void reportWritten(const std::string& path, long lengthMs) {
    std::printf("Wrote %s (%ld.%03ld s)\n", path.c_str(), lengthMs / 1000, lengthMs % 1000);
}

int writeMidi(const Performance& perf, const std::string& path) {
    if (const WriteResult written = writeMidiFile(path, perf.messages); !written) {
        std::fprintf(stderr, "lutavo: cannot write %s: %s\n", path.c_str(),
                     written.problem.c_str());
        return 1;
    }
    reportWritten(path, perf.endMs);
    return 0;
}

int writeWave(const Performance& perf, const std::string& path) {
    quietSoundLibraries();
    std::vector<std::string> warnings;
    const RenderResult result =
        renderPerformanceWav(findSoundFont(), perf, kReleaseTailMs, path, warnings);
    for (const std::string& w : warnings)
        std::fprintf(stderr, "lutavo: %s; the clicks are left out\n", w.c_str());
    if (!result.ok) {
        std::fprintf(stderr, "lutavo: %s\n", result.problem.c_str());
        return 1;
    }
    reportWritten(path, result.lengthMs);
    return 0;
}

}  // namespace

int runExport(ExportKind kind, const ExportRequest& request) {
    if (sameFile(request.song, request.output)) {
        std::fprintf(stderr, "lutavo: %s is the song itself; nothing was written\n",
                     request.output.c_str());
        return 1;
    }
    HeadlessDialogs dialogs;
    const auto g = loadForExport(request, dialogs);
    if (!g) return 1;
    const Performance perf = recordPerformance(*g);
    return kind == ExportKind::Midi ? writeMidi(perf, request.output)
                                    : writeWave(perf, request.output);
}

}  // namespace lutavo
