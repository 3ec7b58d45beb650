#pragma once
// The pitch table and the tuner's state.

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

struct TuningState {};

}  // namespace lutavo
