#pragma once
// State of the playback engine, the transport and the settings adjuster.

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

struct PlaybackState {
    i16 repeatSong = 0;
    i16 repeatStart = 1;
    // The settings adjuster: the setting shown and the slot of its pointer.
    i16 swapperMode = 5;
    i16 swapperPos = 9;
};

}  // namespace lutavo
