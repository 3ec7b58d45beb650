// Plays a song live through the real window and audio stream, with the metronome and a lead-in,
// twice with a STOP between, so that a recording of the sound server's output can be checked
// against the song's beats. Prints "play" and "stop" lines with the steady clock in ms.
//   live_play DATA_FOLDER SONG LEAD_IN SECONDS_PER_PLAY [PLAYS [METRONOME [SCHEDULED]]]
// (two plays with the metronome on unless told otherwise; SCHEDULED 0 sends each tick's sounds
// as the window thread gets to it, as a MIDI port plays them)

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <string>

#include "app/song_files.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "playback/transport.h"
#include "services/fluidsynth/audio_output.h"
#include "ui/application.h"
#include "ui/main_window.h"

namespace {

long long steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The window's own event loop, as the program runs it: it sleeps between events.
void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    if (argc < 5) {
        std::fprintf(
            stderr,
            "usage: live_play DATA_FOLDER SONG LEAD_IN SECONDS_PER_PLAY [PLAYS [0|1 [0|1]]]\n");
        return 2;
    }
    const int plays = argc > 5 ? std::stoi(argv[5]) : 2;
    const bool metronome = argc > 6 ? std::stoi(argv[6]) != 0 : true;
    const bool scheduled = argc > 7 ? std::stoi(argv[7]) != 0 : true;
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    lutavo::LaunchOptions options;
    options.appFolder = argv[1];
    options.lockPath = home.filePath("lutavo.lock");
    options.headless = true;
    lutavo::Application app(options);
    if (!app.start()) return 1;
    lutavo::Guitar& g = app.guitar();
    runFor(1500);  // the sound font loads and the intro's clip ends
    auto press = [&](auto action) { app.window().binder().run([&] { action(g); }); };
    press([&](lutavo::Guitar& guitar) { lutavo::loadsong(guitar, argv[2]); });
    g.config.defaultLeadIn = static_cast<lutavo::i16>(std::stoi(argv[3]));
    if ((g.song.metroOn != 0) != metronome) press(lutavo::TempoBtn_Click);
    app.audio().scheduleTicks(scheduled);
    runFor(1000);
    for (int play = 0; play < plays; ++play) {
        std::printf("play %lld\n", steadyMs());
        std::fflush(stdout);  // read as it comes by whoever times the play
        press([](lutavo::Guitar& guitar) { lutavo::playbtn_Click(guitar, lutavo::kPlay); });
        runFor(static_cast<int>(std::stod(argv[4]) * 1000));
        std::printf("stop %lld\n", steadyMs());
        std::fflush(stdout);
        press([](lutavo::Guitar& guitar) { lutavo::playbtn_Click(guitar, lutavo::kStop); });
        runFor(1500);
    }
    return 0;
}
