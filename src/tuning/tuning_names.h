#pragma once

#include <string_view>

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

// The name of a tuning a guitarist knows by name, from the strings' offsets (slot 1, the lowest
// string, first): "Standard", "Dropped D" or "Double Drop D"; empty for any other tuning, which
// only its six note names describe. Offsets, not note names, decide: a low string raised to the
// D above is not dropped D.
std::string_view knownTuningName(const FixedArray<i16, 1, 6>& altTuning);

}  // namespace lutavo
