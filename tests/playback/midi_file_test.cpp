// A performance written as a Standard MIDI File.

#include "playback/midi_file.h"

#include <gtest/gtest.h>

#include "fakes/midi_messages.h"
#include "fakes/test_rig.h"

namespace lutavo::test {
namespace {

TEST(MidiFile, FileIsOneTrackOfMillisecondTicksWithLongGapsAndNoSystemBytes) {
    const std::vector<TimedMessage> perf = {{0, msg::program(2, 5)},
                                            {20000, msg::noteOn(2, 60, 100)},
                                            {20000, 0xF8u},  // a system byte is not written
                                            {20001, msg::noteOff(2, 60)}};
    // Header: format 0, one track, 500 ticks a quarter; tempo 500000 us a quarter: 1 ms a tick.
    const std::vector<std::uint8_t> expected = {
        'M',  'T',  'h',  'd',  0,  0,   0, 6,    0,    0, 0,    1,    0x01, 0xF4, 'M',  'T',
        'r',  'k',  0,    0,    0,  24,  0, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20, 0,    0xC2, 5,
        0x81, 0x9C, 0x20, 0x92, 60, 100, 1, 0x82, 60,   0, 0,    0xFF, 0x2F, 0};
    EXPECT_EQ(midiFileBytes(perf), expected);
    TempDir dir;
    ASSERT_TRUE(writeMidiFile(dir.path() + "song.mid", perf));
    EXPECT_EQ(readFile(dir.path() + "song.mid"), std::string(expected.begin(), expected.end()));
}

}  // namespace
}  // namespace lutavo::test
