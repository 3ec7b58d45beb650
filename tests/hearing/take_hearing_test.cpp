// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/take_hearing.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "hearing/tones.h"
#include "listen/expected_notes.h"
#include "listen/take_judge.h"

namespace lutavo {
namespace {

struct Chord {
    const char* name;
    std::vector<int> pitches;  // MIDI notes, lowest string first
};

// The open chords of the lessons, as a guitar in standard tuning sounds them.
const std::vector<Chord> kOpenChords = {
    {"E", {40, 47, 52, 56, 59, 64}}, {"Em", {40, 47, 52, 55, 59, 64}}, {"A", {45, 52, 57, 61, 64}},
    {"Am", {45, 52, 57, 60, 64}},    {"D", {50, 57, 62, 66}},          {"Dm", {50, 57, 62, 65}},
    {"G", {43, 47, 50, 55, 59, 67}}, {"C", {48, 52, 55, 60, 64}},
};

PitchClassSet classesOf(const std::vector<int>& pitches, int shift = 0) {
    PitchClassSet set = 0;
    for (int p : pitches)
        set |= static_cast<PitchClassSet>(1u << ((p + shift) % 12));
    return set;
}

constexpr std::size_t kSpacing = test::kRate;  // a chord a second

// Every open chord strummed in turn, each over the last one still ringing.
std::vector<float> strummed(const std::vector<Chord>& chords) {
    std::vector<float> sound((chords.size() + 1) * kSpacing);
    for (std::size_t c = 0; c < chords.size(); ++c) {
        std::size_t at = (c + 1) * kSpacing - kSpacing / 2;
        for (int p : chords[c].pitches) {
            test::addPluck(sound, at, test::hzOf(p), 0.08f);
            at += test::kRate / 100;  // a strum: 10 ms a string
        }
    }
    return sound;
}

TEST(TakeHearing, EachOpenChordIsHeardWhereStruckWithItsPitchClassesAndNotItsNeighbours) {
    const HeardTake heard = hearTake(strummed(kOpenChords), test::kRate);
    ASSERT_EQ(heard.size(), kOpenChords.size());
    for (std::size_t c = 0; c < kOpenChords.size(); ++c) {
        const Chord& chord = kOpenChords[c];
        SCOPED_TRACE(chord.name);
        const long struckMs = long((c + 1) * kSpacing - kSpacing / 2) * 1000 / test::kRate;
        EXPECT_LE(std::labs(heard[c].ms - struckMs), 20);
        EXPECT_TRUE(soundsClasses(heard[c].rise, classesOf(chord.pitches)));
        EXPECT_FALSE(soundsClasses(heard[c].rise, classesOf(chord.pitches, 1)));
        EXPECT_FALSE(soundsClasses(heard[c].rise, classesOf(chord.pitches, 11)));
        // The list pairs each major chord with its minor: the third tells them apart.
        const Chord& other = kOpenChords[c ^ 1u];
        EXPECT_FALSE(soundsClasses(heard[c].rise, classesOf(other.pitches))) << other.name;
    }
}

TEST(TakeHearing, SilenceAnEmptyTakeOrAFileThatIsNotSoundHoldNoStrike) {
    EXPECT_TRUE(hearTake(std::vector<float>(test::kRate, 0.0f), test::kRate).empty());
    EXPECT_TRUE(hearTake({}, test::kRate).empty());
    EXPECT_TRUE(hearTake(test::sine(440, 0.5), 0).empty());
    const TakeAudio take = readTakeAudio(LUTAVO_TEST_SOURCE_DIR "/hearing/tones.h");
    EXPECT_TRUE(take.mono.empty() && take.problem.find("as sound") != std::string::npos);
}

}  // namespace
}  // namespace lutavo
