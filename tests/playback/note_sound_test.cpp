// SPDX-License-Identifier: GPL-3.0-or-later
// The short messages sent when the note at curNote is presented.

#include "app/song_tables.h"
#include "playback/performer.h"
#include "playback_fixture.h"

namespace lutavo::test {
namespace {

using msg::bendCentre;
using msg::noteOff;
using msg::noteOn;

constexpr std::array<int, 6> kNone = {-1, -1, -1, -1, -1, -1};

class ShownoteMidi : public PlaybackTest {
  protected:
    Msgs present(int n, int mode = 1) {
        rig.midi.sent.clear();
        g.transport.curNote = static_cast<i16>(n);
        presentNote(g, mode);
        return rig.midi.messages();
    }
    // Sends the song's notes in turn; returns what the last one sent.
    Msgs presentAll(const std::vector<NoteSpec>& song, int lastMode = 1) {
        buildSong(g, song);
        for (int n = 1; n < g.song.noteCount; ++n)
            present(n);
        return present(g.song.noteCount, lastMode);
    }
    // The bend centred, then the note-offs of the six strings (0 for a string not sounding).
    static Msgs centredAndOff(std::initializer_list<int> notes) {
        Msgs out{bendCentre(0)};
        for (int n : notes)
            out.push_back(noteOff(0, n));
        while (out.size() < 7)
            out.push_back(noteOff(0, 0));
        return out;
    }
    static Msgs plus(Msgs a, const Msgs& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
};

TEST_F(ShownoteMidi, EveryStepEndsEveryOldNoteBeforeStartingTheNewOnes) {
    EXPECT_EQ(presentAll({{16, kNone}}), centredAndOff({}));
    EXPECT_EQ(presentAll({{16, {0, 2, -1, -1, -1, -1}}}),
              plus(centredAndOff({}), {noteOn(0, 40, 120), noteOn(0, 47, 120)}));
    EXPECT_EQ(presentAll({{16, {0, 2, -1, -1, -1, -1}}, {16, {3, -1, -1, -1, -1, 0}}}),
              plus(centredAndOff({40, 47}), {noteOn(0, 43, 120), noteOn(0, 64, 120)}));
}

TEST_F(ShownoteMidi, HeldStringSendsNeitherNoteOffNorNoteOn) {
    const Msgs sent = presentAll({{16, {5, -1, -1, -1, -1, -1}}, {16, {29, 2, -1, -1, -1, -1}}});
    // Centre, note-offs for the five other strings (none sounding), the new note-on.
    EXPECT_EQ(sent, (Msgs{bendCentre(0), noteOff(0, 0), noteOff(0, 0), noteOff(0, 0), noteOff(0, 0),
                          noteOff(0, 0), noteOn(0, 47, 120)}));
}

TEST_F(ShownoteMidi, BendKeepsTheNoteAndBendsUpUntilTheNextStepCentresIt) {
    const std::vector<NoteSpec> song = {{16, {5, -1, -1, -1, -1, -1}},
                                        {16, {-3, -1, -1, -1, -1, -1}}};
    EXPECT_EQ(presentAll(song), (Msgs{bendCentre(0), msg::bendUp(0), noteOff(0, 0), noteOff(0, 0),
                                      noteOff(0, 0), noteOff(0, 0), noteOff(0, 0)}));
    const auto after = presentAll({song[0], song[1], {16, kNone}});
    EXPECT_EQ((Msgs{after[0], after[1]}), (Msgs{bendCentre(0), noteOff(0, 45)}));
}

TEST_F(ShownoteMidi, MutedStringClicksTwoOctavesAboveTheOpenPitchWithoutOctaveShift) {
    setStandardSound(g, 5);
    applysound(g);
    const NoteSpec muted = {16, {-1, -4, -1, -1, -1, -1}};
    EXPECT_EQ(presentAll({muted}), plus(centredAndOff({}), {noteOn(0, 29, 120), noteOff(0, 29)}));
    // The damped note is remembered for the next step's note-off too.
    EXPECT_EQ(presentAll({muted, {16, kNone}})[2], noteOff(0, 29));
}

TEST_F(ShownoteMidi, OctaveVolumeChannelTuningAndTheMidiRangeShapeTheNoteOn) {
    const NoteSpec lowE = {16, {0, -1, -1, -1, -1, -1}};
    EXPECT_EQ(presentAll({lowE}).back(), noteOn(0, 40, 120));
    setStandardSound(g, 4, 7);
    g.config.soundChannel[0] = 10;
    applysound(g);
    const auto sent = present(1);
    EXPECT_EQ((Msgs{sent.front(), sent.back()}), (Msgs{bendCentre(9), noteOn(9, 52, 84)}));

    // Notes beyond the MIDI range are clamped, not spilled into the velocity.
    setStandardSound(g, 10);
    applysound(g);
    EXPECT_EQ(presentAll({{16, {-1, -1, -1, -1, -1, 23}}}).back(), noteOn(0, 127, 120));

    setStandardSound(g);
    applysound(g);
    g.song.altTuning[1] = -2;
    buildpitchtable(g);
    EXPECT_EQ(presentAll({lowE}).back(), noteOn(0, 38, 120));
}

}  // namespace
}  // namespace lutavo::test
