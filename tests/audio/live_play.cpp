// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a song live through the real window and audio stream, with the metronome and a lead-in,
// twice with a STOP between, so that a recording of the sound server's output can be checked
// against the song's beats. Prints "play" and "stop" lines with the steady clock in ms, and at
// the end how the stream did: "underruns N", "refused N", "accounts N" (the server's accounts of
// when the stream is heard), "pace PPM" (the pace the stream's clock learned) and "priority ...".
//   live_play DATA_FOLDER SONG LEAD_IN SECONDS_PER_PLAY [PLAYS [METRONOME [SCHEDULED [TRACE
//             [FIRST LAST PERCENT]]]]]
// (two plays with the metronome on unless told otherwise; SCHEDULED 0 sends each tick's sounds
// as the window thread gets to it, as a MIDI port plays them; TRACE a file to write every block
// the stream filled to, one line each: when it was asked for (steady ns), its first frame, its
// frames, the server's latest account (frame, heard at ns, 1 when new), the server's estimate of
// when the first frame is heard, the clock's line for it, the learned pace, the underruns; "-"
// for none); FIRST LAST PERCENT loop notes FIRST..LAST at PERCENT of the song's tempo)

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "app/song_files.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "live_window.h"
#include "playback/transport.h"
#include "practice/passage.h"
#include "services/fluidsynth/audio_output.h"
#include "services/sound_module/sound_module.h"
#include "ui/application.h"
#include "ui/main_window.h"

namespace {

long long steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Takes the stream's trace as it fills, writing it to a file when one is given, and keeps what
// the summary needs.
class TraceReader {
  public:
    explicit TraceReader(const char* path) : file_(path ? std::fopen(path, "w") : nullptr) {}
    ~TraceReader() {
        if (file_ != nullptr) std::fclose(file_);
    }
    TraceReader(const TraceReader&) = delete;
    TraceReader& operator=(const TraceReader&) = delete;

    void drain(lutavo::StreamTrace& trace) {
        for (const lutavo::StreamTraceEntry* e = trace.front(); e != nullptr; e = trace.front()) {
            accounts_ += e->reportNew ? 1 : 0;
            pace_ = e->pace;
            if (file_ != nullptr) {
                std::fprintf(
                    file_, "%lld %lld %d %lld %lld %d %lld %.0f %.9f %ld\n",
                    static_cast<long long>(e->filledAtNs), static_cast<long long>(e->frame),
                    e->frames, static_cast<long long>(e->reportFrame),
                    static_cast<long long>(e->reportHeardNs), e->reportNew ? 1 : 0,
                    static_cast<long long>(e->estimateNs), e->lineNs, e->pace, e->underruns);
            }
            trace.pop();
        }
    }
    long accounts() const { return accounts_; }
    double pacePpm() const { return (pace_ - 1) * 1e6; }

  private:
    std::FILE* file_;
    long accounts_ = 0;
    double pace_ = 1;
};

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
    const bool traced = argc > 8 && std::string(argv[8]) != "-";
    TraceReader reader(traced ? argv[8] : nullptr);
    QTemporaryDir home;
    const lutavo::LaunchOptions options = lutavo::test::liveOptions(argv[1], home);
    // Made before the window and the stream, so it is still there while the stream goes.
    auto trace = std::make_unique<lutavo::StreamTrace>();
    lutavo::Application app(options);
    if (!app.start()) return 1;
    lutavo::Guitar& g = app.guitar();
    lutavo::AudioOutput& audio = app.sound()->audio();
    audio.trace(trace.get());
    QTimer drain;
    QObject::connect(&drain, &QTimer::timeout, [&] { reader.drain(*trace); });
    drain.start(50);
    lutavo::test::runFor(1500);  // the sound font loads and the intro's clip ends
    auto press = [&](auto action) { app.window().binder().run([&] { action(g); }); };
    press([&](lutavo::Guitar& guitar) { lutavo::loadsong(guitar, argv[2]); });
    g.config.defaultLeadIn = static_cast<lutavo::i16>(std::stoi(argv[3]));
    if ((g.song.metroOn != 0) != metronome)
        press([](lutavo::Guitar& guitar) { lutavo::TempoBtn_Click(guitar.ui, guitar.song); });
    audio.scheduleTicks(scheduled);
    if (argc > 11) {
        g.transport.range = {static_cast<lutavo::i16>(std::stoi(argv[9])),
                             static_cast<lutavo::i16>(std::stoi(argv[10])), true};
        press([&](lutavo::Guitar& guitar) {
            lutavo::showPassage(guitar);
            lutavo::setTempoPercent(guitar, std::stoi(argv[11]));
        });
    }
    lutavo::test::runFor(1000);
    for (int play = 0; play < plays; ++play) {
        std::printf("play %lld\n", steadyMs());
        std::fflush(stdout);  // read as it comes by whoever times the play
        press([](lutavo::Guitar& guitar) { lutavo::playbtn_Click(guitar, lutavo::kPlay); });
        lutavo::test::runFor(static_cast<int>(std::stod(argv[4]) * 1000));
        std::printf("stop %lld\n", steadyMs());
        std::fflush(stdout);
        press([](lutavo::Guitar& guitar) { lutavo::playbtn_Click(guitar, lutavo::kStop); });
        lutavo::test::runFor(1500);
    }
    audio.trace(nullptr);
    reader.drain(*trace);
    std::printf("underruns %ld\nbuffer %.1f\nrefused %ld\naccounts %ld\npace %.2f\npriority %s\n",
                audio.underruns(), audio.bufferMs(), audio.refusedPosts(), reader.accounts(),
                reader.pacePpm(), audio.threadPriority().c_str());
    return 0;
}
