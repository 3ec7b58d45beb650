// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A MIDI device that records every message with the virtual time it was sent at.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/midi_out.h"

namespace lutavo::test {

struct SentMessage {
    std::uint32_t message;
    long timeMs;
};

class FakeMidiOut : public MidiOut {
  public:
    int deviceCount() override { return static_cast<int>(ports.size()); }
    std::string deviceName(int id) override {
        return id >= 0 && id < deviceCount() ? ports[static_cast<std::size_t>(id)] : "";
    }
    bool synthesizerLive() override { return synthLive; }
    bool open(int id) override {
        opened.push_back(id);
        return isOpen = true;
    }
    void shortMessage(std::uint32_t message) override {
        if (isOpen) sent.push_back({message, now});
    }
    void close() override {
        ++closes;
        isOpen = false;
    }
    void cancelScheduled() override { ++cancels; }

    // Just the messages, without times.
    std::vector<std::uint32_t> messages() const {
        std::vector<std::uint32_t> out;
        for (const auto& m : sent)
            out.push_back(m.message);
        return out;
    }

    std::vector<std::string> ports = {"Test port"};
    bool synthLive = true;
    bool isOpen = false;
    long now = 0;  // virtual clock, advanced by the test
    std::vector<int> opened;
    int closes = 0;
    int cancels = 0;
    std::vector<SentMessage> sent;
};

}  // namespace lutavo::test
