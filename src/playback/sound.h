// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lutavo {

struct Guitar;
struct ConfigState;
struct SoundSettings;

// Carries out the pending sound request (reopen, re-read, test chord, save), then clears it.
void applysound(Guitar& g);

// The sound in use as a configuration sets it: channel, program, velocity and octave.
SoundSettings soundOf(const ConfigState& c);

// The sound menu's items and the repeat menu's items, created once; captions of the transport
// and output labels.
void setupPlaybackControls(Guitar& g);

// Sound menu choice i (0..3): checks the item and reopens the device with that sound.
void mnuSoundtype_Click(Guitar& g, int index);

// A song file's "style=": the same as the menu choice but the menu's check marks stay.
void selectSound(Guitar& g, int index);

}  // namespace lutavo
