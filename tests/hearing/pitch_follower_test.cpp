// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/pitch_follower.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "hearing/tones.h"

namespace lutavo {
namespace {

double centsBetween(double heard, double truth) {
    return 1200.0 * std::log2(heard / truth);
}

struct Readings {
    std::vector<double> hz;  // every reading, one a hop
    long firstAfter;
};

Readings follow(const std::vector<float>& sound) {
    PitchFollower follower(test::kRate);
    Readings r{{}, -1};
    // As an audio input gives them: blocks that are not the follower's hop.
    for (std::size_t at = 0; at < sound.size(); at += 441) {
        const std::size_t n = std::min<std::size_t>(441, sound.size() - at);
        if (follower.feed(sound.data() + at, n)) r.hz.push_back(follower.hz());
    }
    r.firstAfter = follower.samplesToFirstReading();
    return r;
}

TEST(PitchFollower, SteadyTonesReadWithinACentWithoutWanderingFrom70HzTo1000Hz) {
    for (double base : {70.0, 82.41, 110.0, 196.0, 329.63, 440.0, 659.25, 1000.0}) {
        for (double detune : {-50.0, -17.0, 0.0, 8.0, 49.0}) {
            const double hz = base * std::pow(2.0, detune / 1200.0);
            const Readings r = follow(test::sine(hz, 0.6));
            ASSERT_GT(r.hz.size(), 40u);
            // The needle over the last half of the tone.
            const auto tail = std::vector<double>(r.hz.end() - long(r.hz.size() / 2), r.hz.end());
            const auto [low, high] = std::minmax_element(tail.begin(), tail.end());
            SCOPED_TRACE(testing::Message() << hz << " Hz");
            EXPECT_GT(*low, 0);
            EXPECT_LT(std::fabs(centsBetween(tail.back(), hz)), 1.0);
            EXPECT_LT(centsBetween(*high, *low), 1.0);
        }
    }
}

TEST(PitchFollower, TheLowEStringIsReadWithin60MillisecondsAndSilenceNever) {
    const Readings r = follow(test::sine(82.41, 0.3));
    EXPECT_TRUE(r.firstAfter > 0 && r.firstAfter <= 60 * test::kRate / 1000);
    const Readings quiet = follow(std::vector<float>(test::kRate / 4, 0.0f));
    EXPECT_TRUE(quiet.firstAfter == -1 &&
                std::count(quiet.hz.begin(), quiet.hz.end(), 0.0) == long(quiet.hz.size()));
}

TEST(PitchFollower, APluckedStringIsReadAtItsFundamentalNotAnOctave) {
    for (int midi : {40, 45, 50, 55, 59, 64, 76}) {
        std::vector<float> sound(test::kRate);
        test::addPluck(sound, 0, test::hzOf(midi));
        const Readings r = follow(sound);
        SCOPED_TRACE(testing::Message() << "MIDI " << midi);
        const double last =
            *std::find_if(r.hz.rbegin(), r.hz.rend(), [](double h) { return h > 0; });
        EXPECT_LT(std::fabs(centsBetween(last, test::hzOf(midi))), 5.0);
    }
}

}  // namespace
}  // namespace lutavo
