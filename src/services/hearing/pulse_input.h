// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An input through the sound server (the desktop's default, or the one chosen): a record stream
// of one channel whose blocks the server's thread hands straight to the ear. Nothing is allocated
// or locked for a block, and nothing is connected while nobody listens.

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio_input.h"
#include "services/hearing/input_ear.h"

struct pa_stream;

namespace lutavo {

class PulseConnection;

class PulseInput : public EarInput {
  public:
    PulseInput();
    ~PulseInput() override;
    PulseInput(const PulseInput&) = delete;
    PulseInput& operator=(const PulseInput&) = delete;

    bool startListening() override;
    void stopListening() override;
    std::vector<InputChoice> inputs() override;
    void chooseInput(const std::string& id) override;

    static constexpr int kRate = InputEar::kRate;

  private:
    static void onRead(pa_stream* stream, std::size_t bytes, void* self);

    std::string source_;  // the server's name of the input heard; "" for its default
    // Last, so that it goes first: its thread stops before the ear it feeds.
    std::unique_ptr<PulseConnection> server_;
};

}  // namespace lutavo
