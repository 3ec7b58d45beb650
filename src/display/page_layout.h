// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/numbers.h"

namespace lutavo {

struct SongModel;

// Assigns the x positions of the notes of `page` evenly along the line and returns the distance
// between two of its columns.
i16 layoutpage(SongModel& s, int page);

}  // namespace lutavo
