#pragma once

namespace lutavo {

struct Guitar;

// Reopens the MIDI device for the preferred sound.
void applysound(Guitar& g);

// Builds tempoBase and tempoInterval.
void buildPlaybackTables(Guitar& g);

}  // namespace lutavo
