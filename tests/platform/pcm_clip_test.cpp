// The click clips of a rendered song: read from 16-bit PCM WAV files and laid over the
// synthesizer's stereo output where the wave player would have started them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/test_rig.h"
#include "platform/fluidsynth/pcm_clip.h"
#include "platform_helpers.h"

namespace lutavo {
namespace {

using test::wavText;

TEST(PcmClip, ReadsMonoAndStereoPastOtherChunks) {
    test::TempDir dir;
    std::string problem;
    const PcmClip mono =
        readPcmWav(dir.write("m.wav", wavText(1, 44100, 16, {100, -200, 300})), problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(mono.channels, 1);
    EXPECT_EQ(mono.sampleRate, 44100);
    EXPECT_EQ(mono.samples, (std::vector<std::int16_t>{100, -200, 300}));
    const PcmClip stereo =
        readPcmWav(dir.write("s.wav", wavText(2, 22050, 16, {1, 2, 3, 4, 5})), problem);
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
    EXPECT_EQ(readPcmWav(dir.write("t.wav", "RIFF"), problem).channels, 0);
    EXPECT_NE(problem.find("not a WAV"), std::string::npos);
    problem.clear();
    EXPECT_EQ(readPcmWav(dir.write("8.wav", wavText(1, 44100, 8, {1, 2})), problem).channels, 0);
    EXPECT_NE(problem.find("16-bit"), std::string::npos);
    problem.clear();
    std::string noData = wavText(1, 44100, 16, {});
    noData.resize(noData.size() - 8);  // the data chunk's header gone
    EXPECT_EQ(readPcmWav(dir.write("n.wav", noData), problem).channels, 0);
    EXPECT_NE(problem.find("no sound data"), std::string::npos);
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
