// SPDX-License-Identifier: GPL-3.0-or-later
// The real window listening through the real input. It loads SONG, then:
//   live_listen DATA_FOLDER SONG wait SECONDS
// turns wait mode on, presses PLAY and prints "waiting N" with the note shown, then after SECONDS
// "advanced K", the notes it moved on by;
//   live_listen DATA_FOLDER SONG score TAKE SINK SECONDS [SHOT.png]
// turns scoring on, presses PLAY and plays TAKE (raw mono 16-bit samples at 44.1 kHz) into the
// sound server's sink SINK as a player would; after SECONDS it prints the play's total, what else
// there was, the mean offset of the hits and whether all was judged, and saves the window to SHOT.

#include <pulse/simple.h>

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/keyboard.h"
#include "app/song_files.h"
#include "app/wait_mode.h"
#include "core/control_ids.h"
#include "listen/take_judge.h"
#include "live_window.h"
#include "platform/audio_input.h"
#include "platform/midi_out.h"
#include "services/hearing_module/hearing_module.h"
#include "ui/main_window.h"

namespace {

// The take goes out in blocks of 10 ms behind 20 ms of the server's buffer: silence until it is
// started, so that the stream is running when the play begins.
class TakePlayer {
  public:
    TakePlayer(const std::string& sink, std::vector<std::int16_t> take) : take_(std::move(take)) {
        const pa_sample_spec format = {PA_SAMPLE_S16LE, kRate, 1};
        constexpr auto kAny = static_cast<std::uint32_t>(-1);
        const pa_buffer_attr buffer{kAny, kBlock * 2 * sizeof(std::int16_t), kAny, kAny, kAny};
        stream_ = pa_simple_new(nullptr, "live_listen", PA_STREAM_PLAYBACK, sink.c_str(), "take",
                                &format, nullptr, &buffer, nullptr);
        if (stream_ != nullptr) thread_ = std::thread([this] { run(); });
    }
    ~TakePlayer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (stream_ != nullptr) pa_simple_free(stream_);
    }
    bool ready() const { return stream_ != nullptr; }
    // The take begins once the program's first sound is heard: a player plays along with what
    // they hear.
    void startAfter(long ms) {
        startAt_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        started_ = true;
    }

  private:
    static constexpr std::uint32_t kRate = 44100;
    static constexpr std::size_t kBlock = kRate / 100;

    void run() {
        const std::vector<std::int16_t> silence(kBlock, 0);
        std::size_t at = 0;
        while (!stop_) {
            const std::int16_t* block = silence.data();
            if (started_ && std::chrono::steady_clock::now() >= startAt_ && at < take_.size()) {
                block = take_.data() + at;
                at += kBlock;
            }
            pa_simple_write(stream_, block, kBlock * sizeof(std::int16_t), nullptr);
        }
    }

    std::vector<std::int16_t> take_;
    pa_simple* stream_ = nullptr;
    std::atomic<bool> started_{false}, stop_{false};
    std::chrono::steady_clock::time_point startAt_;
    std::thread thread_;
};

std::vector<std::int16_t> readTake(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::int16_t> samples;
    for (std::int16_t v = 0; in.read(reinterpret_cast<char*>(&v), sizeof v);)
        samples.push_back(v);
    samples.resize((samples.size() / 441 + 1) * 441, 0);  // whole blocks of 10 ms
    return samples;
}

using Press = std::function<void(const std::function<void(lutavo::Guitar&)>&)>;

int waitAtNotes(lutavo::Guitar& g, const Press& press, double seconds) {
    press([](lutavo::Guitar& guitar) { lutavo::keyCommand(guitar, lutavo::KeyCommand::WaitMode); });
    press([](lutavo::Guitar& guitar) { lutavo::transportClick(guitar, lutavo::kPlay); });
    const int first = g.transport.curNote;
    std::printf("waiting %d\n", g.practice.wait.waiting ? first : -1);
    std::fflush(stdout);
    lutavo::test::runFor(static_cast<int>(seconds * 1000));
    std::printf("advanced %d\n", g.transport.curNote - first);
    return 0;
}

int scorePlay(lutavo::Guitar& g, const Press& press, char** take) {
    press([](lutavo::Guitar& guitar) { lutavo::keyCommand(guitar, lutavo::KeyCommand::Scoring); });
    TakePlayer player(take[1], readTake(take[0]));
    // The input listens a while before the play, as a guitarist's does when the program opens:
    // the server settles the sink's latency to its monitor's.
    if (!player.ready() || g.sys.input == nullptr || !g.sys.input->startListening()) return 1;
    lutavo::test::runFor(3000);
    press([](lutavo::Guitar& guitar) { lutavo::transportClick(guitar, lutavo::kPlay); });
    player.startAfter(g.sys.midi != nullptr ? g.sys.midi->heardDelayMs() : 0);
    lutavo::test::runFor(static_cast<int>(std::stod(take[2]) * 1000));

    const auto& judged = g.practice.scoring.judged;
    const lutavo::PassScore score = lutavo::scoreOf(judged);
    long offsets = 0;
    for (const auto& j : judged)
        offsets += j.verdict == lutavo::Verdict::Hit ? j.offsetMs : 0;
    std::printf("%s; %s; mean offset %ld ms; %s\n", lutavo::totalLine(score).c_str(),
                lutavo::faultsText(score).c_str(),
                offsets / std::max(1, score.count(lutavo::Verdict::Hit)),
                g.practice.scoring.listening ? "still listening" : "judged");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    const std::string mode = argc > 3 ? argv[3] : "";
    if (!(mode == "wait" && argc == 5) && !(mode == "score" && argc >= 7)) {
        std::fprintf(stderr,
                     "usage: live_listen DATA_FOLDER SONG wait SECONDS\n"
                     "       live_listen DATA_FOLDER SONG score TAKE SINK SECONDS [SHOT.png]\n");
        return 2;
    }
    QTemporaryDir home;
    lutavo::LaunchOptions options = lutavo::test::liveOptions(argv[1], home);
    options.hearingModule = &lutavo::builtInHearingModule();
    lutavo::Application app(options);
    if (!app.start()) return 1;
    lutavo::Guitar& g = app.guitar();
    const Press press = [&](const auto& action) { app.window().binder().run([&] { action(g); }); };
    lutavo::test::runFor(1500);  // the intro's clip ends
    press([&](lutavo::Guitar& guitar) { lutavo::loadsong(guitar, argv[2]); });
    if (mode == "wait") return waitAtNotes(g, press, std::stod(argv[4]));
    const int result = scorePlay(g, press, argv + 4);
    if (argc > 7) app.window().grab().save(argv[7]);
    return result;
}
