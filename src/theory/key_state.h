#pragma once
// Note names and staff positions for the song's key.

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

struct KeyState {};

}  // namespace lutavo
