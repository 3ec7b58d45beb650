// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/rtmidi/midi_input.h"

#include <RtMidi.h>

#include <chrono>

namespace lutavo {

namespace {

long steadyMs() {
    using namespace std::chrono;
    return static_cast<long>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void ignoreInputError(RtMidiError::Type, const std::string&, void*) {}

}  // namespace

MidiInput::MidiInput() = default;

MidiInput::~MidiInput() {
    close();
}

bool MidiInput::open() {
    if (!ports_.empty() || unavailable_) return !ports_.empty();
    try {
        RtMidiIn probe(RtMidi::LINUX_ALSA, "Lutavo");
        const unsigned count = probe.getPortCount();
        for (unsigned i = 0; i < count; ++i) {
            if (probe.getPortName(i).find("Midi Through") != std::string::npos) continue;
            auto port = std::make_unique<Port>();
            port->in = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, "Lutavo");
            port->in->setErrorCallback(ignoreInputError, nullptr);
            port->in->setCallback(onMessage, port.get());
            port->in->openPort(i, "Lutavo listening");
            ports_.push_back(std::move(port));
        }
    } catch (const RtMidiError& error) {
        // No sequencer (not asked again: the library says so on every try), or a port gone
        // between counting and opening: the inputs open so far.
        unavailable_ = error.getType() == RtMidiError::DRIVER_ERROR;
    }
    return !ports_.empty();
}

void MidiInput::close() {
    for (auto& port : ports_)
        port->in->closePort();
    ports_.clear();
}

void MidiInput::onMessage(double, std::vector<unsigned char>* message, void* port) {
    const auto& m = *message;
    const bool noteOn = m.size() == 3 && (m[0] & 0xF0) == 0x90 && m[2] > 0;
    if (noteOn) static_cast<Port*>(port)->notes.push({m[1], steadyMs()});
}

bool MidiInput::takeStrike(HeardOnset& strike) {
    for (auto& port : ports_) {
        for (const NoteOn* n = port->notes.front(); n != nullptr; n = port->notes.front()) {
            strums_.noteOn(n->pitch, n->ms);
            port->notes.pop();
        }
    }
    return strums_.take(steadyMs(), strike);
}

}  // namespace lutavo
