// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuning/tuning_names.h"

#include <array>

namespace lutavo {

namespace {

struct NamedTuning {
    std::array<int, 6> offsets;
    std::string_view name;
};

constexpr std::array<NamedTuning, 3> kNamedTunings = {{
    {{0, 0, 0, 0, 0, 0}, "Standard"},
    {{-2, 0, 0, 0, 0, 0}, "Dropped D"},
    {{-2, 0, 0, 0, 0, -2}, "Double Drop D"},
}};

bool sameOffsets(const FixedArray<i16, 1, 6>& altTuning, const std::array<int, 6>& offsets) {
    for (int s = 1; s <= 6; ++s) {
        if (altTuning[s] != offsets[static_cast<std::size_t>(s - 1)]) return false;
    }
    return true;
}

}  // namespace

std::string_view knownTuningName(const FixedArray<i16, 1, 6>& altTuning) {
    for (const NamedTuning& t : kNamedTunings) {
        if (sameOffsets(altTuning, t.offsets)) return t.name;
    }
    return {};
}

}  // namespace lutavo
