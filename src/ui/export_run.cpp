// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export_run.h"

#include <cstdio>

#include "app/song_export.h"
#include "app/song_import.h"
#include "app/take_scoring.h"
#include "services/hearing_module/hearing_module.h"
#include "services/sound_module/sound_module.h"
#include "ui/application.h"

namespace lutavo {

namespace {

// The last notes ring on after the engine stops: the file keeps their release.
constexpr long kReleaseTailMs = 1500;

int writeWave(const ExportRequest& request) {
    if (!outputIsFree(request)) return 1;
    const auto recording = recordSongFile(request);
    if (!recording) return 1;
    std::string problem;
    SoundModule* sound = openSoundModule(soundModulePath().toStdString(), problem);
    if (sound == nullptr) {
        std::fprintf(stderr, "lutavo: the built-in synthesizer cannot be loaded (%s)\n",
                     problem.c_str());
        return 1;
    }
    std::vector<std::string> warnings;
    const RenderResult result =
        sound->renderWav(*recording, kReleaseTailMs, request.output, warnings);
    for (const std::string& w : warnings)
        std::fprintf(stderr, "lutavo: %s; the clicks are left out\n", w.c_str());
    if (!result.ok) {
        std::fprintf(stderr, "lutavo: %s\n", result.problem.c_str());
        return 1;
    }
    reportWritten(request.output, result.lengthMs);
    return 0;
}

int scoreTake(const ExportRequest& request) {
    PlayRange range;
    if (!request.range.empty()) {
        const auto parsed = parseNoteRange(request.range);
        if (!parsed) {
            std::fprintf(stderr, "lutavo: --range wants the first and last note, as in 9-16\n");
            return 2;
        }
        range = *parsed;
    }
    const auto play = expectedPlayOf(request, range);
    if (!play) return 1;
    std::string problem;
    HearingModule* hearing = openHearingModule(hearingModulePath().toStdString(), problem);
    if (hearing == nullptr) {
        std::fprintf(stderr, "lutavo: the hearing cannot be loaded (%s)\n", problem.c_str());
        return 1;
    }
    const HeardTakeFile take = hearing->hearTakeFile(request.output);
    if (!take.problem.empty()) {
        std::fprintf(stderr, "lutavo: %s\n", take.problem.c_str());
        return 1;
    }
    JudgeWindows windows;
    windows.beatMs = play->beatMs;
    const HeardTake heard = takeFrom(take.heard, takeStartMs(play->notes, take.heard, windows));
    for (const std::string& line : scoreReport(*play, judgeTake(play->notes, heard, windows)))
        std::printf("%s\n", line.c_str());
    return 0;
}

}  // namespace

int runExport(ExportKind kind, const ExportRequest& request) {
    switch (kind) {
        case ExportKind::Midi:
            return exportMidi(request);
        case ExportKind::MusicXml:
            return exportMusicXmlFile(request);
        case ExportKind::Score:
            return scoreTake(request);
        default:
            return writeWave(request);
    }
}

int runImport(const ImportRequest& request) {
    // A file that names no guitar sound gets the configured one.
    const ConfigState config = configuredState(request.appFolder, request.userConfig);
    const ImportRun run =
        importToSongFiles(request.input, request.output, request.track, config.preferredSound);
    if (!run.error.empty()) {
        std::fprintf(stderr, "lutavo: %s\n", run.error.c_str());
        return 1;
    }
    for (const std::string& note : run.notes)
        std::fprintf(stderr, "lutavo: %s\n", note.c_str());
    for (const std::string& name : run.written)
        std::printf("Wrote %s\n", name.c_str());
    return 0;
}

}  // namespace lutavo
