// Exporting a performance and writing it as a Standard MIDI File.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "fakes/midi_messages.h"
#include "fakes/playback_rig.h"
#include "playback/midi_file.h"
#include "playback/transport.h"

namespace lutavo::test {
namespace {

struct FileEvent {
    long tick;
    std::vector<std::uint8_t> bytes;
};

struct ParsedFile {
    int format = -1;
    int tracks = -1;
    int division = -1;
    long tempo = -1;
    std::vector<FileEvent> events;  // channel messages only
    bool endOfTrack = false;
};

std::uint32_t bigEndian(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | b.at(at + static_cast<std::size_t>(i));
    return v;
}

// Reads the header chunk and the one track chunk, event by event.
ParsedFile parse(const std::vector<std::uint8_t>& b) {
    ParsedFile f;
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "MThd");
    EXPECT_EQ(bigEndian(b, 4, 4), 6u);
    f.format = static_cast<int>(bigEndian(b, 8, 2));
    f.tracks = static_cast<int>(bigEndian(b, 10, 2));
    f.division = static_cast<int>(bigEndian(b, 12, 2));
    EXPECT_EQ(std::string(b.begin() + 14, b.begin() + 18), "MTrk");
    const std::size_t end = 22 + bigEndian(b, 18, 4);
    EXPECT_EQ(end, b.size());
    std::size_t at = 22;
    long tick = 0;
    while (at < end) {
        std::uint32_t delta = 0;
        std::uint8_t c = 0;
        do {
            c = b.at(at++);
            delta = delta << 7 | (c & 0x7F);
        } while ((c & 0x80) != 0);
        tick += static_cast<long>(delta);
        const std::uint8_t status = b.at(at++);
        if (status == 0xFF) {
            const std::uint8_t type = b.at(at++);
            const std::uint8_t length = b.at(at++);
            if (type == 0x51) f.tempo = static_cast<long>(bigEndian(b, at, 3));
            if (type == 0x2F) f.endOfTrack = true;
            at += length;
            continue;
        }
        const int data = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
        FileEvent e{tick, {status}};
        for (int i = 0; i < data; ++i)
            e.bytes.push_back(b.at(at++));
        f.events.push_back(e);
    }
    return f;
}

class MidiExport : public ::testing::Test {
  protected:
    Rig rig;
    Guitar& g = playbackReady(rig);
};

TEST_F(MidiExport, PerformanceStartsAtTheFirstNoteAndSpacesNotesByTheirDurations) {
    g.song.tempo = 10;  // 40 ms a tick
    g.config.defaultLeadIn = 3;
    buildSong(g, {single(16, 1, 0), single(8, 1, 2), pageEnd(), single(4, 1, 3), single(12, 2, 0)});
    const auto perf = collectPerformance(g);
    std::vector<TimedMessage> ons;
    for (const auto& m : perf) {
        if (!msg::noteOns({m.message}).empty()) ons.push_back(m);
    }
    EXPECT_EQ(ons, (std::vector<TimedMessage>{{0, msg::noteOn(0, 40, 120)},
                                              {16 * 40, msg::noteOn(0, 42, 120)},
                                              {24 * 40, msg::noteOn(0, 43, 120)},
                                              {28 * 40, msg::noteOn(0, 45, 120)}}));
    // The last note ends after its full length.
    EXPECT_EQ(perf.back().timeMs, 40 * 40);
}

TEST_F(MidiExport, ExportLeavesTheWindowDeviceAndPositionAlone) {
    buildSong(g, {single(16, 1, 0), single(8, 1, 2)});
    g.song.curNote = 2;
    mnuRepeatSong_Click(g);
    const auto perf = collectPerformance(g);
    EXPECT_FALSE(perf.empty());
    EXPECT_TRUE(rig.midi.sent.empty());
    EXPECT_TRUE(rig.wave.played.empty());
    EXPECT_EQ(g.song.curNote, 2);
    EXPECT_FALSE(g.ntimer.enabled);
    EXPECT_EQ(g.playback.repeatSong, 1);
}

TEST_F(MidiExport, PerformanceOpensWithTheConfiguredSoundAndEndsWithTheLastNote) {
    g.config.preferredSound = 2;
    g.config.soundChannel[2] = 4;
    g.song.tempo = 7;
    buildSong(g, {single(16, 1, 0), single(8, 1, 2)});
    const int interval = g.song.tempoInterval[7];
    const Performance perf = recordPerformance(g);
    ASSERT_FALSE(perf.messages.empty());
    // Another program starts on its default instrument: the sound's program comes first.
    EXPECT_EQ(perf.messages.front(), (TimedMessage{0, msg::program(3, kTestPatch + 2)}));
    std::vector<std::uint32_t> all;
    for (const auto& m : perf.messages)
        all.push_back(m.message);
    EXPECT_EQ(msg::noteOns(all).front(), msg::noteOn(3, 40, 120));
    EXPECT_EQ(perf.endMs, 24L * interval);
    EXPECT_TRUE(perf.clips.empty());
    // The window's own device is still on the first sound.
    EXPECT_EQ(g.playback.curChannel, 0);
}

TEST_F(MidiExport, MetronomeClicksAreKeptWithTheirTimesAndPaths) {
    TempDir folder;
    folder.write("tick.wav", "RIFF");
    g.app.appFolder = folder.path();
    g.song.metroOn = 1;
    g.song.tempo = 5;
    const int interval = g.song.tempoInterval[5];
    buildSong(g, {single(16, 1, 0), single(16, 1, 2), single(8, 1, 3)});
    const Performance perf = recordPerformance(g);
    const std::string tick = folder.path() + "tick.wav";
    EXPECT_EQ(perf.clips,
              (std::vector<TimedClip>{{0, tick}, {16L * interval, tick}, {32L * interval, tick}}));
    EXPECT_TRUE(rig.wave.played.empty());

    // A page just drawn in the window leaves the beat counter at 0: the export keeps its beat
    // on the first note all the same.
    g.playback.beatTick = 0;
    EXPECT_EQ(recordPerformance(g).clips.front().timeMs, 0);

    g.song.metroOn = 0;
    EXPECT_TRUE(recordPerformance(g).clips.empty());
}

TEST_F(MidiExport, AnEmptySongExportsNothing) {
    buildSong(g, {});
    EXPECT_TRUE(collectPerformance(g).empty());
}

TEST_F(MidiExport, WrittenFileHoldsTheNoteOnsAtTheirTimesInMilliseconds) {
    buildSong(g, {single(16, 1, 0), single(8, 1, 2), single(64, 6, 0)});
    const int interval = g.song.tempoInterval[g.song.tempo];
    TempDir dir;
    const std::string path = dir.path() + "song.mid";
    ASSERT_TRUE(writeMidiFile(path, collectPerformance(g)));
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    const ParsedFile f = parse(bytes);
    EXPECT_EQ(f.format, 0);
    EXPECT_EQ(f.tracks, 1);
    // One tick of the file is division / tempo of a quarter: 1 ms.
    EXPECT_EQ(f.tempo * 1000 / f.division, 1000000);
    EXPECT_TRUE(f.endOfTrack);
    std::vector<long> onTicks;
    for (const auto& e : f.events) {
        if ((e.bytes[0] & 0xF0) == 0x90 && e.bytes[2] != 0) onTicks.push_back(e.tick);
    }
    EXPECT_EQ(onTicks, (std::vector<long>{0, 16L * interval, 24L * interval}));
}

TEST_F(MidiExport, LongGapsAndProgramChangesAreEncoded) {
    const std::vector<TimedMessage> perf = {{0, msg::program(2, 5)},
                                            {20000, msg::noteOn(2, 60, 100)},
                                            {20000, 0xF8u},  // a system byte is not written
                                            {20001, msg::noteOff(2, 60)}};
    const ParsedFile f = parse(midiFileBytes(perf));
    ASSERT_EQ(f.events.size(), 3u);
    EXPECT_EQ(f.events[0].bytes, (std::vector<std::uint8_t>{0xC2, 5}));
    EXPECT_EQ(f.events[1].tick, 20000);
    EXPECT_EQ(f.events[1].bytes, (std::vector<std::uint8_t>{0x92, 60, 100}));
    EXPECT_EQ(f.events[2].tick, 20001);
}

TEST_F(MidiExport, AnUnwritablePathFails) {
    EXPECT_FALSE(writeMidiFile("/nonexistent-folder/x/song.mid", {}));
}

}  // namespace
}  // namespace lutavo::test
