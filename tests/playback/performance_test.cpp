// The performance of a song: the timed events every player plays, computed from the song alone.

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/midi_messages.h"
#include "fakes/song_builder.h"
#include "playback/midi_file.h"
#include "playback/performance.h"
#include "playback/tempo.h"
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

TEST(Tempo, EveryStepHasItsIntervalAndStepsOutsideTakeTheNearest) {
    const std::pair<int, int> cases[] = {{0, 22}, {1, 22}, {8, 36}, {30, 80}, {31, 80}};
    for (const auto& [step, ms] : cases)
        EXPECT_EQ(tickIntervalMs(step), ms) << step;
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
