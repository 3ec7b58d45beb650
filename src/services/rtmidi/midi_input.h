// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine's MIDI inputs (the ALSA sequencer's ports) through RtMidi: what a MIDI guitar or
// keyboard plays, as strikes. Each port's thread hands its note-ons over through a ring of its
// own; a machine without a sequencer simply has no inputs.

#include <memory>
#include <vector>

#include "listen/midi_strums.h"
#include "platform/heard.h"
#include "services/fluidsynth/spsc_ring.h"

class RtMidiIn;

namespace lutavo {

class MidiInput {
  public:
    MidiInput();
    ~MidiInput();
    MidiInput(const MidiInput&) = delete;
    MidiInput& operator=(const MidiInput&) = delete;

    // Opens every input port but the sequencer's own pass-through; false when there is none.
    bool open();
    void close();
    // The window thread: the oldest strum played and over.
    bool takeStrike(HeardOnset& strike);

  private:
    struct NoteOn {
        int pitch = 0;
        long ms = 0;
    };
    struct Port {
        std::unique_ptr<RtMidiIn> in;
        SpscRing<NoteOn, 256> notes;
    };
    static void onMessage(double, std::vector<unsigned char>* message, void* port);

    std::vector<std::unique_ptr<Port>> ports_;
    bool unavailable_ = false;  // the sequencer could not be reached
    MidiStrums strums_;
};

}  // namespace lutavo
