// SPDX-License-Identifier: GPL-3.0-or-later
// What importing a long piece costs: 3,000 notes as a version 5 tablature file and as MusicXML
// (with a tablature staff, and with pitches only so that every note is given a fingering), from
// the file's bytes to the song files' texts. Core time (process CPU time), median of the runs.
//
//   import_timing [--runs N]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "cpu_time.h"
#include "formats/fixtures/gp_fixture.h"
#include "formats/score_file.h"
#include "formats/song_fitting.h"

namespace lutavo::bench {
namespace {

constexpr int kBars = 375;  // eight eighths a bar: 3,000 notes
constexpr std::array<int, 8> kMelody = {0, 2, 4, 5, 7, 9, 11, 12};

std::string tablature() {
    test::GpSong s;
    s.title = "Long";
    for (int b = 0; b < kBars; ++b) {
        std::vector<test::GpBeat> beats;
        for (int i = 0; i < 8; ++i) {
            const int string = 6 - (b + i) % 6;
            beats.push_back(
                {1, false, 0, {{string, kMelody[static_cast<std::size_t>(i)] % 5 + (b % 3)}}});
        }
        s.bars.push_back(test::oneTrackBar(beats));
    }
    return test::gpFile(s);
}

// A MusicXML score of the same length: a C major melody climbing through two octaves.
std::string score(bool withTablature) {
    static constexpr std::array<const char*, 12> kSteps = {"C", "C", "D", "D", "E", "F",
                                                           "F", "G", "G", "A", "A", "B"};
    std::string xml =
        R"(<?xml version="1.0"?><score-partwise version="3.1"><part-list>)"
        R"(<score-part id="P1"><part-name>Guitar</part-name></score-part></part-list>)"
        R"(<part id="P1">)";
    for (int b = 0; b < kBars; ++b) {
        xml += "<measure number=\"" + std::to_string(b + 1) + "\">";
        if (b == 0) {
            xml +=
                "<attributes><divisions>2</divisions><time><beats>4</beats><beat-type>4</beat-type>"
                "</time></attributes>";
        }
        for (int i = 0; i < 8; ++i) {
            const int pitch = 48 + kMelody[static_cast<std::size_t>(i)] + 12 * (b % 2);
            xml += "<note><pitch><step>" +
                   std::string(kSteps[static_cast<std::size_t>(pitch % 12)]) + "</step><octave>" +
                   std::to_string(pitch / 12 - 1) +
                   "</octave></pitch><duration>1</duration><type>eighth</type>";
            if (withTablature) {
                const int string = pitch < 55 ? 5 : pitch < 64 ? 3 : 1;
                const int open = string == 5 ? 45 : string == 3 ? 55 : 64;
                xml += "<notations><technical><string>" + std::to_string(string) +
                       "</string><fret>" + std::to_string(pitch - open) +
                       "</fret></technical></notations>";
            }
            xml += "</note>";
        }
        xml += "</measure>";
    }
    return xml + "</part></score-partwise>";
}

// The whole import: read, choose the track, fit, and write every part's song text.
std::size_t importAll(const std::string& bytes, const std::string& name) {
    const auto read = readScoreBytes(bytes, name);
    const auto& piece = std::get<score::Score>(read);
    const auto choices = trackChoices(piece);
    const ImportedSong song = fitToSong(piece, choices[preferredChoice(choices)].track);
    std::size_t size = 0;
    for (std::size_t k = 0; k < song.parts.size(); ++k)
        size += importedSongText(song, k, 0).size();
    return size;
}

double medianMillis(int runs, const std::function<void()>& action) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double t0 = cpuMicros();
        action();
        times.push_back((cpuMicros() - t0) / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace
}  // namespace lutavo::bench

int main(int argc, char** argv) {
    using namespace lutavo::bench;
    int runs = 30;
    if (argc == 3 && std::string(argv[1]) == "--runs") runs = std::max(1, std::atoi(argv[2]));
    struct Case {
        const char* what;
        std::string bytes;
        const char* name;
    };
    const Case cases[] = {{"version 5 tablature", tablature(), "long.gp5"},
                          {"MusicXML with tablature", score(true), "long.musicxml"},
                          {"MusicXML, pitches only", score(false), "long.musicxml"}};
    std::printf("Importing 3,000 notes, median of %d runs (target: under 50 ms)\n", runs);
    for (const Case& c : cases) {
        std::size_t written = 0;
        const double ms = medianMillis(runs, [&] { written = importAll(c.bytes, c.name); });
        std::printf("  %-26s %7.2f ms  (%zu bytes in, %zu bytes of songs out)\n", c.what, ms,
                    c.bytes.size(), written);
    }
    return 0;
}
