// SPDX-License-Identifier: GPL-3.0-or-later
// The live audio stream through a private sound server: it wakes for what was asked of it while
// the synthesizer loaded, its clips outlive a player that goes first, it says once when it can
// take no more, and the thread raised as its thread is runs as said.

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/resource.h>

#include <chrono>
#include <future>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include "audio/sound_server.h"
#include "fakes/temp_dir.h"
#include "services/fluidsynth/audio_output.h"
#include "services/fluidsynth/offline_synth.h"
#include "services/fluidsynth/stream_wave_player.h"
#include "services/fluidsynth/thread_priority.h"

namespace lutavo {
namespace {

using namespace std::chrono_literals;

// Waits until the condition holds, at most five seconds.
template <typename Condition>
bool within5s(Condition holds) {
    for (int i = 0; i < 500 && !holds(); ++i)
        std::this_thread::sleep_for(10ms);
    return holds();
}

class LiveStream : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!server.running()) GTEST_SKIP() << "no sound server to run";
    }
    // A clip of `seconds` of a quiet tone.
    std::string clipFile(double seconds) {
        const auto frames = static_cast<std::size_t>(seconds * kFileSampleRate);
        const std::string path = dir.path() + "clip.wav";
        EXPECT_TRUE(OfflineSynth::writeWav(path, std::vector<std::int16_t>(2 * frames, 1000)));
        return path;
    }
    // Whether the stream stands still for a fifth of a second.
    static bool standsStill(const AudioOutput& out) {
        const std::int64_t before = out.framesPlayed();
        std::this_thread::sleep_for(200ms);
        return out.framesPlayed() == before;
    }

    test::SoundServer server;
    test::TempDir dir;
};

TEST_F(LiveStream, AClipAskedForWhileTheSynthesizerLoadsSoundsWhenTheLoadingEnds) {
    std::promise<void> fontRead;
    std::shared_future<void> fontReady = fontRead.get_future().share();
    AudioOutput out(
        [fontReady] {
            fontReady.wait();  // a sound font that takes its time
            return std::make_unique<SynthEngine>("", kLiveSampleRate);
        },
        nullptr, nullptr);
    ASSERT_TRUE(within5s([&] { return out.framesPlayed() > 0; })) << "the stream runs at once";
    ASSERT_TRUE(within5s([&] { return standsStill(out); })) << "and pauses, having nothing";
    out.playClip(out.clip(clipFile(1.0)));
    EXPECT_TRUE(standsStill(out)) << "still loading: nothing wakes the stream yet";
    fontRead.set_value();
    out.waitSettled();
    EXPECT_TRUE(within5s([&] { return !standsStill(out); })) << "the clip is played";
}

TEST_F(LiveStream, AClipSoundsOnAfterThePlayerThatStartedItIsGone) {
    AudioOutput out("", nullptr, nullptr);
    out.waitSettled();
    ASSERT_TRUE(out.streamLive());
    auto player = std::make_unique<StreamWavePlayer>(out);
    ASSERT_TRUE(player->play(clipFile(2.0)));
    const std::int64_t started = out.framesPlayed();
    player.reset();  // as the window's services go before the stream at exit
    // The audio thread goes on reading the clip: the address sanitizer's build catches it
    // reading freed memory.
    EXPECT_TRUE(within5s([&] { return out.framesPlayed() > started + kLiveSampleRate / 5; }));
}

// The thread raised as the stream's is: it really runs as said.
TEST(ThreadPriority, WhatIsSaidIsWhatTheThreadGets) {
    std::promise<long> id;
    std::promise<void> finish;
    std::thread audio([&] {
        id.set_value(currentThreadId());
        finish.get_future().wait();
    });
    const long thread = id.get_future().get();
    const std::string got = raiseAudioThread(thread);
    const int policy = sched_getscheduler(static_cast<pid_t>(thread)) & ~SCHED_RESET_ON_FORK;
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
    finish.set_value();
    audio.join();
    if (got.rfind("real time", 0) == 0) {
        EXPECT_TRUE(policy == SCHED_FIFO || policy == SCHED_RR) << got;
    } else if (got.rfind("nice", 0) == 0) {
        EXPECT_EQ(policy, SCHED_OTHER) << got;
        EXPECT_LT(nice, 0) << got;
    } else {
        EXPECT_EQ(got, "ordinary priority");
        EXPECT_EQ(policy, SCHED_OTHER);
    }
}

// With no stream to take them, posts pile up until the queue refuses them: each counted, and said
// once.
TEST(AudioOutput, SoundsTheStreamCannotTakeAreCountedAndToldOnce) {
    setenv("PULSE_SERVER", "unix:/nonexistent/native", 1);
    std::ostringstream log;
    AudioOutput out("", nullptr, &log);
    out.waitSettled();
    unsetenv("PULSE_SERVER");
    if (out.streamLive()) GTEST_SKIP() << "a sound card takes them";
    const StereoClip clip;
    const long room = 4096 - StreamEventQueue::kKeptForEndings;
    for (long i = 0; i < room; ++i)
        out.playClip(&clip);
    EXPECT_EQ(out.refusedPosts(), 0);
    EXPECT_EQ(log.str(), "");
    for (int i = 0; i < 10; ++i)
        out.playClip(&clip);
    EXPECT_EQ(out.refusedPosts(), 10);
    EXPECT_EQ(log.str(),
              "lutavo: the audio stream is not taking sounds; some are being left out\n");
}

}  // namespace
}  // namespace lutavo
