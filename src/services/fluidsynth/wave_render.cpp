// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/wave_render.h"

#include <algorithm>
#include <map>

#include "services/fluidsynth/offline_synth.h"
#include "services/fluidsynth/pcm_clip.h"

namespace lutavo {

namespace {

// Every click of a song is the same file: each is read once.
std::vector<ClipCue> clipCues(const std::vector<TimedClip>& clips,
                              std::map<std::string, StereoClip>& loaded,
                              std::vector<std::string>& warnings) {
    std::vector<ClipCue> cues;
    for (const auto& [timeMs, path] : clips) {
        auto found = loaded.find(path);
        if (found == loaded.end()) {
            std::string problem;
            const PcmClip clip = readPcmWav(path, problem);
            found = loaded.emplace(path, toStereo(clip, kFileSampleRate)).first;
            if (!problem.empty()) warnings.push_back(problem);
        }
        cues.push_back({timeMs, &found->second});
    }
    return cues;
}

// The song's end plus the release of its last notes, or the end of the last clip when that
// sounds on longer: a clip starts by cutting the one before off, so only the last can.
long renderLengthMs(long songEndMs, const std::vector<ClipCue>& cues) {
    long end = songEndMs;
    const auto last = std::max_element(
        cues.begin(), cues.end(), [](const auto& a, const auto& b) { return a.timeMs < b.timeMs; });
    if (last != cues.end()) {
        end = std::max(end, last->timeMs + (last->clip->frames() * 1000 + kFileSampleRate - 1) /
                                               kFileSampleRate);
    }
    return end;
}

}  // namespace

RenderResult renderPerformanceWav(const std::string& soundFont, const SoundRecording& performance,
                                  long tailMs, const std::string& path,
                                  std::vector<std::string>& warnings) {
    RenderResult result;
    if (soundFont.empty()) {
        result.problem = "no General MIDI sound font is installed (set LUTAVO_SOUNDFONT)";
        return result;
    }
    OfflineSynth synth(soundFont);
    if (!synth.ready()) {
        result.problem = synth.problem();
        return result;
    }
    std::map<std::string, StereoClip> loaded;
    const std::vector<ClipCue> cues = clipCues(performance.clips, loaded, warnings);
    const long lengthMs = renderLengthMs(performance.endMs + tailMs, cues);
    if (const WriteResult written = synth.renderWav(path, performance.messages, cues, lengthMs);
        !written) {
        result.problem = "cannot write " + path + ": " + written.problem;
        return result;
    }
    result.ok = true;
    result.lengthMs = lengthMs;
    return result;
}

}  // namespace lutavo
