// SPDX-License-Identifier: GPL-3.0-or-later
// Play-along scoring through the real window and input: loads SONG, turns scoring on, presses
// PLAY and at that moment plays TAKE (raw mono 16-bit samples at 44.1 kHz) into the sound
// server's sink SINK. After SECONDS it prints the play's verdicts ("hit 33 of 33, early 0, ...")
// and the mean offset of the hits in ms, and saves the window to SHOT when one is named.
//   live_score DATA_FOLDER SONG TAKE SINK SECONDS [SHOT.png]

#include <pulse/simple.h>

#include <QApplication>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/keyboard.h"
#include "app/song_files.h"
#include "app/wait_mode.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "listen/take_judge.h"
#include "live_window.h"
#include "platform/audio_input.h"
#include "platform/midi_out.h"
#include "services/hearing_module/hearing_module.h"
#include "ui/application.h"
#include "ui/main_window.h"

namespace {

// The take goes out in blocks of 10 ms behind 20 ms of the server's buffer: silence until it is
// started, so that the stream is running when the play begins.
class TakePlayer {
  public:
    TakePlayer(const std::string& sink, std::vector<std::int16_t> take) : take_(std::move(take)) {
        const pa_sample_spec format = {PA_SAMPLE_S16LE, kRate, 1};
        pa_buffer_attr buffer{};
        buffer.maxlength = static_cast<std::uint32_t>(-1);
        buffer.tlength = kBlock * 2 * sizeof(std::int16_t);
        buffer.prebuf = static_cast<std::uint32_t>(-1);
        buffer.minreq = static_cast<std::uint32_t>(-1);
        stream_ = pa_simple_new(nullptr, "live_score", PA_STREAM_PLAYBACK, sink.c_str(), "take",
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
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // Whole blocks of 10 ms.
    std::vector<std::int16_t> samples((bytes.size() / 2 / 441 + 1) * 441, 0);
    std::memcpy(samples.data(), bytes.data(), bytes.size() / 2 * 2);
    return samples;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    if (argc < 6) {
        std::fprintf(stderr, "usage: live_score DATA_FOLDER SONG TAKE SINK SECONDS [SHOT.png]\n");
        return 2;
    }
    QTemporaryDir home;
    lutavo::LaunchOptions options = lutavo::test::liveOptions(argv[1], home);
    options.hearingModule = &lutavo::builtInHearingModule();
    lutavo::Application app(options);
    if (!app.start()) return 1;
    lutavo::Guitar& g = app.guitar();
    const auto press = [&](auto action) { app.window().binder().run([&] { action(g); }); };
    lutavo::test::runFor(1500);  // the intro's clip ends
    press([&](lutavo::Guitar& guitar) { lutavo::loadsong(guitar, argv[2]); });
    press([](lutavo::Guitar& guitar) { lutavo::keyCommand(guitar, lutavo::KeyCommand::Scoring); });
    TakePlayer player(argv[4], readTake(argv[3]));
    if (!player.ready()) {
        std::fprintf(stderr, "live_score: no sink %s to play the take into\n", argv[4]);
        return 1;
    }
    // The input listens a while before the play, as a guitarist's does when the program opens:
    // the server settles the sink's latency to its monitor's.
    if (g.sys.input == nullptr || !g.sys.input->startListening()) return 1;
    lutavo::test::runFor(3000);
    press([](lutavo::Guitar& guitar) { lutavo::transportClick(guitar, lutavo::kPlay); });
    player.startAfter(g.sys.midi != nullptr ? g.sys.midi->heardDelayMs() : 0);
    lutavo::test::runFor(static_cast<int>(std::stod(argv[5]) * 1000));

    const auto& judged = g.practice.scoring.judged;
    const lutavo::PassScore score = lutavo::scoreOf(judged);
    long offsets = 0;
    for (const auto& j : judged)
        if (j.verdict == lutavo::Verdict::Hit) offsets += j.offsetMs;
    const int hits = score.count(lutavo::Verdict::Hit);
    std::printf("hit %d of %d, early %d, late %d, wrong %d, missed %d; mean offset %ld ms; %s\n",
                hits, score.total, score.count(lutavo::Verdict::Early),
                score.count(lutavo::Verdict::Late), score.count(lutavo::Verdict::Wrong),
                score.count(lutavo::Verdict::Missed), hits > 0 ? offsets / hits : 0,
                g.practice.scoring.listening ? "still listening" : "judged");
    if (argc > 6) app.window().grab().save(argv[6]);
    return 0;
}
