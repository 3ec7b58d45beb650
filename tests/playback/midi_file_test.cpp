// Exporting a performance and writing it as a Standard MIDI File.

#include "playback/midi_file.h"
#include "fakes/test_rig.h"
#include "playback/transport.h"
#include "playback_fixture.h"

namespace lutavo::test {
namespace {

using MidiExport = PlaybackTest;

TEST_F(MidiExport, PerformanceStartsAtTheFirstNoteAndSpacesNotesByTheirDurations) {
    g.song.tempo = 10;  // 40 ms a tick
    g.config.defaultLeadIn = 3;
    buildSong(g, {single(16, 1, 0), single(8, 1, 2), pageEnd(), single(4, 1, 3), single(12, 2, 0)});
    const auto perf = collectPerformance(g);
    std::vector<TimedMessage> ons;
    for (const auto& m : perf)
        if (!msg::noteOns({m.message}).empty()) ons.push_back(m);
    EXPECT_EQ(ons, (std::vector<TimedMessage>{{0, msg::noteOn(0, 40, 120)},
                                              {16 * 40, msg::noteOn(0, 42, 120)},
                                              {24 * 40, msg::noteOn(0, 43, 120)},
                                              {28 * 40, msg::noteOn(0, 45, 120)}}));
    EXPECT_EQ(perf.back().timeMs, 40 * 40);  // the last note ends after its full length
}

TEST_F(MidiExport, PerformanceOpensWithTheConfiguredSoundAndEndsWithTheLastNote) {
    g.config.preferredSound = 2;
    g.config.soundChannel[2] = 4;
    g.song.tempo = 7;
    buildSong(g, {single(16, 1, 0), single(8, 1, 2)});
    g.song.curNote = 2;
    mnuRepeatSong_Click(g);
    const Performance perf = recordPerformance(g);
    ASSERT_FALSE(perf.messages.empty());
    // Another program starts on its default instrument: the sound's program comes first.
    EXPECT_EQ(perf.messages.front(), (TimedMessage{0, msg::program(3, kTestPatch + 2)}));
    Msgs all;
    for (const auto& m : perf.messages)
        all.push_back(m.message);
    EXPECT_EQ(msg::noteOns(all).front(), msg::noteOn(3, 40, 120));
    EXPECT_EQ(perf.endMs, 24L * g.song.tempoInterval[7]);
    // The window's device and position are left alone.
    EXPECT_EQ(std::tuple(rig.midi.sent.size(), g.song.curNote), std::tuple(0u, 2));
}

TEST_F(MidiExport, MetronomeClicksAreKeptWithTheirTimesAndPaths) {
    TempDir folder;
    const std::string tick = folder.write("tick.wav", "RIFF");
    g.app.appFolder = folder.path();
    g.song.metroOn = 1;
    g.song.tempo = 5;
    const long interval = g.song.tempoInterval[5];
    buildSong(g, {single(16, 1, 0), single(16, 1, 2), single(8, 1, 3)});
    EXPECT_EQ(recordPerformance(g).clips,
              (std::vector<TimedClip>{{0, tick}, {16 * interval, tick}, {32 * interval, tick}}));
    EXPECT_TRUE(rig.wave.played.empty());
}

TEST_F(MidiExport, FileIsOneTrackOfMillisecondTicksWithLongGapsAndNoSystemBytes) {
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
