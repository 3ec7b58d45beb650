// The click clips of a rendered song: read from 16-bit PCM WAV files and laid over the
// synthesizer's stereo output where the wave player would have started them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/test_rig.h"
#include "platform/fluidsynth/offline_synth.h"
#include "platform/fluidsynth/pcm_clip.h"

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

TEST(PcmClip, RefusesWhatItCannotMixAndSaysWhy) {
    test::TempDir dir;
    std::string problem;
    EXPECT_EQ(readPcmWav(dir.path() + "none.wav", problem).channels, 0);
    EXPECT_NE(problem.find("cannot read"), std::string::npos);
    problem.clear();
    EXPECT_EQ(readPcmWav(wavFile(dir, {1, 2}, 1, 44100, 8), problem).channels, 0);
    EXPECT_NE(problem.find("16-bit"), std::string::npos);
}

TEST(PcmClip, ClipsAddAtTheirFramesAndANewOneCutsTheOldOneOff) {
    PcmClip click{1, 44100, {1000, 2000, 3000}};
    std::vector<std::int16_t> out(2 * 8, 10);
    mixClips(out, 44100, {{5, &click}, {0, &click}, {1, &click}});
    const std::vector<std::int16_t> expected = {1010, 1010, 1010, 1010, 2010, 2010, 3010, 3010,
                                                10,   10,   1010, 1010, 2010, 2010, 3010, 3010};
    EXPECT_EQ(out, expected);
}

TEST(PcmClip, MixingClampsAtFullScaleAndStopsAtTheEnd) {
    PcmClip loud{2, 44100, {30000, -30000, 30000, -30000}};
    std::vector<std::int16_t> out = {10000, -10000, 0, 0, 5, 5};
    mixClips(out, 44100, {{0, &loud}, {2, &loud}});
    EXPECT_EQ(out, (std::vector<std::int16_t>{32767, -32768, 30000, -30000, 30005, -29995}));
}

TEST(PcmClip, AClipOfHalfTheRateLastsTwiceAsLong) {
    PcmClip slow{1, 22050, {100, 200}};
    std::vector<std::int16_t> out(2 * 6, 0);
    mixClips(out, 44100, {{0, &slow}});
    EXPECT_EQ(out, (std::vector<std::int16_t>{100, 100, 100, 100, 200, 200, 200, 200, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace lutavo
