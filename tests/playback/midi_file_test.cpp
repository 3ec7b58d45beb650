// SPDX-License-Identifier: GPL-3.0-or-later
// A performance written as a Standard MIDI File.

#include "playback/midi_file.h"

#include <gtest/gtest.h>

#include <tuple>

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

// (time, status, key) of every note event of a written file, which writes no running status.
std::vector<std::tuple<long, int, int>> noteEvents(const std::vector<std::uint8_t>& file) {
    std::vector<std::tuple<long, int, int>> events;
    long time = 0;
    for (std::size_t at = 22 + 7; at + 3 < file.size();) {  // after the header and the tempo
        long delta = 0;
        while (file[at] & 0x80)
            delta = delta << 7 | (file[at++] & 0x7F);
        time += delta << 7 | file[at++];
        const int status = file[at];
        if (status == 0xFF) break;
        if ((status & 0xE0) == 0x80) events.emplace_back(time, status, file[at + 1]);
        at += (status & 0xF0) == 0xC0 ? 2 : 3;
    }
    return events;
}

// A muted string is a note-on and its note-off at once: the file keeps the click a click,
// while other ends at one time still come before the starts.
TEST(MidiFile, ClickOfAMutedStringKeepsItsOrderAndOtherEndsGoFirst) {
    using E = std::vector<std::tuple<long, int, int>>;
    const struct {
        const char* name;
        std::vector<TimedMessage> sent;
        E written;
    } cases[] = {
        {"a click alone",
         {{0, msg::noteOn(0, 60, 90)}, {0, msg::noteOff(0, 60)}},
         {{0, 0x90, 60}, {0, 0x80, 60}}},
        {"a click on a key another string holds",
         {{0, msg::noteOn(0, 60, 90)},
          {5, msg::noteOn(0, 60, 90)},
          {5, msg::noteOff(0, 60)},
          {9, msg::noteOff(0, 60)}},
         {{0, 0x90, 60}, {5, 0x90, 60}, {5, 0x80, 60}, {9, 0x80, 60}}},
        {"an end sent after a start at one time",
         {{0, msg::noteOn(0, 62, 90)}, {5, msg::noteOn(0, 64, 90)}, {5, msg::noteOff(0, 62)}},
         {{0, 0x90, 62}, {5, 0x80, 62}, {5, 0x90, 64}}},
        {"a click after the end of its key",
         {{0, msg::noteOn(0, 64, 90)},
          {5, msg::noteOff(0, 64)},
          {5, msg::noteOn(0, 64, 90)},
          {5, msg::noteOff(0, 64)},
          {7, msg::noteOff(0, 64)}},
         {{0, 0x90, 64}, {5, 0x80, 64}, {5, 0x90, 64}, {5, 0x80, 64}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(noteEvents(midiFileBytes(c.sent)), c.written) << c.name;
}

}  // namespace
}  // namespace lutavo::test
