// Exporting a performance and writing it as a Standard MIDI File.

#include "playback/midi_file.h"
#include "fakes/test_rig.h"
#include "playback/transport.h"
#include "playback_fixture.h"

namespace lutavo::test {
namespace {

struct FileEvent {
    long tick;
    std::vector<std::uint8_t> bytes;
};

struct ParsedFile {
    int format = -1, tracks = -1, division = -1;
    long tempo = -1;
    std::vector<FileEvent> events;  // channel messages only
    bool endOfTrack = false;
};

// Reads the header chunk and the one track chunk, event by event.
ParsedFile parse(const std::vector<std::uint8_t>& b) {
    auto be = [&](std::size_t at, int bytes) {
        std::uint32_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = v << 8 | b.at(at + static_cast<std::size_t>(i));
        return v;
    };
    ParsedFile f;
    f.format = static_cast<int>(be(8, 2));
    f.tracks = static_cast<int>(be(10, 2));
    f.division = static_cast<int>(be(12, 2));
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "MThd");
    EXPECT_EQ(be(4, 4), 6u);
    EXPECT_EQ(std::string(b.begin() + 14, b.begin() + 18), "MTrk");
    const std::size_t end = 22 + be(18, 4);
    EXPECT_EQ(end, b.size());
    long tick = 0;
    for (std::size_t at = 22; at < end;) {
        std::uint32_t delta = 0;
        for (std::uint8_t c = 0x80; (c & 0x80) != 0;) {
            c = b.at(at++);
            delta = delta << 7 | (c & 0x7F);
        }
        tick += static_cast<long>(delta);
        const std::uint8_t status = b.at(at++);
        if (status == 0xFF) {
            const std::uint8_t type = b.at(at++);
            if (type == 0x51) f.tempo = static_cast<long>(be(at + 1, 3));
            f.endOfTrack = f.endOfTrack || type == 0x2F;
            at += 1 + b.at(at);
            continue;
        }
        const int data = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
        f.events.push_back({tick, {status}});
        for (int i = 0; i < data; ++i)
            f.events.back().bytes.push_back(b.at(at++));
    }
    return f;
}

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
    buildSong(g, {});
    EXPECT_TRUE(collectPerformance(g).empty());
}

TEST_F(MidiExport, ExportLeavesTheWindowDeviceAndPositionAlone) {
    buildSong(g, {single(16, 1, 0), single(8, 1, 2)});
    g.song.curNote = 2;
    mnuRepeatSong_Click(g);
    EXPECT_FALSE(collectPerformance(g).empty());
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
    const Performance perf = recordPerformance(g);
    ASSERT_FALSE(perf.messages.empty());
    // Another program starts on its default instrument: the sound's program comes first.
    EXPECT_EQ(perf.messages.front(), (TimedMessage{0, msg::program(3, kTestPatch + 2)}));
    Msgs all;
    for (const auto& m : perf.messages)
        all.push_back(m.message);
    EXPECT_EQ(msg::noteOns(all).front(), msg::noteOn(3, 40, 120));
    EXPECT_EQ(perf.endMs, 24L * g.song.tempoInterval[7]);
    EXPECT_TRUE(perf.clips.empty());
    EXPECT_EQ(g.playback.curChannel, 0);  // the window's own device is still on the first sound
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
    // A page just drawn in the window leaves the beat counter at 0: the export keeps its beat
    // on the first note all the same.
    g.playback.beatTick = 0;
    EXPECT_EQ(recordPerformance(g).clips.front().timeMs, 0);
    g.song.metroOn = 0;
    EXPECT_TRUE(recordPerformance(g).clips.empty());
}

TEST_F(MidiExport, WrittenFileHoldsTheNoteOnsAtTheirTimesInMilliseconds) {
    buildSong(g, {single(16, 1, 0), single(8, 1, 2), single(64, 6, 0)});
    const long interval = g.song.tempoInterval[g.song.tempo];
    TempDir dir;
    ASSERT_TRUE(writeMidiFile(dir.path() + "song.mid", collectPerformance(g)));
    EXPECT_FALSE(writeMidiFile("/nonexistent-folder/x/song.mid", {}));
    const std::string text = readFile(dir.path() + "song.mid");
    const ParsedFile f = parse(std::vector<std::uint8_t>(text.begin(), text.end()));
    EXPECT_EQ(f.format, 0);
    EXPECT_EQ(f.tracks, 1);
    EXPECT_EQ(f.tempo * 1000 / f.division, 1000000);  // a file tick of 1 ms
    EXPECT_TRUE(f.endOfTrack);
    Times onTicks;
    for (const auto& e : f.events)
        if ((e.bytes[0] & 0xF0) == 0x90 && e.bytes[2] != 0) onTicks.push_back(e.tick);
    EXPECT_EQ(onTicks, (Times{0, 16 * interval, 24 * interval}));
}

TEST_F(MidiExport, LongGapsAndProgramChangesAreEncoded) {
    const ParsedFile f = parse(midiFileBytes({{0, msg::program(2, 5)},
                                              {20000, msg::noteOn(2, 60, 100)},
                                              {20000, 0xF8u},  // a system byte is not written
                                              {20001, msg::noteOff(2, 60)}}));
    ASSERT_EQ(f.events.size(), 3u);
    EXPECT_EQ(f.events[0].bytes, (std::vector<std::uint8_t>{0xC2, 5}));
    EXPECT_EQ(f.events[1].tick, 20000);
    EXPECT_EQ(f.events[1].bytes, (std::vector<std::uint8_t>{0x92, 60, 100}));
    EXPECT_EQ(f.events[2].tick, 20001);
}

}  // namespace
}  // namespace lutavo::test
