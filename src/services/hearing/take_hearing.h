// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hearing a recorded take: where notes are struck (an onset detector) and which pitch classes
// each strike brought (the rise of the spectrum's peaks across the onset).

#include <string>
#include <vector>

#include "platform/heard.h"

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

}  // namespace lutavo
