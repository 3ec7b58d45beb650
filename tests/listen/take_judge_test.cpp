// SPDX-License-Identifier: GPL-3.0-or-later
#include "listen/take_judge.h"

#include <gtest/gtest.h>

#include "fakes/test_rig.h"
#include "listen/midi_strums.h"

namespace lutavo {
namespace {

constexpr int kA = 9, kE = 4, kCs = 1;

// What a plucked A sounds, by pitch class: its octaves, then its fifth and major third.
Chroma pluckOf(std::initializer_list<int> classes) {
    Chroma c{};
    for (int pc : classes) {
        c[std::size_t(pc)] += 1.0f;
        c[std::size_t((pc + 7) % 12)] += 0.5f;
        c[std::size_t((pc + 4) % 12)] += 0.1f;
    }
    return c;
}

ExpectedNote noteAt(int note, long ms, PitchClassSet classes) {
    return {note, ms, classes};
}

HeardOnset heardA(long ms) {
    return {ms, pluckOf({kA})};
}

TEST(SoundsClasses, TheNotesAndTheirOvertonesAreHeardAnotherNoteOrAMissingOneIsNot) {
    const PitchClassSet a = classesOf({57});
    const PitchClassSet aMajor = classesOf({57, 61, 64});
    EXPECT_TRUE(soundsClasses(pluckOf({kA}), a));
    EXPECT_TRUE(soundsClasses(pluckOf({kA, kCs, kE}), aMajor));
    EXPECT_FALSE(soundsClasses(pluckOf({kA + 1}), a));  // a semitone sharp
    EXPECT_FALSE(soundsClasses(pluckOf({kE}), a));      // A's fifth alone is not A
    // A minor without its C: no overtone of A or E sounds C.
    EXPECT_FALSE(soundsClasses(pluckOf({kA, kE}), classesOf({57, 60, 64})));
    EXPECT_FALSE(soundsClasses(Chroma{}, a));
    EXPECT_FALSE(soundsClasses(pluckOf({kA}), 0));
}

TEST(JudgeTake, TheWindowAndTheBeatAreCountedOnBothSides) {
    const PitchClassSet a = classesOf({57});
    const JudgeWindows windows{60, 500, 0};
    struct Case {
        long offset;
        Verdict verdict;
    };
    for (const Case& c :
         {Case{-60, Verdict::Hit}, Case{60, Verdict::Hit}, Case{-61, Verdict::Early},
          Case{61, Verdict::Late}, Case{500, Verdict::Late}, Case{-500, Verdict::Early},
          Case{501, Verdict::Missed}, Case{-501, Verdict::Missed}}) {
        const auto judged = judgeTake({noteAt(1, 1000, a)}, {heardA(1000 + c.offset)}, windows);
        ASSERT_EQ(judged.size(), 1u);
        EXPECT_EQ(judged[0].verdict, c.verdict) << c.offset;
        EXPECT_EQ(judged[0].offsetMs, c.verdict == Verdict::Missed ? 0 : c.offset);
    }
}

TEST(JudgeTake, EachStrikeCountsOnceAndTheNearNotesClaimFirst) {
    const PitchClassSet a = classesOf({57});
    // Three notes a quarter second apart and two strikes: the strike at 262 ms is the second
    // note's, hit, not the first's, late; the first is then late on nothing left and is missed.
    const std::vector<ExpectedNote> notes = {noteAt(1, 0, a), noteAt(2, 250, a), noteAt(3, 500, a)};
    const auto judged = judgeTake(notes, {heardA(262), heardA(505)}, {60, 500, 0});
    EXPECT_EQ(judged[0].verdict, Verdict::Missed);
    EXPECT_EQ(judged[1].verdict, Verdict::Hit);
    EXPECT_EQ(judged[2].verdict, Verdict::Hit);
    EXPECT_EQ(totalLine(scoreOf(judged)), "Total: 2 of 3 notes hit (66.7%)");
    EXPECT_EQ(faultsText(scoreOf(judged)), "1 missed");
    EXPECT_EQ(totalLine(scoreOf({})), "Total: 0 of 0 notes hit (0.0%)");
    // The input's latency comes off what it heard; a wrong note in time is wrong.
    const auto late = judgeTake({noteAt(1, 0, a), noteAt(2, 1000, a)},
                                {heardA(150), {1150, pluckOf({kA + 1})}}, {60, 500, 150});
    EXPECT_EQ(test::join(late[0].offsetMs, faultsText(scoreOf(late))), "0|1 wrong|");
}

TEST(TakeStart, ATakeIsTimedFromItsFirstNotesWhateverCameBefore) {
    const PitchClassSet a = classesOf({57});
    const PitchClassSet e = classesOf({64});
    const std::vector<ExpectedNote> notes = {noteAt(1, 0, a), noteAt(2, 500, e), noteAt(3, 1000, a),
                                             noteAt(4, 1500, e)};
    const JudgeWindows windows{60, 500, 0};
    auto played = [](long delay, bool first) {
        HeardTake take;
        for (int i = first ? 0 : 1; i < 4; ++i)
            take.push_back({delay + 500 * i, pluckOf({i % 2 == 0 ? kA : kE})});
        return take;
    };
    struct Case {
        HeardTake take;
        long start;
        int hits;
    };
    const HeardOnset noise{300, pluckOf({(kA + 3) % 12})};
    HeardTake noisy = played(1700, true);
    noisy.insert(noisy.begin(), noise);
    // In time; after silence; after silence with the first note missed; after a noise; begun
    // after the first note.
    for (const Case& c : {Case{played(0, true), 0, 4}, Case{played(1700, true), 1700, 4},
                          Case{played(1700, false), 1700, 3}, Case{noisy, 1700, 4},
                          Case{played(-500, false), -500, 3}}) {
        const long start = takeStartMs(notes, c.take, windows);
        EXPECT_EQ(start, c.start);
        const PassScore score = scoreOf(judgeTake(notes, takeFrom(c.take, start), windows));
        EXPECT_EQ(score.count(Verdict::Hit), c.hits) << c.start;
    }
    // Strikes that sound none of the first notes give no start but the take's own.
    HeardTake sharp = played(1700, true);
    for (HeardOnset& onset : sharp)
        onset.rise = pluckOf({kA + 1});
    EXPECT_EQ(takeStartMs(notes, sharp, windows), 0);
    EXPECT_EQ(takeStartMs(notes, {}, windows), 0);
}

PerformanceEvent message(long tick, int note, unsigned status, int pitch, int velocity) {
    PerformanceEvent e;
    e.tick = tick;
    e.timeMs = tick * 30;
    e.note = static_cast<i16>(note);
    e.message = status | unsigned(pitch) << 8 | unsigned(velocity) << 16;
    return e;
}

TEST(ExpectedNotes, EachNoteThatStrikesAStringWithItsPitchesAndNothingElse) {
    Performance play;
    play.events = {
        message(0, 0, 0xC0, 24, 0),                                  // the sound's program: no note
        message(0, 1, 0x90, 45, 100),                                // note 1 strikes A2 and E3
        message(0, 1, 0x90, 52, 100),  message(16, 2, 0x80, 45, 0),  // note 2 only lets a string go
        message(16, 2, 0x90, 52, 0),    // a note-on without velocity is a note-off
        message(16, 2, 0x99, 42, 100),  // the drums' channel is not the guitar
        message(32, 3, 0x90, 57, 100),  // note 3 strikes A3
        message(48, 3, 0x90, 57, 100),  // the same note in a later pass is expected again
    };
    const std::vector<ExpectedNote> notes = expectedNotes(play);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].note, 1);
    EXPECT_EQ(notes[0].classes, classesOf({45, 52}));
    EXPECT_EQ(test::join(notes[1].note, notes[1].ms, notes[2].note, notes[2].ms), "3|960|3|1440|");
}

TEST(MidiStrums, TheNotesOfAStrumAreOneChordGivenOnceTheStrumIsOver) {
    MidiStrums strums;
    HeardOnset strike;
    strums.noteOn(45, 1000);  // A2, E3, A3, C#4 strummed 10 ms a string
    strums.noteOn(52, 1010);
    strums.noteOn(57, 1020);
    strums.noteOn(61, 1039);  // the last still in the strum
    strums.noteOn(64, 1040);  // the first of the next
    EXPECT_FALSE(strums.take(1039, strike));
    ASSERT_TRUE(strums.take(1040, strike));
    EXPECT_EQ(strike.ms, 1000);
    EXPECT_TRUE(soundsClasses(strike.rise, classesOf({45, 52, 61})));
    EXPECT_FALSE(strums.take(1079, strike));
    ASSERT_TRUE(strums.take(1080, strike));
    EXPECT_TRUE(soundsClasses(strike.rise, classesOf({64})));
}

}  // namespace
}  // namespace lutavo
