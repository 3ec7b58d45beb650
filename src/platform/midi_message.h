// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Status bytes of the short messages the program sends and the synthesizer takes, with the
// channel in their low four bits, and the controllers that end a channel's notes.

namespace lutavo {

inline constexpr int kNoteOff = 0x80;
inline constexpr int kNoteOn = 0x90;
inline constexpr int kKeyPressure = 0xA0;
inline constexpr int kControlChange = 0xB0;
inline constexpr int kProgramChange = 0xC0;
inline constexpr int kChannelPressure = 0xD0;
inline constexpr int kPitchBend = 0xE0;
inline constexpr int kSystemReset = 0xFF;
// Controllers that end every note of a channel.
inline constexpr int kAllSoundOff = 120;
inline constexpr int kAllNotesOff = 123;

}  // namespace lutavo
