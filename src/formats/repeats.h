// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Repeats written out: the order in which a piece's bars are played.

#include <cstddef>
#include <vector>

#include "formats/score.h"

namespace lutavo {

struct PlayOrder {
    std::vector<int> bars;  // indices into the piece's bars, in playing order
    bool cut = false;       // the order reached limit and stops there
};

// Follows repeat signs and their numbered endings; at most limit bars.
PlayOrder playOrder(const std::vector<score::BarInfo>& bars, std::size_t limit);

}  // namespace lutavo
