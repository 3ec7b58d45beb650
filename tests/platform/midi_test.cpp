// SPDX-License-Identifier: GPL-3.0-or-later
// MIDI output and the audio stream on a machine without a sequencer, a sound card or (sometimes)
// a sound font: they must stay silent, say so once and never fall over. The stream's mixer must
// really sound, and rest when there is nothing to play.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "fakes/test_rig.h"
#include "services/fluidsynth/audio_output.h"
#include "services/fluidsynth/offline_synth.h"
#include "services/fluidsynth/short_message.h"
#include "services/fluidsynth/sound_font.h"
#include "services/fluidsynth/stream_wave_player.h"
#include "services/rtmidi/midi_router.h"

namespace lutavo {
namespace {

TEST(ShortMessages, AreTakenApartByKind) {
    struct Case {
        std::uint32_t packed;
        int kind, channel, data1, data2, length;
    };
    // 29634 is the fixed program change sent at every reopen: 0xC2 0x73. Stray high bits never
    // reach the data bytes; no status byte, or system exclusive, is no message. A system message
    // has no channel (-1: not compared).
    for (const Case& c :
         {Case{packMidi(0x93, 40, 120), kNoteOn, 3, 40, 120, 3},
          {29634, kProgramChange, 2, 0x73, 0, 2},
          {0x6400E0, kPitchBend, 0, 0, 100, 3},
          {0xD5 | 0x55 << 8, kChannelPressure, 5, 0x55, 0, 2},
          {0xFF, kSystemReset, -1, 0, 0, 1},
          {0x90u | 0xC5u << 8 | 0xFFu << 16 | 0xAB000000u, kNoteOn, 0, 0x45, 0x7F, 3}}) {
        const ShortMessage m = decodeShortMessage(c.packed);
        EXPECT_EQ(std::tuple(int{m.kind()}, c.channel < 0 ? -1 : m.channel, int{m.data1},
                             int{m.data2}, int{m.length}),
                  std::tuple(c.kind, c.channel, c.data1, c.data2, c.length))
            << std::hex << c.packed;
    }
    for (std::uint32_t none : {0x7Fu, 0u, 0xF0u})
        EXPECT_EQ(decodeShortMessage(none).length, 0) << none;
}

bool machineHasSequencer() {
    return std::filesystem::exists("/dev/snd/seq");
}

TEST(MidiRouter, WithoutDevicesEveryOperationIsSilentAndSafe) {
    std::ostringstream log;
    AudioOutput audio("");
    MidiRouter midi(audio, log);
    if (machineHasSequencer()) GTEST_SKIP() << "this machine has MIDI ports";
    EXPECT_EQ(midi.deviceCount(), 0);
    midi.shortMessage(packMidi(0x90, 40, 120));  // closed: nothing happens
    EXPECT_FALSE(midi.open(0));
    midi.shortMessage(packMidi(0x90, 40, 120));
    midi.close();
}

TEST(MidiRouter, SilentSynthesizerIsReportedOnceInOneLine) {
    std::ostringstream log;
    AudioOutput audio(findSoundFont());
    MidiRouter midi(audio, log);
    audio.waitSettled();
    const bool first = midi.open(-1);
    if (first) GTEST_SKIP() << "this machine has an audio output";
    midi.shortMessage(packMidi(0xC0, 24, 0));
    midi.shortMessage(packMidi(0x90, 40, 120));
    EXPECT_FALSE(midi.open(-1));
    midi.shortMessage(packMidi(0x80, 40, 0));
    midi.close();

    const std::string said = log.str();
    ASSERT_FALSE(said.empty());
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    EXPECT_NE(said.find("silent"), std::string::npos) << said;
}

TEST(MidiRouter, MissingOrUnreadableSoundFontIsReportedAndStaysSilent) {
    test::TempDir dir;
    const std::string broken = dir.write("broken.sf2", "RIFF not a sound font");
    for (auto [font, said] : {std::pair{std::string(), "sound font"}, {broken, "broken.sf2"}}) {
        std::ostringstream log;
        AudioOutput audio(font);
        MidiRouter midi(audio, log);
        midi.open(-1);  // may be still loading: the first note waits and finds out
        midi.shortMessage(packMidi(0x90, 40, 120));
        EXPECT_NE(log.str().find(said), std::string::npos) << log.str();
        EXPECT_FALSE(midi.open(-1));
    }
}

class OfflineRender : public ::testing::Test {
  protected:
    void SetUp() override {
        font = findSoundFont();
        if (font.empty() || !std::filesystem::exists(font)) GTEST_SKIP() << "no sound font";
    }
    std::string font;
};

double loudness(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to && i < samples.size(); ++i)
        sum += std::abs(static_cast<double>(samples[i]));
    return sum;
}

TEST_F(OfflineRender, NoteSoundsBetweenItsOnAndOff) {
    OfflineSynth synth(font);
    ASSERT_TRUE(synth.ready()) << synth.problem();
    const std::vector<std::int16_t> samples = synth.render(
        {{0, packMidi(0xC0, 24, 0)}, {100, packMidi(0x90, 40, 120)}, {600, packMidi(0x80, 40, 0)}},
        {}, 1000);
    ASSERT_EQ(samples.size(), 2u * 44100u);
    const std::size_t noteStart = 2 * 4410;
    EXPECT_LT(loudness(samples, 0, noteStart) / noteStart, 1.0) << "silent before the note-on";
    EXPECT_GT(loudness(samples, noteStart, 2 * 26460) / (2 * 22050), 100.0)
        << "the note is clearly audible";
}

TEST_F(OfflineRender, ARateTheSynthesizerDoesNotTakeIsRefusedNotIgnored) {
    const SynthEngine engine(font, 192000);
    EXPECT_FALSE(engine.ready());
    EXPECT_EQ(engine.problem(), "the synthesizer cannot run at 192000 Hz");
}

TEST_F(OfflineRender, TheSilentSynthesizerRestsUntilAMessageWakesIt) {
    SynthEngine engine(font, kFileSampleRate);
    ASSERT_TRUE(engine.ready()) << engine.problem();
    StreamMixer mixer(StreamClock::exact(kFileSampleRate), engine.synth());
    std::vector<float> left(4410), right(4410);
    const auto block = [&] {
        std::fill(left.begin(), left.end(), 0.0f);
        std::fill(right.begin(), right.end(), 0.0f);
        mixer.render(left.data(), right.data(), 4410);
        float peak = 0;
        for (float v : left)
            peak = std::max(peak, std::abs(v));
        return peak;
    };
    for (int i = 0; i < 20; ++i)
        block();
    EXPECT_FALSE(mixer.synthResting()) << "rendered for the reverberation's two seconds";
    block();
    EXPECT_TRUE(mixer.synthResting());
    mixer.post({0, packMidi(0x90, 40, 120), nullptr});
    EXPECT_GT(block(), 0.01f) << "the woken synthesizer sounds its note";
    EXPECT_FALSE(mixer.synthResting());
}

TEST_F(OfflineRender, CancelledNoteOnsAndClipsNeverSoundButNoteOffsStillGo) {
    const StereoClip click = toStereo(PcmClip{1, 44100, {16384, 16384}}, 44100);
    const auto second = [&](bool withCancelled) {
        SynthEngine engine(font, kFileSampleRate);
        StreamMixer mixer(StreamClock::exact(kFileSampleRate), engine.synth());
        std::vector<float> left(44100), right(44100);
        mixer.post({0, packMidi(0x90, 52, 120), nullptr});
        mixer.render(left.data(), right.data(), 441);  // sounding for 10 ms
        if (withCancelled) {
            mixer.post({100'000'000, packMidi(0x90, 40, 120), nullptr});
            mixer.post({100'000'000, 0, &click});
            mixer.cancelPosted();  // STOP at 10 ms: the two due at 100 ms must not start
        }
        mixer.post({0, packMidi(0x80, 52, 0), nullptr});
        mixer.render(left.data() + 441, right.data() + 441, 44100 - 441);
        return left;
    };
    // Exactly the note that was stopped, and nothing else.
    EXPECT_EQ(second(true), second(false));
}

TEST(StreamWavePlayer, PlaysReadableClipsWhenTheStreamIsOpen) {
    test::TempDir dir;
    AudioOutput audio("");
    StreamWavePlayer player(audio);
    EXPECT_FALSE(player.play(dir.path() + "absent.wav"));
    EXPECT_FALSE(player.play(dir.path()));  // a folder is no clip
    ASSERT_TRUE(OfflineSynth::writeWav(dir.path() + "click.wav", std::vector<std::int16_t>(10)));
    audio.waitSettled();
    EXPECT_EQ(player.play(dir.path() + "click.wav"), audio.streamLive());
}

TEST(OfflineRenderWav, IsStereoSixteenBitPcmAtTheCdRate) {
    test::TempDir dir;
    const std::string path = dir.path() + "note.wav";
    ASSERT_TRUE(OfflineSynth::writeWav(path, {1, -1, 2, -2}));
    const std::string expected(
        "RIFF\x2C\0\0\0WAVEfmt \x10\0\0\0\x01\0\x02\0\x44\xAC\0\0\x10\xB1\x02\0\x04\0\x10\0"
        "data\x08\0\0\0\x01\0\xFF\xFF\x02\0\xFE\xFF",
        52);
    EXPECT_EQ(test::readFile(path), expected);
}

}  // namespace
}  // namespace lutavo
