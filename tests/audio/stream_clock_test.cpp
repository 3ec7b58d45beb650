// SPDX-License-Identifier: GPL-3.0-or-later
// The live stream's clock: every event lands the delay after its stamp on its own frame, and the
// line through the output's accounts follows the sound card, not the accounts' jitter.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "services/fluidsynth/clip_voice.h"
#include "services/fluidsynth/stream_mixer.h"

namespace lutavo {
namespace {

TEST(StreamClock, LiveEventsLandTheDelayAfterTheirStampOnTheirOwnFrame) {
    const StereoClip click = toStereo(PcmClip{1, 44100, {16384}}, 44100);
    const std::int64_t t0 = 5'000'000'000;  // when the first block is heard
    struct Posted {
        int rate;
        std::int64_t stampNs;
        int block;   // of 10 ms each, rendered on time
        int offset;  // where the click is heard in it
    };
    // Heard 13 ms after the first block: at 44.1 kHz frame 573.3, so 574 = block 1, offset 133;
    // at 96 kHz frame 1248 exactly, and 5 us later the frame after. A stamp from before the
    // stream ran is late and sounds at once.
    const std::vector<Posted> table = {{44100, t0 + 3'000'000, 1, 133},
                                       {96000, t0 + 3'000'000, 1, 288},
                                       {96000, t0 + 3'005'000, 1, 289},
                                       {96000, t0 - 50'000'000, 0, 0}};
    for (const Posted& p : table) {
        StreamMixer m(StreamClock::live(p.rate, 10'000'000));
        m.post({p.stampNs, 0, &click});
        const int frames = p.rate / 100;
        for (int block = 0; block < 3; ++block) {
            std::vector<float> left(frames), right(frames);
            m.clock().heard(m.frame(), t0 + block * 10'000'000);
            m.render(left.data(), right.data(), frames);
            const auto heard = std::find(left.begin(), left.end(), 0.5f) - left.begin();
            EXPECT_EQ(heard, block == p.block ? p.offset : frames)
                << p.rate << " Hz, " << p.stampNs << " block " << block;
        }
    }
}

TEST(StreamClock, AGrownDelayMovesEveryLaterStampByIt) {
    StreamClock clock = StreamClock::live(96000, 10'000'000);
    clock.heard(0, 5'000'000'000);
    EXPECT_EQ(clock.frameOf(4'990'000'000), 0);
    clock.delayMore(1'000'000);
    EXPECT_EQ(clock.frameOf(4'990'000'000), 96);
}

// A sound card at 96 kHz whose server tells, every 1.5 s, when some frame of the stream is heard:
// each account is late by up to `lateNs`, as a server that reads the time after measuring is.
struct Card {
    double ppm = 0;             // its clock against the system's
    double lateNs = 0;          // each account late by up to this
    double stragglers = 0;      // this share of the accounts late by 1 to 5 ms more, at random
    double moveNs = 0;          // from second 40 on everything is heard this much later...
    bool restartOnMove = true;  // ...and the output says so (a pause), or not (the card slipped)
    double guessOffNs = 0;      // the server's rough estimates after the restart are off so much
};

struct Followed {
    double wander;   // frames: how far the stamps of the last 10 seconds lie from their true
                     // frames, about the mean of that (which is merely a later sound)
    double meanOff;  // frames: that mean
    double pacePpm;  // learned
};

Followed follow(const Card& card) {
    const int rate = 96000;
    const double t0 = 1e9, delay = 2e7;
    auto clock = StreamClock::live(rate, static_cast<std::int64_t>(delay));
    std::uint32_t noise = 12345;
    const auto random = [&] {  // 0..1
        noise = noise * 1664525 + 1013904223;
        return (noise >> 8) / double(1 << 24);
    };
    double move = 0;
    std::vector<double> offs;
    for (double second = 0; second < 60; second += 0.01) {
        if (second >= 40 && move == 0 && card.moveNs != 0) {
            move = card.moveNs;
            if (card.restartOnMove) clock.restart();
        }
        const auto trueHeard = [&](double frame) {
            return t0 + move + frame * 1e9 / rate / (1 + card.ppm * 1e-6);
        };
        const auto frame = static_cast<std::int64_t>(second * rate);
        if (!clock.settled())
            clock.guess(frame, static_cast<std::int64_t>(trueHeard(frame) + card.guessOffNs));
        if (std::fmod(second + 1e-9, 1.5) < 0.01) {
            const bool straggler = random() < card.stragglers;
            const double late = card.lateNs * random() + (straggler ? 1e6 + 4e6 * random() : 0);
            clock.heard(frame, static_cast<std::int64_t>(trueHeard(frame) + late));
        }
        const auto stamp = static_cast<std::int64_t>(trueHeard(frame) - delay);
        const double exact = (stamp + delay - t0 - move) * rate / 1e9 * (1 + card.ppm * 1e-6);
        if (second >= 50) offs.push_back(clock.frameOf(stamp) - exact);
    }
    double mean = 0, wander = 0;
    for (double o : offs)
        mean += o / static_cast<double>(offs.size());
    for (double o : offs)
        wander = std::max(wander, std::abs(o - mean));
    return {wander, mean, (clock.pace() - 1) * 1e6};
}

TEST(StreamClock, FollowsTheCardsPaceAndMovesButNotTheLatenessOfItsAccounts) {
    struct Case {
        const char* name;
        Card card;
        double wander;  // frames (0.01 ms each; a stamp falls on the next frame, at most 1 on)
        double late;    // frames the sound comes at most after its time on the whole
        double ppm;     // how far the pace learned may be from the card's (a card running fast
                        // has frames shorter than nominal)
    };
    const std::vector<Case> cases = {
        {"exact", {}, 1, 1, 0.1},
        {"accounts up to 0.3 ms late", {.lateNs = 3e5}, 5, 30, 3},
        {"300 ppm fast, accounts late", {.ppm = 300, .lateNs = 3e5}, 10, 30, 10},
        {"300 ppm slow", {.ppm = -300}, 1, 1, 1},
        {"a third of the accounts 1 to 5 ms late", {.lateNs = 1e5, .stragglers = 0.34}, 2, 10, 2},
        {"half of them", {.lateNs = 1e5, .stragglers = 0.5}, 2, 10, 2},
        {"a pause, heard 3 ms later after it", {.moveNs = 3e6}, 1, 1, 0.1},
        {"the card slips 3 ms unannounced", {.moveNs = 3e6, .restartOnMove = false}, 1, 1, 0.1},
        {"so, with half the accounts 1 to 5 ms late",
         {.lateNs = 1e5, .stragglers = 0.5, .moveNs = 3e6, .restartOnMove = false},
         5,
         10,
         6},
        {"rough estimates before the first account", {.moveNs = 3e6, .guessOffNs = 2e6}, 1, 1, 0.1},
    };
    for (const Case& c : cases) {
        const Followed got = follow(c.card);
        EXPECT_LE(got.wander, c.wander) << c.name;
        EXPECT_LE(std::abs(got.meanOff), c.late + 0.01) << c.name;
        EXPECT_NEAR(got.pacePpm, -c.card.ppm, c.ppm) << c.name;
    }
}

// Right after a restart only the server's running estimate is known: the events of those first
// blocks go by it, and the first real account takes over at once.
TEST(StreamClock, GuessesStandInUntilTheFirstAccountAndNoLonger) {
    auto clock = StreamClock::live(96000, 0);
    const std::int64_t t0 = 2'000'000'000;
    EXPECT_EQ(clock.frameOf(t0), 0) << "nothing known: at once";
    clock.guess(0, t0 + 1'000'000);
    clock.guess(960, t0 + 11'000'000);  // two estimates 1 ms late
    EXPECT_EQ(clock.frameOf(t0 + 1'000'000), 0);
    EXPECT_FALSE(clock.settled());
    clock.heard(960, t0 + 10'000'000);
    clock.guess(1920, t0);  // no longer taken
    EXPECT_TRUE(clock.settled());
    EXPECT_EQ(clock.frameOf(t0 + 20'000'000), 1920);
}

}  // namespace
}  // namespace lutavo
