// SPDX-License-Identifier: GPL-3.0-or-later
// What the built-in synthesizer costs while a song plays, at the live stream's rate and at the
// CD rate: every sample song rendered through the stream's mixer in the pieces the sound server
// asks for (2.9 ms), timed on the process's own processor clock. The audio thread does just this
// work while a song plays; what the sound server then spends converting the rate is its own.
//
//   synth_rate_timing [--runs N]
//
// Prints per rate the processor time per second of sound: the share of one core it takes.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/song_export.h"
#include "cpu_time.h"
#include "fakes/test_rig.h"
#include "playback/midi_file.h"
#include "services/fluidsynth/audio_output.h"
#include "services/fluidsynth/offline_synth.h"
#include "services/fluidsynth/sound_font.h"

namespace lutavo::bench {
namespace {

struct Played {
    std::string name;
    std::vector<TimedMessage> messages;
    long endMs;
};

std::vector<Played> sampleSongs() {
    std::vector<Played> songs;
    for (const auto& entry : std::filesystem::directory_iterator(test::dataFolder() + "songs")) {
        if (entry.path().extension() != ".SNG") continue;
        auto recording = recordSongFile({entry.path().string(), "", test::dataFolder(), "", ""});
        if (!recording) continue;
        songs.push_back(
            {entry.path().stem().string(), std::move(recording->messages), recording->endMs});
    }
    std::sort(songs.begin(), songs.end(), [](auto& a, auto& b) { return a.name < b.name; });
    return songs;
}

// Processor microseconds to render the song and two seconds of its last notes' release.
double renderMicros(const std::string& font, const Played& song, int rate) {
    SynthEngine engine(font, rate);
    StreamMixer mixer(StreamClock::exact(rate), engine.synth());
    const int piece = rate * 29 / 10'000;
    const long frames = (song.endMs + 2000) * rate / 1000;
    std::vector<float> left(static_cast<std::size_t>(piece)), right(left.size());
    auto next = song.messages.begin();
    const double start = cpuMicros();
    for (long done = 0; done < frames; done += piece) {
        const std::int64_t pieceEndNs = (done + piece) * std::int64_t{1'000'000'000} / rate;
        for (; next != song.messages.end() && next->timeMs * 1'000'000 < pieceEndNs; ++next)
            mixer.post({next->timeMs * 1'000'000, next->message, nullptr});
        std::fill(left.begin(), left.end(), 0.0f);
        std::fill(right.begin(), right.end(), 0.0f);
        mixer.render(left.data(), right.data(), piece);
    }
    return cpuMicros() - start;
}

}  // namespace
}  // namespace lutavo::bench

int main(int argc, char** argv) {
    using namespace lutavo;
    const int runs = argc > 2 && std::string(argv[1]) == "--runs" ? std::atoi(argv[2]) : 3;
    const std::string font = findSoundFont();
    if (font.empty()) {
        std::fprintf(stderr, "no sound font\n");
        return 1;
    }
    const std::vector<bench::Played> songs = bench::sampleSongs();
    std::printf("%-18s %8s %14s %11d kHz\n", "song", "seconds", "44.1 kHz", kLiveSampleRate / 1000);
    double total[2] = {0, 0};
    double seconds = 0;
    for (const bench::Played& song : songs) {
        const double length = (song.endMs + 2000) / 1000.0;
        double share[2];
        int i = 0;
        for (int rate : {kFileSampleRate, kLiveSampleRate}) {
            double best = 1e300;
            for (int run = 0; run < runs; ++run)
                best = std::min(best, bench::renderMicros(font, song, rate));
            share[i] = best / 1e6 / length;
            total[i++] += best / 1e6;
        }
        seconds += length;
        std::printf("%-18s %8.1f %13.2f%% %13.2f%%\n", song.name.c_str(), length, 100 * share[0],
                    100 * share[1]);
    }
    std::printf("%-18s %8.1f %13.2f%% %13.2f%%   (share of one core, best of %d)\n", "all", seconds,
                100 * total[0] / seconds, 100 * total[1] / seconds, runs);
    return 0;
}
