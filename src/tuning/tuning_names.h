// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

// The name of a tuning a guitarist knows by name, from the strings' offsets (slot 1, the lowest
// string, first): "Standard", "Dropped D" or "Double Drop D"; empty for any other tuning, which
// only its six note names describe. Offsets decide, so the names' spelling in the song's key
// does not.
std::string_view knownTuningName(const FixedArray<i16, 1, 6>& altTuning);

}  // namespace lutavo
