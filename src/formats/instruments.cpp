// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/instruments.h"

#include <array>

namespace lutavo {

std::string instrumentName(int program, bool drums) {
    static constexpr std::array<const char*, 16> kFamilies = {
        "Piano",         "Chromatic percussion",
        "Organ",         "Guitar",
        "Bass",          "Strings",
        "Ensemble",      "Brass",
        "Reed",          "Pipe",
        "Synth lead",    "Synth pad",
        "Synth effects", "Ethnic",
        "Percussive",    "Sound effects"};
    static constexpr std::array<const char*, 8> kGuitars = {
        "Nylon guitar", "Steel guitar",      "Jazz guitar",       "Clean electric guitar",
        "Muted guitar", "Overdriven guitar", "Distortion guitar", "Guitar harmonics"};
    if (drums) return "Drums";
    if (program < 0 || program > 127) return "";
    if (program / 8 == 3) return kGuitars[static_cast<std::size_t>(program % 8)];
    return kFamilies[static_cast<std::size_t>(program / 8)];
}

}  // namespace lutavo
