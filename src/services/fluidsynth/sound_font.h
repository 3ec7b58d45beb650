// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the built-in synthesizer finds its General MIDI sound font.

#include <string>

namespace lutavo {

// $LUTAVO_SOUNDFONT when set, else the first General MIDI font of the system's usual places
// that exists; "" when there is none.
std::string findSoundFont();

// Keeps the sound libraries' own complaints (no sound card, no sequencer) off standard error:
// the program says what it has to say once, in its own words.
void quietSoundLibraries();

}  // namespace lutavo
