// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hearing a recorded take: where notes are struck (an onset detector) and which pitch classes
// each strike brought (the rise of the spectrum's peaks across the onset).

#include <string>
#include <vector>

#include "listen/heard.h"

namespace lutavo {

struct TakeAudio {
    std::vector<float> mono;
    int rate = 0;
    std::string problem;  // why the file could not be read; empty when it was
};

// The file's sound mixed down to one channel at its own rate.
TakeAudio readTakeAudio(const std::string& path);

// Every strike heard in the samples, in time order.
HeardTake hearTake(const std::vector<float>& mono, int rate);

// The pitch classes of the spectrum's peaks (interpolated between bins, so a low string's
// overtones land on their own semitone) in the samples from start, as many as the analysis
// window holds; a window running past the end is padded with silence.
Chroma chromaAt(const std::vector<float>& mono, int rate, long start);

}  // namespace lutavo
