// SPDX-License-Identifier: GPL-3.0-or-later
// The sound clips: read from 16-bit PCM WAV files and laid over the synthesizer in the stream.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/test_rig.h"
#include "services/fluidsynth/offline_synth.h"
#include "services/fluidsynth/pcm_clip.h"
#include "services/fluidsynth/stream_mixer.h"

namespace lutavo {
namespace {

// A file from the program's own WAV writer (stereo, 44.1 kHz, 16 bits) with its format fields
// changed and an extra chunk before the data, as some editors write them.
std::string wavFile(test::TempDir& dir, const std::vector<std::int16_t>& samples, int channels,
                    int rate, int bits) {
    EXPECT_TRUE(OfflineSynth::writeWav(dir.path() + "w.wav", samples));
    std::string b = test::readFile(dir.path() + "w.wav");
    b[22] = static_cast<char>(channels);
    b[24] = static_cast<char>(rate & 0xFF);
    b[25] = static_cast<char>(rate >> 8);
    b[34] = static_cast<char>(bits);
    b.insert(36, std::string("LIST\3\0\0\0abc\0", 12));
    b[4] = static_cast<char>(b[4] + 12);
    return dir.write("w.wav", b);
}

// Frames made four at a time are sample for sample what toPcm16 makes: ties to even, full
// scale and beyond it clamped, the frames past the last four too.
TEST(PcmClip, InterleavedFramesAreTheSamplesToPcm16Makes) {
    const std::vector<float> left = {0.5f / 32767, 1.5f / 32767, -0.5f / 32767, -2.5f / 32767,
                                     1.0f,         1.5f,         -1.0f,         -7.0f,
                                     0.25f,        -0.999f,      2.5f / 32767};
    std::vector<float> right(left.rbegin(), left.rend());
    std::vector<std::int16_t> out(2 * left.size());
    interleavePcm16(left.data(), right.data(), left.size(), out.data());
    std::vector<std::int16_t> expected;
    for (std::size_t i = 0; i < left.size(); ++i)
        expected.insert(expected.end(), {toPcm16(left[i]), toPcm16(right[i])});
    EXPECT_EQ(out, expected);
    EXPECT_EQ(std::vector(out.begin(), out.begin() + 8),
              (std::vector<std::int16_t>{0, 2, 2, -32734, 0, 8192, -2, -32767}));
}

TEST(PcmClip, ReadsMonoAndStereoPastOtherChunks) {
    test::TempDir dir;
    std::string problem;
    const PcmClip mono = readPcmWav(wavFile(dir, {100, -200, 300}, 1, 44100, 16), problem);
    EXPECT_EQ(std::tuple(problem, mono.channels, mono.sampleRate), std::tuple("", 1, 44100));
    EXPECT_EQ(mono.samples, (std::vector<std::int16_t>{100, -200, 300}));
    const PcmClip stereo = readPcmWav(wavFile(dir, {1, 2, 3, 4, 5}, 2, 22050, 16), problem);
    // The odd sample is half a frame: dropped.
    EXPECT_EQ(stereo.samples, (std::vector<std::int16_t>{1, 2, 3, 4}));
    EXPECT_EQ(stereo.frames(), 2);
}

// Files found by fuzzing the reader, byte for byte: a mono file of one frame at a rate, one of
// 8-bit samples, and no file at all.
TEST(PcmClip, FoundFilesAreReadOrRefusedWithAReason) {
    using namespace std::string_literals;
    struct Case {
        const char* name;
        std::string bytes;
        const char* problem;  // "" when the clip is read
    };
    const std::string head = "RIFF\x26\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0"s;
    const std::string tail = "\x02\0\x10\0data\x02\0\0\0\x34\x12"s;
    const std::vector<Case> cases = {
        {"44.1 kHz", head + "\x44\xac\0\0\x88\x58\x01\0"s + tail, ""},
        {"1 Hz: each frame would grow 44100 times", head + "\x01\0\0\0\x02\0\0\0"s + tail,
         "sample rate of 1 Hz"},
        {"8 bits", head + "\x44\xac\0\0\x44\xac\0\0\x01\0\x08\0data\x02\0\0\0\x34\x12"s, "16-bit"},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        std::string problem;
        const PcmClip clip = readPcmWav(dir.write("f.wav", c.bytes), problem);
        EXPECT_NE(problem.find(c.problem), std::string::npos) << c.name << ": " << problem;
        EXPECT_EQ(clip.channels, *c.problem ? 0 : 1) << c.name;
    }
    std::string problem;
    EXPECT_EQ(readPcmWav(dir.path() + "none.wav", problem).channels, 0);
    EXPECT_NE(problem.find("cannot read"), std::string::npos);
}

// Two channels of a stream block, each starting at the given level, as the synthesizer left it.
struct Block {
    std::vector<float> left, right;
    Block(int frames, float level) : left(frames, level), right(frames, level) {}
};

TEST(ClipVoice, AClipIsSummedOverTheStreamAndClampedAtFullScale) {
    const StereoClip loud = toStereo(PcmClip{2, 44100, {24576, -24576, 8192, -8192}}, 44100);
    StreamMixer mixer(StreamClock::exact(44100));
    mixer.post({0, 0, &loud});
    Block b(3, 0.5f);
    mixer.render(b.left.data(), b.right.data(), 3);
    EXPECT_EQ(b.left, (std::vector<float>{1.0f, 0.75f, 0.5f}));
    EXPECT_EQ(b.right, (std::vector<float>{-0.25f, 0.25f, 0.5f}));
    mixer.post({0, 0, &loud});  // late: at the next block's start
    Block low(2, -0.5f);
    mixer.render(low.left.data(), low.right.data(), 2);
    EXPECT_EQ(low.right, (std::vector<float>{-1.0f, -0.75f}));
    Block over(2, 2.0f);  // the synthesizer's own overshoot is clamped too
    mixer.render(over.left.data(), over.right.data(), 2);
    EXPECT_EQ(over.left, (std::vector<float>{1.0f, 1.0f}));
}

TEST(ClipVoice, ClipsRunOnAcrossBlocksAndANewStartCutsTheSoundingOneOff) {
    const StereoClip click = toStereo(PcmClip{1, 44100, {4096, 8192, 12288}}, 44100);
    const StereoClip other = toStereo(PcmClip{1, 44100, {-4096}}, 44100);
    struct Step {
        const StereoClip* start;
        int frames;
        std::vector<float> heard;
    };
    const std::vector<Step> steps = {
        {&click, 2, {0.125f, 0.25f}},
        {nullptr, 2, {0.375f, 0.0f}},  // the rest of the clip, then silence
        {&click, 1, {0.125f}},         // started again: from its beginning
        {&click, 1, {0.125f}},         // and again, cut off after one frame
        {&other, 2, {-0.125f, 0.0f}},  // another clip cuts it off
    };
    StreamMixer mixer(StreamClock::exact(44100));
    for (const Step& step : steps) {
        if (step.start != nullptr) mixer.post({0, 0, step.start});
        Block b(step.frames, 0.0f);
        mixer.render(b.left.data(), b.right.data(), step.frames);
        EXPECT_EQ(b.left, step.heard);
        EXPECT_EQ(b.right, step.heard) << "a mono clip sounds on both sides";
    }
}

TEST(ClipVoice, AClipAtAnotherRateLastsAsLongAndKeepsItsShape) {
    // The clips' own rate into the live stream's, and slower clips into the file's rate.
    for (auto [from, frames, to, converted] : {std::tuple{44100, 4410u, 96000, 9600L},
                                               {48000, 4801u, 96000, 9602L},
                                               {22050, 2u, 44100, 4L}}) {
        const PcmClip clip{1, from, std::vector<std::int16_t>(frames)};
        EXPECT_EQ(toStereo(clip, to).frames(), converted) << from << " to " << to;
    }
    // Between two frames of a clip of half the rate comes their mean; the last is held.
    const StereoClip slow = toStereo(PcmClip{1, 22050, {4096, 8192}}, 44100);
    EXPECT_EQ(slow.samples,
              (std::vector<float>{0.125f, 0.125f, 0.1875f, 0.1875f, 0.25f, 0.25f, 0.25f, 0.25f}));
    EXPECT_TRUE(toStereo(PcmClip{}, 44100).samples.empty());
}

}  // namespace
}  // namespace lutavo
