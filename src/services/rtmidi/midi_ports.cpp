// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/rtmidi/midi_ports.h"

#include <RtMidi.h>

#include <iostream>

#include "services/fluidsynth/short_message.h"
#include "services/fluidsynth/sound_font.h"

namespace lutavo {

namespace {

// Port errors after start-up (a port unplugged while in use) are reported by return values;
// RtMidi's own printing is not wanted.
void ignoreRtMidiError(RtMidiError::Type, const std::string&, void*) {}

// Sends standard error nowhere while it lives.
class QuietErrorStream {
  public:
    QuietErrorStream() : saved_(std::cerr.rdbuf(nullptr)) {}
    ~QuietErrorStream() {
        std::cerr.clear();
        std::cerr.rdbuf(saved_);
    }
    QuietErrorStream(const QuietErrorStream&) = delete;
    QuietErrorStream& operator=(const QuietErrorStream&) = delete;

  private:
    std::streambuf* saved_;
};

}  // namespace

MidiPorts::MidiPorts() = default;
MidiPorts::~MidiPorts() = default;

RtMidiOut* MidiPorts::client() {
    if (out_ != nullptr || unavailable_) return out_.get();
    quietSoundLibraries();
    try {
        // RtMidi prints a failure to start before it throws; the caller decides what to say.
        const QuietErrorStream quiet;
        out_ = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, "Lutavo");
        out_->setErrorCallback(ignoreRtMidiError, nullptr);
    } catch (const RtMidiError&) {
        out_.reset();
        unavailable_ = true;
    }
    return out_.get();
}

int MidiPorts::count() {
    RtMidiOut* out = client();
    if (out == nullptr) return 0;
    try {
        return static_cast<int>(out->getPortCount());
    } catch (const RtMidiError&) {
        return 0;
    }
}

std::string MidiPorts::name(int port) {
    RtMidiOut* out = client();
    if (out == nullptr || port < 0) return {};
    try {
        std::string text = out->getPortName(static_cast<unsigned int>(port));
        if (text.size() > kMaxDeviceNameLength) text.resize(kMaxDeviceNameLength);
        return text;
    } catch (const RtMidiError&) {
        return {};
    }
}

bool MidiPorts::open(int port) {
    close();
    RtMidiOut* out = client();
    if (out == nullptr || port < 0 || port >= count()) return false;
    try {
        out->openPort(static_cast<unsigned int>(port), "Lutavo out");
    } catch (const RtMidiError&) {
        return false;
    }
    return out->isPortOpen();
}

void MidiPorts::send(std::uint32_t message) {
    if (out_ == nullptr || !out_->isPortOpen()) return;
    const ShortMessage m = decodeShortMessage(message);
    if (m.length == 0) return;
    const unsigned char bytes[3] = {static_cast<unsigned char>(m.status),
                                    static_cast<unsigned char>(m.data1),
                                    static_cast<unsigned char>(m.data2)};
    try {
        out_->sendMessage(bytes, static_cast<std::size_t>(m.length));
    } catch (const RtMidiError&) {
        // A port that went away leaves the program silent, as a device that never opened.
    }
}

void MidiPorts::close() {
    if (out_ == nullptr) return;
    try {
        out_->closePort();
    } catch (const RtMidiError&) {
        // Closing a port that already went away has nothing left to undo.
    }
}

}  // namespace lutavo
