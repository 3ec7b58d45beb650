#pragma once
// The configuration values: the four sounds, the MIDI device and the preferences.

#include <string>

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

struct ConfigState {
    i16 leftHanded = 0;
    i16 preferredSound = 0;
    i16 defaultLeadIn = 0;
    i16 showFretNoteNames = 1;
    i16 adjustTiming = 3;
    i16 playIntroClips = 1;  // "playwav=": play clips after loading
};

}  // namespace lutavo
