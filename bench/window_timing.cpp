// SPDX-License-Identifier: GPL-3.0-or-later
// What the real window costs: start-up to a painted window, and one playback tick with the
// window brought up to date and repainted. Offscreen, with the real services.
//
//   window_timing [--starts N] [--ticks N]
//
// Prints the median and the slowest start-up, and the mean and p99 of a tick, in microseconds,
// plus how many pictures the view converted per tick.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/song_files.h"
#include "core/guitar.h"
#include "playback/engine.h"
#include "playback/transport.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "window_bench.h"

namespace lutavo::bench {
namespace {

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

void measureStarts(const QTemporaryDir& home, int starts) {
    std::vector<double> times;
    for (int i = 0; i < starts; ++i) {
        const auto t0 = Clock::now();
        Application app(windowOptions(home));
        if (!app.start()) std::exit(1);
        app.window().repaint();
        QApplication::processEvents();
        times.push_back(micros(t0, Clock::now()));
    }
    std::printf("start-up to painted window: median %.0f us, slowest %.0f us (%d starts)\n",
                percentile(times, 0.5), percentile(times, 1.0), starts);
}

void measureTicks(const QTemporaryDir& home, int ticks) {
    Application app(windowOptions(home));
    if (!app.start()) std::exit(1);
    Guitar& g = app.guitar();
    ViewBinder& view = app.window().binder();
    view.run([&g] { loadsong(g, g.app.appFolder + "songs/greensleeves.SNG"); });
    view.run([&g] { playbtn_Click(g, kPlay); });
    const int convertedBefore = view.conversions();
    std::vector<double> times;
    for (int i = 0; i < ticks; ++i) {
        const auto t0 = Clock::now();
        view.run([&g] { ntimer_Timer(g); });
        app.window().repaint();
        times.push_back(micros(t0, Clock::now()));
    }
    double sum = 0;
    for (double t : times)
        sum += t;
    std::printf("playback tick with sync and repaint: mean %.0f us, p99 %.0f us (%d ticks)\n",
                sum / ticks, percentile(times, 0.99), ticks);
    std::printf("pictures converted per tick: %.2f\n",
                static_cast<double>(view.conversions() - convertedBefore) / ticks);
}

}  // namespace
}  // namespace lutavo::bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    int starts = 10;
    int ticks = 2000;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--starts") starts = std::atoi(argv[i + 1]);
        if (a == "--ticks") ticks = std::atoi(argv[i + 1]);
    }
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    lutavo::bench::measureStarts(home, starts);
    lutavo::bench::measureTicks(home, ticks);
    return 0;
}
