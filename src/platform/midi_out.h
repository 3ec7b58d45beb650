// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MIDI output device. Device -1 is the built-in synthesizer ("Midi Mapper"); 0..n-1 are
// the machine's MIDI output ports.

#include <cstdint>
#include <string>

namespace lutavo {

class MidiOut {
  public:
    virtual ~MidiOut() = default;
    virtual int deviceCount() = 0;
    virtual std::string deviceName(int id) = 0;
    // Opens device id (-1 for the built-in synthesizer); false when it cannot be opened.
    virtual bool open(int id) = 0;
    // Sends one short message packed as status | data1 << 8 | data2 << 16. Silent when closed.
    virtual void shortMessage(std::uint32_t message) = 0;
    virtual void close() = 0;
    // Drops the notes and clicks that playback has asked for and that have not started to sound
    // yet (they are played a moment after their tick); what stops a note still goes out.
    virtual void cancelScheduled() {}
    // Whether the built-in synthesizer can sound at all (it cannot without a sound font or an
    // audio output).
    virtual bool synthesizerLive() { return true; }
    // How long after its playback tick a note is heard: the built-in synthesizer keeps every
    // tick's time a fixed delay later; a port plays at once.
    virtual long heardDelayMs() { return 0; }
};

inline std::uint32_t packMidi(int status, int data1, int data2) {
    return static_cast<std::uint32_t>(status & 0xFF) |
           (static_cast<std::uint32_t>(data1 & 0x7F) << 8) |
           (static_cast<std::uint32_t>(data2 & 0x7F) << 16);
}

}  // namespace lutavo
