#pragma once

namespace lutavo {

struct Guitar;

// Presents the note at curNote: page turn and pointers, neck and keyboard markers, MIDI.
// mode 1 sounds the note, 0 shows it only.
void shownote(Guitar& g, int mode);

}  // namespace lutavo
