// The short messages shownote sends for the note at curNote.

#include <gtest/gtest.h>

#include "app/song_tables.h"
#include "fakes/midi_messages.h"
#include "fakes/playback_rig.h"
#include "playback/shownote.h"

namespace lutavo::test {
namespace {

using msg::bendCentre;
using msg::noteOff;
using msg::noteOn;

// Members are built in order: the rig must exist before playbackReady runs.
class ShownoteMidiFixture : public ::testing::Test {
  protected:
    Rig rig;
    Guitar& g = playbackReady(rig);

    std::vector<std::uint32_t> present(int n, int mode = 1) {
        rig.midi.sent.clear();
        g.song.curNote = static_cast<i16>(n);
        shownote(g, mode);
        return rig.midi.messages();
    }
};

TEST_F(ShownoteMidiFixture, AllSilentStepSendsBendCentreAndSixNoteOffsOnly) {
    buildSong(g, {{16, {-1, -1, -1, -1, -1, -1}}});
    EXPECT_EQ(present(1), (std::vector<std::uint32_t>{bendCentre(0), noteOff(0, 0), noteOff(0, 0),
                                                      noteOff(0, 0), noteOff(0, 0), noteOff(0, 0),
                                                      noteOff(0, 0)}));
}

TEST_F(ShownoteMidiFixture, ChordEndsEveryOldNoteBeforeStartingTheNewOnes) {
    buildSong(g, {{16, {0, 2, -1, -1, -1, -1}}, {16, {3, -1, -1, -1, -1, 0}}});
    EXPECT_EQ(present(1),
              (std::vector<std::uint32_t>{bendCentre(0), noteOff(0, 0), noteOff(0, 0),
                                          noteOff(0, 0), noteOff(0, 0), noteOff(0, 0),
                                          noteOff(0, 0), noteOn(0, 40, 120), noteOn(0, 47, 120)}));
    EXPECT_EQ(present(2),
              (std::vector<std::uint32_t>{bendCentre(0), noteOff(0, 40), noteOff(0, 47),
                                          noteOff(0, 0), noteOff(0, 0), noteOff(0, 0),
                                          noteOff(0, 0), noteOn(0, 43, 120), noteOn(0, 64, 120)}));
}

TEST_F(ShownoteMidiFixture, HeldStringSendsNeitherNoteOffNorNoteOn) {
    buildSong(g, {{16, {5, -1, -1, -1, -1, -1}}, {16, {29, 2, -1, -1, -1, -1}}});
    present(1);
    const auto sent = present(2);
    for (auto m : sent)
        EXPECT_NE(msg::noteOf(m), 45) << std::hex << m;
    EXPECT_EQ(sent.size(), 1u + 5u + 1u);  // centre, five note-offs, one note-on
    EXPECT_EQ(sent.back(), noteOn(0, 47, 120));
}

TEST_F(ShownoteMidiFixture, BendKeepsTheNoteAndBendsUpUntilTheNextStepCentresIt) {
    buildSong(g, {{16, {5, -1, -1, -1, -1, -1}},
                  {16, {-3, -1, -1, -1, -1, -1}},
                  {16, {-1, -1, -1, -1, -1, -1}}});
    present(1);
    const auto bent = present(2);
    ASSERT_EQ(bent.size(), 7u);
    EXPECT_EQ(bent[0], bendCentre(0));
    EXPECT_EQ(bent[1], msg::bendUp(0));
    EXPECT_EQ(msg::noteOns(bent).size(), 0u);
    for (std::size_t i = 2; i < bent.size(); ++i)
        EXPECT_NE(bent[i], noteOff(0, 45));
    const auto after = present(3);
    EXPECT_EQ(after[0], bendCentre(0));
    EXPECT_EQ(after[1], noteOff(0, 45));
}

TEST_F(ShownoteMidiFixture, MutedStringClicksTwoOctavesAboveTheOpenPitchWithoutOctaveShift) {
    setStandardSound(g, 5);
    applysound(g);
    buildSong(g, {{16, {-1, -4, -1, -1, -1, -1}}});
    const auto sent = present(1);
    ASSERT_EQ(sent.size(), 9u);
    EXPECT_EQ(sent[7], noteOn(0, 5 + 24, 120));
    EXPECT_EQ(sent[8], noteOff(0, 5 + 24));
    // The damped note is remembered for the next step's note-off too.
    buildSong(g, {{16, {-1, -4, -1, -1, -1, -1}}, {16, {-1, -1, -1, -1, -1, -1}}});
    present(1);
    EXPECT_EQ(present(2)[2], noteOff(0, 29));
}

TEST_F(ShownoteMidiFixture, ShowOnlyStillCentresTheBendAndEndsTheNotes) {
    buildSong(g, {{16, {0, -1, -1, -1, -1, -1}}, {16, {3, 27, -3, -1, -1, -1}}});
    present(1);
    const auto sent = present(2, 0);
    EXPECT_EQ(sent, (std::vector<std::uint32_t>{bendCentre(0), noteOff(0, 40), msg::bendUp(0),
                                                noteOff(0, 0), noteOff(0, 0), noteOff(0, 0)}));
}

TEST_F(ShownoteMidiFixture, OctaveVolumeAndChannelShapeTheNoteOn) {
    buildSong(g, {{16, {0, -1, -1, -1, -1, -1}}});
    EXPECT_EQ(present(1).back(), noteOn(0, 40, 120));
    setStandardSound(g, 4, 7);
    g.config.soundChannel[0] = 10;
    applysound(g);
    const auto sent = present(1);
    EXPECT_EQ(sent.front(), bendCentre(9));
    EXPECT_EQ(sent.back(), noteOn(9, 52, 84));
}

TEST_F(ShownoteMidiFixture, NotesBeyondTheMidiRangeAreClampedNotSpilledIntoTheVelocity) {
    setStandardSound(g, 10);
    applysound(g);
    buildSong(g, {{16, {-1, -1, -1, -1, -1, 23}}});
    EXPECT_EQ(present(1).back(), noteOn(0, 127, 120));
}

TEST_F(ShownoteMidiFixture, TuningChangesTheSoundedNote) {
    g.song.altTuning[1] = -2;
    buildpitchtable(g);
    buildSong(g, {{16, {0, -1, -1, -1, -1, -1}}});
    EXPECT_EQ(present(1).back(), noteOn(0, 38, 120));
}

}  // namespace
}  // namespace lutavo::test
