// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the audio thread did at each block it filled, for whoever studies the stream's timing to
// read back while it plays: when the block was asked for, what the sound server said about when
// the stream's frames are heard, and where the stream's clock put the block. The audio thread
// only ever puts entries in; a full trace loses the newest.

#include <cstdint>

#include "services/fluidsynth/spsc_ring.h"

namespace lutavo {

struct StreamTraceEntry {
    std::int64_t filledAtNs = 0;  // steady clock, when the block was asked for
    std::int64_t frame = 0;       // its first frame
    int frames = 0;
    // The server's latest account, in the stream's frames and on the steady clock (frame -1
    // when it has given none yet); whether it is new since the last block.
    std::int64_t reportFrame = -1;
    std::int64_t reportHeardNs = 0;
    bool reportNew = false;
    // The server's running estimate of when the block's first frame is heard.
    std::int64_t estimateNs = 0;
    // When the clock's line says the block's first frame is heard, and the pace it has learned.
    double lineNs = 0;
    double pace = 1;
    long underruns = 0;
};

using StreamTrace = SpscRing<StreamTraceEntry, 8192>;

}  // namespace lutavo
