// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A packed short message (status | data1 << 8 | data2 << 16) taken apart.

#include <cstdint>

#include "platform/midi_message.h"

namespace lutavo {

struct ShortMessage {
    int status = 0;   // the whole status byte, 0x80..0xFF; 0 when the value holds no message
    int channel = 0;  // 0..15 for channel messages
    int data1 = 0;
    int data2 = 0;
    int length = 0;  // bytes on the wire: 1, 2 or 3; 0 for no message

    constexpr int kind() const { return status < 0xF0 ? status & 0xF0 : status; }
};

// Bytes on the wire for a status byte; 0 for the ones a short message cannot carry
// (system exclusive and its end) and for values below 0x80.
constexpr int shortMessageLength(int status) {
    if (status < 0x80 || status == 0xF0 || status == 0xF7) return 0;
    if (status < 0xF0) {
        const int kind = status & 0xF0;
        return kind == kProgramChange || kind == kChannelPressure ? 2 : 3;
    }
    if (status == 0xF1 || status == 0xF3) return 2;
    if (status == 0xF2) return 3;
    return 1;
}

constexpr ShortMessage decodeShortMessage(std::uint32_t packed) {
    ShortMessage m;
    const int status = static_cast<int>(packed & 0xFF);
    m.length = shortMessageLength(status);
    if (m.length == 0) return m;
    m.status = status;
    m.channel = status & 0x0F;
    // Data bytes are 7-bit: a stray high bit must not reach a device as a status byte.
    m.data1 = m.length >= 2 ? static_cast<int>((packed >> 8) & 0x7F) : 0;
    m.data2 = m.length >= 3 ? static_cast<int>((packed >> 16) & 0x7F) : 0;
    return m;
}

}  // namespace lutavo
