// SPDX-License-Identifier: GPL-3.0-or-later
// What the chord library's search costs: one root and type (the slowest of all 17 x 25 and the
// mean), and the whole 17 roots x 25 types in one go, in standard tuning without a capo; then
// the same for the scale positions; then the library's whole handler (search, page layout and
// redraw with the program's own pictures) for one type. Process CPU time.
//
//   library_timing [--runs N]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "app/chord_library.h"
#include "app/mode_bar.h"
#include "cpu_time.h"
#include "fakes/test_rig.h"
#include "services/qt/qt_picture_io.h"
#include "theory/chord_types.h"
#include "theory/scale_fingering.h"
#include "theory/voicing_search.h"
#include "tuning/pitch_table.h"

namespace lutavo::bench {
namespace {

PitchTable standardTuning() {
    TuningState tuning;
    FixedArray<i16, 1, 6> alt;
    alt.fill(0);
    fillPitchTable(tuning, alt);
    return tuning.pitchOf;
}

struct Figures {
    double slowestOne = 0;  // microseconds, the slowest root and type (mean over the runs)
    double meanOne = 0;
    double all = 0;  // microseconds for every root and type once
    std::size_t results = 0;
};

// Runs search(root, type) over every root and every entry of `types`, `runs` times.
template <typename Type, typename Search>
Figures measure(const std::vector<Type>& types, int runs, Search search) {
    Figures f;
    std::vector<double> perCase(menuRoots().size() * types.size(), 0);
    for (int r = 0; r < runs; ++r) {
        const double start = cpuMicros();
        std::size_t k = 0;
        for (const MenuRoot& root : menuRoots()) {
            for (const auto& type : types) {
                const double t0 = cpuMicros();
                f.results += search(root.pitchClass, type);
                perCase[k++] += cpuMicros() - t0;
            }
        }
        f.all += cpuMicros() - start;
    }
    f.all /= runs;
    for (double& t : perCase)
        t /= runs;
    f.slowestOne = *std::max_element(perCase.begin(), perCase.end());
    double sum = 0;
    for (double t : perCase)
        sum += t;
    f.meanOne = sum / static_cast<double>(perCase.size());
    f.results /= static_cast<std::size_t>(runs);
    return f;
}

void report(const char* what, const Figures& f, std::size_t cases) {
    std::printf(
        "%s: one root and type %.1f us mean, %.1f us slowest; all %zu in %.3f ms "
        "(%zu results)\n",
        what, f.meanOne, f.slowestOne, cases, f.all / 1000.0, f.results);
}

}  // namespace
}  // namespace lutavo::bench

int main(int argc, char** argv) {
    using namespace lutavo;
    using namespace lutavo::bench;
    int runs = 200;
    if (argc == 3 && std::string(argv[1]) == "--runs") runs = std::max(1, std::atoi(argv[2]));
    const PitchTable pitches = standardTuning();

    // A chord type's tones and the tones a shape needs.
    using ChordTones = std::pair<std::vector<int>, std::vector<int>>;
    std::vector<ChordTones> chords;
    for (int cell = 1; cell <= kChordTypeCount; ++cell)
        chords.emplace_back(formulaSemitones(chordType(cell).formula),
                            formulaSemitones(chordType(cell).needs));
    const Figures c = measure(chords, runs, [&](int root, const ChordTones& tones) {
        return findVoicings(root, tones.first, tones.second, pitches, 0).size();
    });
    report("chord shapes", c, menuRoots().size() * chords.size());

    std::vector<std::vector<int>> scales;
    for (int cell = 1; cell <= kScaleTypeCount; ++cell)
        scales.push_back(formulaSemitones(scaleType(cell).formula));
    const Figures s = measure(scales, runs, [&](int root, const std::vector<int>& tones) {
        return findScalePositions(root, tones, pitches, 0).size();
    });
    report("scale positions", s, menuRoots().size() * scales.size());

    // The whole handler: stop, search, page table, layout, the key's tables and the redraw.
    test::Rig rig;
    rig.defaults();
    QtPictureIO pictures;
    Guitar& g = rig.g();
    g.sys.pictures = &pictures;
    setupModeBar(g);
    closesong(g);
    mnuchord_Click(g, 0);
    const int handlerRuns = std::max(1, runs / 10);
    const double t0 = cpuMicros();
    for (int i = 0; i < handlerRuns; ++i)
        pagepic_MouseDown(g, kMouseLeft, 0, 14 * kChordCellTwips + 10, 10);
    std::printf("chord library page (C 7th, %d shapes, drawn): %.2f ms per type chosen\n",
                g.song.noteCount, (cpuMicros() - t0) / handlerRuns / 1000.0);
    return 0;
}
