// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Guitar wired to fakes, plus small helpers every core test uses.

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/mode_bar.h"
#include "core/guitar.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_input.h"
#include "fakes/fake_lock.h"
#include "fakes/fake_midi.h"
#include "fakes/fake_wave.h"
#include "fakes/temp_dir.h"
#include "platform/sound_clock.h"

namespace lutavo::test {

struct Rig {
    Rig();
    FakeDialogs dialogs;
    FakeMidiOut midi;
    FakeWavePlayer wave;
    FakeAudioInput input;
    FakeInstanceLock lock;
    std::unique_ptr<Guitar> guitar;
    // The virtual clock's microseconds past midi.now, for tick intervals finer than a ms.
    long long clockMicros = 0;
    // The steady clock the core reads, kept at the virtual time.
    SoundClock clock;
    void setClock() { clock.enterTick(midi.now * 1000LL + clockMicros); }
    Guitar& g() { return *guitar; }
    // Runs setdefaults with appFolder set to the program's data in the build tree.
    void defaults();
};

// A test of the program as start-up leaves it, the start-up song on show.
class Started : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.defaults();
        setupModeBar(g());
        closesong(g());
    }
    Guitar& g() { return rig.g(); }
    Rig rig;
};

// The program's data folder in the build tree.
std::string dataFolder();

// Values written one after another, each followed by '|': several checks in one comparison.
template <typename... T>
std::string join(const T&... values) {
    std::ostringstream out;
    ((out << values << '|'), ...);
    return out.str();
}

}  // namespace lutavo::test
