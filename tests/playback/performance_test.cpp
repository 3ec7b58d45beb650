// SPDX-License-Identifier: GPL-3.0-or-later
// The performance of a song: the timed events every player plays, computed from the song alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "fakes/midi_messages.h"
#include "fakes/song_builder.h"
#include "playback/midi_file.h"
#include "playback/performance.h"
#include "playback/tempo.h"
#include "song/fret_codes.h"
#include "song/song_defaults.h"
#include "tuning/pitch_table.h"

namespace lutavo::test {
namespace {

using Times = std::vector<long>;

class Performing : public ::testing::Test {
  protected:
    SongModel song;
    PlaybackSettings settings;

    void SetUp() override {
        setSongDefaults(song);
        FixedArray<i16, 1, 6> standard;
        settings.pitchOf = pitchTableFor(standard);
    }
    Performance play(const std::vector<NoteSpec>& notes) {
        settings.pageCount = buildSong(song, notes);
        return performance(song, settings);
    }
    static Times timesOf(const Performance& p, EventKind kind) {
        Times out;
        for (const PerformanceEvent& e : p.events)
            if (e.kind == kind) out.push_back(e.timeMs);
        return out;
    }
    static Times noteOnTimes(const Performance& p) {
        Times out;
        for (const PerformanceEvent& e : p.events)
            if (e.kind == EventKind::Message && !msg::noteOns({e.message}).empty())
                out.push_back(e.timeMs);
        return out;
    }
    static std::vector<int> starts(const Performance& p) {
        std::vector<int> out;
        for (const PerformanceEvent& e : p.events)
            if (e.kind == EventKind::NoteStart) out.push_back(e.note);
        return out;
    }
};

// Steps and speeds outside their ranges play at the nearest: 24% as 25%, 201% as 200%.
TEST(Tempo, EveryStepAndSpeedHasItsIntervalAndThoseOutsideTakeTheNearest) {
    const std::tuple<int, int, long long> cases[] = {
        {0, 100, 22000}, {1, 100, 22000}, {8, 100, 36000}, {30, 100, 80000}, {31, 100, 80000},
        {8, 25, 144000}, {8, 24, 144000}, {8, 26, 138462}, {8, 200, 18000},  {8, 201, 18000},
        {8, 199, 18090}, {1, 200, 11000}, {30, 25, 320000}};
    for (const auto& [step, percent, micros] : cases)
        EXPECT_EQ(tickIntervalMicros(step, percent), micros) << step << " at " << percent;
}

TEST_F(Performing, NotesFollowByTheirLengthsAndMarkersTakeNoTime) {
    settings.tempo = 10;  // 40 ms a tick
    const Performance p =
        play({single(16, 1, 0), single(8, 1, 2), pageEnd(), single(4, 1, 3), single(12, 2, 0)});
    EXPECT_EQ(noteOnTimes(p), (Times{0, 16 * 40, 24 * 40, 28 * 40}));
    EXPECT_EQ(starts(p), (std::vector<int>{1, 2, 4, 5, 6}));  // 6: the end sentinel
    EXPECT_EQ(timesOf(p, EventKind::PageTurn), (Times{24 * 40}));
    // The last note runs its full length; the play ends with the sentinel's note-offs.
    EXPECT_EQ(std::tuple(p.endTick, p.endMs, timesOf(p, EventKind::End)),
              std::tuple(40L, 40L * 40, Times{40 * 40}));
}

TEST_F(Performing, TheSoundIsSetUpFirstAndEveryNoteGoesOutOnItsChannel) {
    settings.sound = {3, 26, 96, 36};
    const Performance p = play({{16, {0, 2, -1, -1, -1, -1}}});
    ASSERT_GE(p.events.size(), 2u);
    EXPECT_EQ(std::tuple(p.events[0].message, p.events[1].message),
              std::tuple(msg::program(3, 26), 0x73C2u));
    std::vector<std::pair<int, std::uint32_t>> ons;
    for (const PerformanceEvent& e : p.events)
        if (!msg::noteOns({e.message}).empty()) ons.push_back({e.slot, e.message});
    EXPECT_EQ(ons, (std::vector<std::pair<int, std::uint32_t>>{{1, msg::noteOn(3, 40, 96)},
                                                               {2, msg::noteOn(3, 47, 96)}}));
}

// Lead-in L: L counts one beat apart, each a silent count position, then the first note.
TEST_F(Performing, TheLeadInCountsItsBeatsAndClicksThemWithoutTheMetronome) {
    song.metroTicks = 16;
    settings.leadIn = 2;
    const Performance p = play({single(16, 1, 0)});
    EXPECT_EQ(timesOf(p, EventKind::Click), (Times{0, 16 * 36}));
    EXPECT_EQ(noteOnTimes(p), (Times{32 * 36}));
    EXPECT_EQ(starts(p), (std::vector<int>{-1, -1, 1, 2}));
    settings.metronome = true;  // the metronome's own clicks, no extra one
    EXPECT_EQ(timesOf(play({single(16, 1, 0)}), EventKind::Click),
              (Times{0, 16 * 36, 32 * 36, 48 * 36}));
}

// A turn to another drawn page starts the beat count afresh; pictures keep counting.
TEST_F(Performing, DrawnPagesRestartTheBeatsAtEachTurn) {
    settings.metronome = true;
    song.metroTicks = 16;
    const std::vector<NoteSpec> notes = {single(24, 1, 0), pageEnd(), single(24, 1, 2)};
    EXPECT_EQ(timesOf(play(notes), EventKind::Beat), (Times{0, 16 * 36, 40 * 36}));
    settings.drawnPages = false;
    EXPECT_EQ(timesOf(play(notes), EventKind::Beat), (Times{0, 16 * 36, 32 * 36, 48 * 36}));
}

// Each pass begins on the first beat-grid place after the last note; nothing rings over.
TEST_F(Performing, ALoopsPassesFollowOnTheBeatGridWithNothingHangingOver) {
    // Lines of 32 (notes 3-6) and 39 ticks (8-11), with triplets and held notes at both ends.
    settings.pageCount = buildSong(
        song, {single(16, 1, 0), pageEnd(), NoteSpec{5, {heldCode(3), 2, -1, -1, -1, -1}},
               single(5, 2, 3), single(6, 2, 5), single(16, 2, 7), pageEnd(), single(5, 2, 0),
               single(5, 2, 2), single(5, 2, 3), NoteSpec{24, {3, heldCode(2), -1, -1, -1, -1}}});
    const std::tuple<PlayRange, long, Times> cases[] = {
        {{8, 8, true}, 16, {}},  // one note on the beat
        {{9, 9, true}, 16, {}},  // one note between beats: a rest of 11
        {{3, 6, true}, 32, {}},  // one line
        {{3, 11, true}, 80, {32 * 36, 80 * 36, 112 * 36, 160 * 36, 192 * 36}}};  // a rest of 9
    song.metroTicks = 16;
    settings.metronome = true;
    settings.passes = 3;
    for (const auto& [range, k, turns] : cases) {
        settings.range = range;
        const Performance p = performance(song, settings);
        Times passes;
        for (const PerformanceEvent& e : p.events)
            if (e.kind == EventKind::NoteStart && e.note == range.first) passes.push_back(e.tick);
        EXPECT_EQ(std::tuple(passes, p.endTick, timesOf(p, EventKind::PageTurn)),
                  std::tuple(Times{0, k, 2 * k}, 3 * k, turns))
            << range.first << ".." << range.last;
        const Times beats = timesOf(p, EventKind::Beat);  // no gap and no doubled beat
        EXPECT_EQ(std::adjacent_find(beats.begin(), beats.end(),
                                     [](long a, long b) { return b - a != 16 * 36; }),
                  beats.end())
            << range.last;
        for (long boundary : {k, 2 * k}) {
            std::map<std::uint32_t, long> on;  // channel and note: the tick struck
            for (const PerformanceEvent& e : p.events) {
                if (e.tick > boundary) break;
                if (!msg::noteOns({e.message}).empty()) on[e.message & 0xFF0Fu] = e.tick;
                if ((e.message & 0xF0u) == 0x80u) on.erase(e.message & 0xFF0Fu);
            }
            for (const auto& [note, struck] : on)
                EXPECT_EQ(struck, boundary) << range.last << ": " << note;
        }
    }
}

TEST_F(Performing, ASpeedChangesTheTimesButNotTheTicks) {
    settings.speedPercent = 50;
    const Performance p = play({single(16, 1, 0), single(8, 1, 2)});
    EXPECT_EQ(noteOnTimes(p), (Times{0, 16 * 72}));
    EXPECT_EQ(p.endTick, 24);
}

TEST_F(Performing, ARecordingKeepsTheMessagesAndPlaysEachClickFromTheClip) {
    settings.metronome = true;
    const Performance p = play({single(16, 1, 0), single(16, 1, 2)});
    const SoundRecording r = recordingOf(p, std::string("/c/tick.wav"));
    // The beat of the tick the play ends on clicks too.
    const std::string clip = "/c/tick.wav";
    EXPECT_EQ(r.clips, (std::vector<TimedClip>{{0, clip}, {16 * 36, clip}, {32 * 36, clip}}));
    EXPECT_EQ(r.messages.front(), (TimedMessage{0, msg::program(0, 24)}));
    EXPECT_EQ(r.endMs, p.endMs);
    EXPECT_TRUE(recordingOf(p, std::nullopt).clips.empty());
}

}  // namespace
}  // namespace lutavo::test
