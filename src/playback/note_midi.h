#pragma once
// The MIDI messages of one presented note, string by string. shownote calls these in its own
// order: the bend centre first, then every string's release, then every string's strike.

#include <cstdint>

namespace lutavo {

struct Guitar;

// Sends one short message to the open device; silent without one.
void sendMidi(Guitar& g, std::uint32_t message);

// Returns the channel's pitch bend to the centre.
void sendBendCentre(Guitar& g);

// The first pass for one string: a bend step bends the channel up and keeps the note, a held
// note keeps sounding, anything else ends the note sounding on the string.
void releaseString(Guitar& g, int slot, int fret);

// The second pass for one string: a struck fret sounds its note, a muted string gives a short
// damped click; other codes sound nothing.
void strikeString(Guitar& g, int slot, int fret);

// The pitch of a string slot at a fret 0..24, in semitones above the open low E of standard
// tuning.
int pitchAt(const Guitar& g, int slot, int fret);

}  // namespace lutavo
