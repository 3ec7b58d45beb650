#include "platform/fluidsynth/wave_render.h"

#include <map>

#include "platform/fluidsynth/offline_synth.h"
#include "platform/fluidsynth/pcm_clip.h"

namespace lutavo {

namespace {

// Every click of a song is the same file: each is read once.
std::vector<ClipStart> clipStarts(const std::vector<TimedClip>& clips,
                                  std::map<std::string, PcmClip>& loaded,
                                  std::vector<std::string>& warnings) {
    std::vector<ClipStart> starts;
    for (const auto& [timeMs, path] : clips) {
        auto found = loaded.find(path);
        if (found == loaded.end()) {
            std::string problem;
            found = loaded.emplace(path, readPcmWav(path, problem)).first;
            if (!problem.empty()) warnings.push_back(problem);
        }
        starts.push_back({frameAt(timeMs), &found->second});
    }
    return starts;
}

}  // namespace

RenderResult renderPerformanceWav(const std::string& soundFont, const Performance& performance,
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
    const long lengthMs = performance.endMs + tailMs;
    std::vector<std::int16_t> samples = synth.render(performance.messages, lengthMs);
    std::map<std::string, PcmClip> loaded;
    mixClips(samples, kSynthSampleRate, clipStarts(performance.clips, loaded, warnings));
    if (!OfflineSynth::writeWav(path, samples)) {
        result.problem = "cannot write " + path;
        return result;
    }
    result.ok = true;
    result.lengthMs = lengthMs;
    return result;
}

}  // namespace lutavo
