// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's MIDI output: device -1 ("Midi Mapper") is the built-in synthesizer of the audio
// stream, devices 0..n-1 are the machine's MIDI output ports. One device is open at a time. A
// device that cannot sound (no sound font, no audio output, no sequencer) leaves the program
// silent; the synthesizer's trouble is told once on the log stream, ports that are missing are
// simply not listed.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/midi_out.h"
#include "services/rtmidi/midi_ports.h"

namespace lutavo {

class AudioOutput;

inline constexpr int kMidiMapper = -1;
inline constexpr const char* kMidiMapperName = "Midi Mapper";

class MidiRouter : public MidiOut {
  public:
    // log: where the one line about a silent synthesizer goes.
    MidiRouter(AudioOutput& audio, std::ostream& log);
    ~MidiRouter() override;

    int deviceCount() override;
    // The port's name, at most 32 characters; "Midi Mapper" for -1; "" for no such device.
    std::string deviceName(int id) override;
    bool open(int id) override;
    void shortMessage(std::uint32_t message) override;
    void close() override;
    bool synthesizerLive() override;
    void cancelScheduled() override;
    long heardDelayMs() override;

  private:
    enum class Opened { Nothing, Synth, Port };

    void sendToSynth(std::uint32_t message);
    void tellSynthTrouble();

    AudioOutput& audio_;
    std::ostream& log_;
    // Messages for the synthesizer while its sound font is still loading.
    std::vector<std::uint32_t> waiting_;
    bool synthTroubleTold_ = false;
    MidiPorts ports_;
    Opened opened_ = Opened::Nothing;
};

}  // namespace lutavo
