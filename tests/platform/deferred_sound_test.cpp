// SPDX-License-Identifier: GPL-3.0-or-later
// The sound module opened while the window is up: what is asked for meanwhile reaches it, a note
// waits for it, and without it the program stays silent and says so once.

#include <gtest/gtest.h>

#include <cstdlib>
#include <future>
#include <sstream>

#include "fakes/fake_midi.h"
#include "fakes/fake_wave.h"
#include "fakes/temp_dir.h"
#include "services/fluidsynth/short_message.h"
#include "services/rtmidi/midi_router.h"
#include "services/sound_module/deferred_sound.h"

namespace lutavo {
namespace {

struct FakeSound : SoundModule {
    struct Live : LiveSound {
        explicit Live(FakeSound& s) : sound(s) {}
        MidiOut& midi() override { return sound.midi; }
        WavePlayer& wave() override { return sound.wave; }
        AudioOutput& audio() override { std::abort(); }  // the window never asks for the stream
        FakeSound& sound;
    };
    std::unique_ptr<LiveSound> openLive(const SoundClock*, std::ostream&) override {
        return std::make_unique<Live>(*this);
    }
    RenderResult renderWav(const SoundRecording&, long, const std::string&,
                           std::vector<std::string>&) override {
        return {};
    }
    test::FakeMidiOut midi;
    test::FakeWavePlayer wave;
};

const std::uint32_t kProgram = packMidi(0xC0, 24, 0);
const std::uint32_t kNote = packMidi(0x90, 64, 100);

TEST(DeferredSound, WhatIsAskedForWhileItLoadsReachesTheModuleAndANoteWaitsForIt) {
    test::TempDir dir;
    const std::string clip = dir.write("intro.wav", "RIFF");
    FakeSound module;
    std::promise<void> gate;
    std::ostringstream log;
    DeferredSound sound(
        [&, open = gate.get_future().share()](std::string&) {
            open.wait();
            return &module;
        },
        nullptr, log);
    sound.load();
    EXPECT_TRUE(sound.open(kMidiMapper));
    sound.shortMessage(kProgram);
    EXPECT_TRUE(sound.play(clip));
    EXPECT_FALSE(sound.play(dir.path() + "missing.wav"));
    EXPECT_TRUE(module.midi.opened.empty());
    gate.set_value();
    sound.shortMessage(kNote);  // returns once the module has it
    EXPECT_EQ(module.midi.opened, std::vector{kMidiMapper});
    EXPECT_EQ(module.midi.messages(), (std::vector{kProgram, kNote}));
    EXPECT_EQ(module.wave.played, std::vector{clip});
    sound.close();
    sound.shortMessage(kNote);
    EXPECT_EQ(module.midi.closes, 1);
    EXPECT_EQ(module.midi.messages().size(), 2u);
    EXPECT_EQ(sound.deviceName(0), "Test port");
    EXPECT_EQ(log.str(), "");
}

TEST(DeferredSound, WithoutTheModuleTheProgramIsSilentAndSaysWhyOnce) {
    test::TempDir dir;
    std::ostringstream log;
    DeferredSound sound(
        [](std::string& problem) -> SoundModule* {
            problem = "lutavo-sound.so: cannot open shared object file";
            return nullptr;
        },
        nullptr, log);
    EXPECT_TRUE(sound.open(kMidiMapper));  // not known yet: the module is still to load
    sound.shortMessage(kNote);
    EXPECT_FALSE(sound.open(kMidiMapper));
    EXPECT_FALSE(sound.play(dir.write("intro.wav", "RIFF")));
    EXPECT_EQ(
        std::tuple(sound.deviceCount(), sound.deviceName(kMidiMapper), sound.synthesizerLive()),
        std::tuple(0, std::string(kMidiMapperName), false));
    EXPECT_EQ(log.str(),
              "lutavo: no audio output for the built-in synthesizer (lutavo-sound.so: cannot open "
              "shared object file); playing silently\n");
}

}  // namespace
}  // namespace lutavo
