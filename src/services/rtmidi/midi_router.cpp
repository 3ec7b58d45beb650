// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/rtmidi/midi_router.h"

#include <iostream>

#include "services/fluidsynth/audio_output.h"
#include "services/fluidsynth/short_message.h"

namespace lutavo {

MidiRouter::MidiRouter(AudioOutput& audio, std::ostream& log) : audio_(audio), log_(log) {}

MidiRouter::~MidiRouter() {
    close();
}

int MidiRouter::deviceCount() {
    return ports_.count();
}

std::string MidiRouter::deviceName(int id) {
    if (id == kMidiMapper) return kMidiMapperName;
    return ports_.name(id);
}

bool MidiRouter::open(int id) {
    close();
    if (id == kMidiMapper) {
        if (audio_.settled() && !audio_.synthLive()) {
            tellSynthTrouble();
            return false;
        }
        opened_ = Opened::Synth;
        audio_.scheduleTicks(true);
        return true;
    }
    if (!ports_.open(id)) return false;
    // A port plays each message as it comes: the stream's clicks go at once to keep up with it.
    audio_.scheduleTicks(false);
    opened_ = Opened::Port;
    return true;
}

void MidiRouter::shortMessage(std::uint32_t message) {
    switch (opened_) {
        case Opened::Synth:
            sendToSynth(message);
            break;
        case Opened::Port:
            ports_.send(message);
            break;
        case Opened::Nothing:
            break;
    }
}

void MidiRouter::cancelScheduled() {
    audio_.cancelScheduled();
}

long MidiRouter::heardDelayMs() {
    return opened_ == Opened::Synth ? audio_.heardDelayMs() : 0;
}

bool MidiRouter::synthesizerLive() {
    // Asked by the setup window when no port exists: worth waiting for the sound font.
    audio_.waitSettled();
    return audio_.synthLive();
}

void MidiRouter::close() {
    // Notes still sounding stop with their device, as when a device is unplugged.
    if (opened_ == Opened::Synth && audio_.settled()) audio_.resetSynth();
    waiting_.clear();
    if (opened_ == Opened::Port) ports_.close();
    opened_ = Opened::Nothing;
}

void MidiRouter::sendToSynth(std::uint32_t message) {
    waiting_.push_back(message);
    // The set-up messages of an open wait for the sound font; a note waits for it to load.
    if (!audio_.settled()) {
        if (decodeShortMessage(message).kind() != kNoteOn) return;
        audio_.waitSettled();
    }
    if (audio_.synthLive()) {
        for (std::uint32_t m : waiting_)
            audio_.send(m);
    } else {
        tellSynthTrouble();
    }
    waiting_.clear();
}

void MidiRouter::tellSynthTrouble() {
    if (!synthTroubleTold_) log_ << "lutavo: " << audio_.problem() << "; playing silently\n";
    synthTroubleTold_ = true;
}

}  // namespace lutavo
