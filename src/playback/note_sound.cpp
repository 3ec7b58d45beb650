// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/note_sound.h"

#include "platform/midi_message.h"
#include "platform/midi_out.h"
#include "playback/performance.h"
#include "song/fret_codes.h"

namespace lutavo {

namespace {

constexpr int kBendCentreHigh = 0x40;
constexpr int kBendUpHigh = 0x64;
// The second program change every opening of the device sends, whatever channel the sound uses.
constexpr std::uint32_t kFixedProgramChange = 0x73C2;
// A muted string clicks two octaves above the open string's pitch value, unshifted.
constexpr int kMutedRaise = 24;
// Sounded notes sit this far above the pitch value (the open low E of octave 3 is note 40).
constexpr int kNoteOffset = 4;

// A note number the device can take: the octave setting may push a pitch out of range.
int midiNote(int n) {
    return clampTo(n, 0, 127);
}

struct NoteWriter {
    const SoundSettings& sound;
    NoteMessages out;

    int channel() const { return clampTo(sound.channel, 0, 15); }
    void send(int status, int data1, int data2, int slot = 0) {
        out.items[static_cast<std::size_t>(out.count++)] = {
            packMidi(status + channel(), data1, data2), slot};
    }
    void noteOn(int note, int slot) { send(kNoteOn, note, clampTo(sound.velocity, 0, 127), slot); }
    void noteOff(int note, int slot) { send(kNoteOff, note, 0, slot); }
};

// The first pass for one string: a bend step bends the channel up and keeps the note, a held
// note keeps sounding, anything else ends the note sounding on the string.
void release(NoteWriter& w, const SoundingNotes& sounding, int slot, int fret) {
    if (fret == kBend) {
        w.send(kPitchBend, 0, kBendUpHigh);
    } else if (!isHeld(fret)) {
        w.noteOff(sounding[slot], slot);
    }
}

// The second pass for one string: a struck fret sounds its note, a muted string a short damped
// click; other codes sound nothing.
void strike(NoteWriter& w, const PitchTable& pitchOf, SoundingNotes& sounding, int slot, int fret) {
    if (isStruck(fret)) {
        sounding[slot] = midiNote(pitchOf(slot, fret) + w.sound.shift + kNoteOffset);
        w.noteOn(sounding[slot], slot);
    } else if (fret == kMuted) {
        sounding[slot] = midiNote(pitchOf(slot, 0) + kMutedRaise);
        w.noteOn(sounding[slot], slot);
        w.noteOff(sounding[slot], slot);
    }
}

}  // namespace

NoteMessages noteMessages(const std::optional<StringFrets>& frets, const SoundSettings& sound,
                          const PitchTable& pitchOf, SoundingNotes& sounding, bool strikes) {
    NoteWriter w{sound, {}};
    w.send(kPitchBend, 0, kBendCentreHigh);
    if (!frets) return w.out;
    for (int s = 1; s <= kStrings; ++s)
        release(w, sounding, s, (*frets)[static_cast<std::size_t>(s - 1)]);
    if (!strikes) return w.out;
    for (int s = 1; s <= kStrings; ++s)
        strike(w, pitchOf, sounding, s, (*frets)[static_cast<std::size_t>(s - 1)]);
    return w.out;
}

NoteMessages releaseCarried(const std::optional<StringFrets>& frets, const SoundSettings& sound,
                            SoundingNotes& sounding) {
    NoteWriter w{sound, {}};
    if (!frets) return w.out;
    for (int s = 1; s <= kStrings; ++s) {
        const int fret = (*frets)[static_cast<std::size_t>(s - 1)];
        if ((isHeld(fret) || fret == kBend) && sounding[s] != 0) {
            w.noteOff(sounding[s], s);
            sounding[s] = 0;
        }
    }
    return w.out;
}

std::optional<StringFrets> fretsAt(const SongModel& song, int n) {
    // Only note slots carry fret codes.
    if (!decltype(song.noteX)::contains(n)) return std::nullopt;
    StringFrets frets;
    for (int s = 1; s <= kStrings; ++s)
        frets[static_cast<std::size_t>(s - 1)] = song.noteFret(n, s);
    return frets;
}

std::vector<std::uint32_t> programChanges(const SoundSettings& sound) {
    const int channel = clampTo(sound.channel, 0, 15);
    return {packMidi(kProgramChange + channel, clampTo(sound.program, 0, 127), 0),
            kFixedProgramChange};
}

}  // namespace lutavo
