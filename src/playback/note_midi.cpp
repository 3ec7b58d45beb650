#include "playback/note_midi.h"

#include "core/guitar.h"
#include "platform/midi_out.h"
#include "song/fret_codes.h"
#include "song/song_model.h"

namespace lutavo {

namespace {

constexpr int kNoteOff = 0x80;
constexpr int kNoteOn = 0x90;
constexpr int kPitchBend = 0xE0;
constexpr int kBendCentreHigh = 0x40;
constexpr int kBendUpHigh = 0x64;
// A muted string clicks two octaves above the open string's pitch value, unshifted.
constexpr int kMutedRaise = 24;
// Sounded notes sit this far above the pitch value (the open low E of octave 3 is note 40).
constexpr int kNoteOffset = 4;

int channel(const Guitar& g) {
    return clampTo(g.playback.curChannel, 0, 15);
}

int velocity(const Guitar& g) {
    return g.playback.channelVelocity[channel(g)] >> 16;
}

// A note number the device can take: the octave setting may push a pitch out of range.
int midiNote(int n) {
    return clampTo(n, 0, 127);
}

// Sounds note on the string and remembers it for the string's note-off.
int startNote(Guitar& g, int slot, int note) {
    g.playback.soundingNote[slot] = note << 8;
    sendMidi(g, packMidi(kNoteOn + channel(g), note, velocity(g)));
    return note;
}

}  // namespace

void sendMidi(Guitar& g, std::uint32_t message) {
    if (g.sys.midi != nullptr) g.sys.midi->shortMessage(message);
}

void sendBendCentre(Guitar& g) {
    sendMidi(g, packMidi(kPitchBend + channel(g), 0, kBendCentreHigh));
}

void releaseString(Guitar& g, int slot, int fret) {
    if (fret == kBend) {
        sendMidi(g, packMidi(kPitchBend + channel(g), 0, kBendUpHigh));
    } else if (!isHeld(fret)) {
        sendMidi(g, packMidi(kNoteOff + channel(g), g.playback.soundingNote[slot] >> 8, 0));
    }
}

void strikeString(Guitar& g, int slot, int fret) {
    if (isStruck(fret)) {
        const int shift = g.playback.channelShift[channel(g)];
        startNote(g, slot, midiNote(pitchAt(g, slot, fret) + shift + kNoteOffset));
    } else if (fret == kMuted) {
        const int note = startNote(g, slot, midiNote(pitchAt(g, slot, 0) + kMutedRaise));
        sendMidi(g, packMidi(kNoteOff + channel(g), note, 0));
    }
}

int pitchAt(const Guitar& g, int slot, int fret) {
    return g.tuning.pitchOf(slot, fret);
}

}  // namespace lutavo
