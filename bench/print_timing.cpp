// SPDX-License-Identifier: GPL-3.0-or-later
// What printing costs, offscreen with the real services: one page redrawn with its 4x page (and
// the plain page alone, for comparison), and the longest sample song printed into a PDF file as
// --export-pdf does, start-up of the window included.
//
//   print_timing [--rounds N] [SONG]
//
// Prints the mean and the slowest page redraw in microseconds, and the export's time in ms.

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/song_files.h"
#include "core/guitar.h"
#include "display/page_glyphs.h"
#include "display/page_render.h"
#include "ui/application.h"
#include "window_bench.h"

namespace lutavo::bench {
namespace {

void report(const char* what, const std::vector<double>& times) {
    double sum = 0;
    for (double t : times)
        sum += t;
    std::printf("%s: mean %.0f us, slowest %.0f us (%zu redraws)\n", what,
                sum / static_cast<double>(times.size()),
                *std::max_element(times.begin(), times.end()), times.size());
}

std::vector<double> timePages(Guitar& g, int rounds) {
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        for (int page = 1; page <= g.ui.pgScroll.max; ++page) {
            g.ui.pgScroll.value = page;
            const auto t0 = Clock::now();
            pgScroll_Change(g);
            times.push_back(micros(t0, Clock::now()));
        }
    }
    return times;
}

void measurePages(const QTemporaryDir& home, const QString& song, int rounds) {
    Application app(windowOptions(home));
    if (!app.start()) std::exit(1);
    Guitar& g = app.guitar();
    loadsong(g, song.toStdString());
    report("plain page", timePages(g, rounds));
    if (!useFineScale(g, 4, true)) {
        std::fprintf(stderr, "the 4x sheets are missing\n");
        std::exit(1);
    }
    report("plain and 4x page", timePages(g, rounds));
}

void measureExport(const QTemporaryDir& home, const QString& song) {
    const auto t0 = Clock::now();
    Application app(windowOptions(home));
    if (!app.start()) std::exit(1);
    const auto t1 = Clock::now();
    if (!exportSongPdf(app, song, home.filePath("song.pdf"), "a4")) std::exit(1);
    const auto t2 = Clock::now();
    std::printf("export to PDF: start-up %.0f ms, printing %.0f ms, together %.0f ms\n",
                micros(t0, t1) / 1000, micros(t1, t2) / 1000, micros(t0, t2) / 1000);
}

}  // namespace
}  // namespace lutavo::bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    int rounds = 20;
    QString song = QCoreApplication::applicationDirPath() + "/data/songs/drunken_sailor.SNG";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--rounds" && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
        } else {
            song = QString::fromLocal8Bit(argv[i]);
        }
    }
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    lutavo::bench::measurePages(home, song, rounds);
    lutavo::bench::measureExport(home, song);
    return 0;
}
