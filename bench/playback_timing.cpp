// SPDX-License-Identifier: GPL-3.0-or-later
// How well the playback timer keeps time over a long song, played through the real event loop
// and the real timer driver with the engine's own tick on a headless Guitar.
//
//   playback_timing [--notes N] [--tempo T] [--naive]
//
// For every processed tick it records the monotonic time against the ideal schedule
// (start + n * interval) and prints, per tempo and with the other core idle or busy:
//   drift   lateness of the last tick, i.e. how far the song ended behind its tempo
//   median / p99 / max   of the absolute deviation of every tick from its ideal time
//   lost    ticks that fell due before the song ended but were never processed
// --naive plays through a plain repeating QTimer instead, the way the timer used to run.

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "fakes/playback_rig.h"
#include "playback/tempo.h"
#include "playback/transport.h"
#include "services/qt/timer_driver.h"

namespace lutavo::bench {
namespace {

using Clock = std::chrono::steady_clock;

// Song entries a song can hold, page ends included, and entries on one page.
constexpr int kMaxEntries = 1000;
constexpr int kPageEntries = 40;
constexpr int kNoteTicks = 2;

struct Options {
    int entries = kMaxEntries;
    std::vector<int> tempos = {1, 8};
    bool naive = false;
};

struct Result {
    int tempo = 0;
    int interval = 0;
    bool busy = false;
    long processed = 0;
    long lost = 0;
    double driftMs = 0;
    double medianMs = 0;
    double p99Ms = 0;
    double maxMs = 0;
    double seconds = 0;
};

// A song of short notes climbing the top string, a page end after every page's worth.
std::vector<test::NoteSpec> longSong(int entries) {
    std::vector<test::NoteSpec> notes;
    for (int i = 1; i <= entries; ++i) {
        if (i % kPageEntries == 0) {
            notes.push_back(test::pageEnd());
        } else {
            notes.push_back(test::single(kNoteTicks, 6, i % 12));
        }
    }
    return notes;
}

// Spins on the other core for as long as it lives, as another busy program would.
class BusyCore {
  public:
    explicit BusyCore(bool on) {
        if (on) thread_ = std::thread([this] { spin(); });
    }
    ~BusyCore() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    BusyCore(const BusyCore&) = delete;
    BusyCore& operator=(const BusyCore&) = delete;

  private:
    void spin() {
        volatile unsigned long long sink = 0;
        while (!stop_.load(std::memory_order_relaxed))
            sink = sink + 1;
    }
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

double percentile(std::vector<double> sorted, double fraction) {
    if (sorted.empty()) return 0;
    const auto at = static_cast<std::size_t>(std::ceil(fraction * sorted.size())) - 1;
    return sorted[std::min(at, sorted.size() - 1)];
}

Result summarise(const std::vector<double>& tickMs, int interval, double endMs) {
    Result r;
    r.interval = interval;
    r.processed = static_cast<long>(tickMs.size());
    std::vector<double> deviations;
    for (std::size_t n = 0; n < tickMs.size(); ++n) {
        const double ideal = static_cast<double>(n + 1) * interval;
        deviations.push_back(std::abs(tickMs[n] - ideal));
    }
    if (!tickMs.empty()) r.driftMs = tickMs.back() - static_cast<double>(tickMs.size()) * interval;
    const long dueByEnd = static_cast<long>(std::floor(endMs / interval));
    r.lost = std::max(dueByEnd - r.processed, 0L);
    std::sort(deviations.begin(), deviations.end());
    r.medianMs = percentile(deviations, 0.5);
    r.p99Ms = percentile(deviations, 0.99);
    r.maxMs = deviations.empty() ? 0 : deviations.back();
    return r;
}

Result playOnce(const Options& options, int tempo, bool busy) {
    test::Rig rig;
    Guitar& g = test::playbackReady(rig);
    // The sink stays closed: nothing is recorded however long the song.
    rig.midi.isOpen = false;
    g.config.defaultLeadIn = 0;
    test::buildSong(g, longSong(options.entries));
    g.song.tempo = static_cast<i16>(tempo);
    g.ntimer.setMicros(tickIntervalMicros(tempo));
    playbtn_Click(g, kPlay);
    const int interval = g.ntimer.interval;

    std::vector<double> tickMs;
    tickMs.reserve(static_cast<std::size_t>(options.entries) * kNoteTicks + 16);
    QEventLoop loop;
    Clock::time_point start;
    auto msSinceStart = [&start] {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    auto tick = [&] {
        tickMs.push_back(msSinceStart());
        ntimer_Timer(g);
        if (!g.ntimer.enabled) loop.quit();
    };

    TimerDriver driver(g.ntimer, tick, TimerAccuracy::Precise);
    QTimer naiveTimer;
    naiveTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&naiveTimer, &QTimer::timeout, [&] {
        if (g.ntimer.enabled) tick();
        if (!g.ntimer.enabled) naiveTimer.stop();
    });
    // A song that never ends must not hang the benchmark.
    const int limitMs = options.entries * kNoteTicks * interval * 3 + 10000;
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);

    BusyCore other(busy);
    start = Clock::now();
    if (options.naive) {
        naiveTimer.start(interval);
    } else {
        driver.sync();
    }
    loop.exec();
    const double endMs = msSinceStart();
    naiveTimer.stop();

    Result r = summarise(tickMs, interval, tickMs.empty() ? endMs : tickMs.back());
    r.tempo = tempo;
    r.busy = busy;
    r.seconds = endMs / 1000.0;
    if (g.ntimer.enabled) std::fprintf(stderr, "tempo %d: the song did not end in time\n", tempo);
    return r;
}

std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--naive") {
            options.naive = true;
        } else if (arg == "--notes" && hasValue) {
            options.entries = std::clamp(std::atoi(argv[++i]), 1, kMaxEntries);
        } else if (arg == "--tempo" && hasValue) {
            options.tempos = {std::clamp(std::atoi(argv[++i]), 1, 30)};
        } else {
            std::fprintf(stderr, "usage: %s [--notes N (1-%d)] [--tempo T (1-30)] [--naive]\n",
                         argv[0], kMaxEntries);
            return false;
        }
    }
    return true;
}

void printRow(const Result& r) {
    std::printf("%5d %6d ms  %-5s %7ld %5ld %9.2f %8.2f %8.2f %8.2f %7.1f\n", r.tempo, r.interval,
                r.busy ? "busy" : "idle", r.processed, r.lost, r.driftMs, r.medianMs, r.p99Ms,
                r.maxMs, r.seconds);
    std::fflush(stdout);
}

}  // namespace
}  // namespace lutavo::bench

int main(int argc, char** argv) {
    using namespace lutavo::bench;
    QCoreApplication app(argc, argv);
    Options options;
    if (!parse(argc, argv, options)) return 2;
    std::printf("playback timer: %s, %d song entries of %d ticks, load average %s\n",
                options.naive ? "naive repeating QTimer" : "precise timer driver", options.entries,
                kNoteTicks, loadAverage().c_str());
    std::printf(
        "tempo interval  other   ticks  lost  drift ms   median      p99      max  wall s\n");
    for (int tempo : options.tempos) {
        for (bool busy : {false, true})
            printRow(playOnce(options, tempo, busy));
    }
    std::printf("load average at the end %s\n", loadAverage().c_str());
    return 0;
}
