// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The short messages the program sends, spelled out for assertions.

#include <cstdint>
#include <vector>

#include "platform/midi_out.h"

namespace lutavo::test::msg {

inline std::uint32_t noteOn(int ch, int note, int velocity) {
    return packMidi(0x90 + ch, note, velocity);
}
inline std::uint32_t noteOff(int ch, int note) {
    return packMidi(0x80 + ch, note, 0);
}
inline std::uint32_t bendCentre(int ch) {
    return packMidi(0xE0 + ch, 0, 0x40);
}
inline std::uint32_t bendUp(int ch) {
    return packMidi(0xE0 + ch, 0, 0x64);
}
inline std::uint32_t program(int ch, int patch) {
    return packMidi(0xC0 + ch, patch, 0);
}

// Messages with status 0x90..0x9F and a non-zero velocity.
inline std::vector<std::uint32_t> noteOns(const std::vector<std::uint32_t>& all) {
    std::vector<std::uint32_t> out;
    for (auto m : all) {
        if ((m & 0xF0) == 0x90 && ((m >> 16) & 0x7F) != 0) out.push_back(m);
    }
    return out;
}

inline int noteOf(std::uint32_t m) {
    return static_cast<int>((m >> 8) & 0x7F);
}

}  // namespace lutavo::test::msg
