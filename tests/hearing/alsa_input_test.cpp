// SPDX-License-Identifier: GPL-3.0-or-later
// The sound card's capture without a sound server: a device that opens is read until stopped,
// one that does not leaves nothing started.

#include "services/hearing/alsa_input.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace lutavo {
namespace {

TEST(AlsaInput, ADeviceIsHeardUntilStoppedAndOneThatIsNotThereStartsNothing) {
    AlsaInput input;
    input.chooseInput("no_such_device");
    EXPECT_FALSE(input.startListening());
    EXPECT_FALSE(input.listening());
    // ALSA's own null device gives silence: nothing struck, no pitch, no level.
    input.chooseInput("null");
    if (!input.startListening()) GTEST_SKIP() << "no null device in this ALSA configuration";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    HeardOnset strike;
    EXPECT_FALSE(input.takeStrike(strike));
    EXPECT_EQ(input.heardPitch(), 0.0);
    EXPECT_EQ(input.heardLevel(), 0.0f);
    input.stopListening();
    EXPECT_FALSE(input.listening());
    input.stopListening();  // twice is once
}

}  // namespace
}  // namespace lutavo
