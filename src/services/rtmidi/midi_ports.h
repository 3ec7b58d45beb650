// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine's MIDI output ports (the ALSA sequencer) through RtMidi. A machine without a
// sequencer simply has no ports.

#include <cstdint>
#include <memory>
#include <string>

class RtMidiOut;

namespace lutavo {

// Device names are cut to the length the setup window's list shows.
inline constexpr std::size_t kMaxDeviceNameLength = 32;

class MidiPorts {
  public:
    MidiPorts();
    ~MidiPorts();
    MidiPorts(const MidiPorts&) = delete;
    MidiPorts& operator=(const MidiPorts&) = delete;

    int count();
    std::string name(int port);
    bool open(int port);
    void send(std::uint32_t message);
    void close();

  private:
    RtMidiOut* client();

    std::unique_ptr<RtMidiOut> out_;
    bool unavailable_ = false;  // the sequencer could not be reached; not asked again
};

}  // namespace lutavo
