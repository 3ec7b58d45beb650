// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/alsa_input.h"
#include "services/hearing/pulse_input.h"
#include "services/hearing/take_hearing.h"
#include "services/hearing_module/hearing_module.h"
#include "services/rtmidi/midi_input.h"

namespace lutavo {

namespace {

// The player heard through the sound server's input and played on the MIDI inputs, as one.
// Without a sound server the sound card's default capture is heard.
class PlayerInput : public AudioInput {
  public:
    bool startListening() override {
        const bool heard = server_.startListening() || card_.startListening();
        return midi_.open() || heard;
    }
    void stopListening() override {
        server_.stopListening();
        card_.stopListening();
        midi_.close();
    }
    double heardPitch() const override { return sound().heardPitch(); }
    float heardLevel() const override { return sound().heardLevel(); }
    bool takeStrike(HeardOnset& strike) override {
        return midi_.takeStrike(strike) || sound().takeStrike(strike);
    }
    std::vector<InputChoice> inputs() override { return server_.inputs(); }
    void chooseInput(const std::string& id) override { server_.chooseInput(id); }

  private:
    AudioInput& sound() { return card_.listening() ? static_cast<AudioInput&>(card_) : server_; }
    const AudioInput& sound() const {
        return card_.listening() ? static_cast<const AudioInput&>(card_) : server_;
    }

    PulseInput server_;
    AlsaInput card_;
    MidiInput midi_;
};

class BuiltIn : public HearingModule {
  public:
    std::unique_ptr<AudioInput> openInput() override { return std::make_unique<PlayerInput>(); }
    HeardTakeFile hearTakeFile(const std::string& path) override {
        const TakeAudio take = readTakeAudio(path);
        if (!take.problem.empty()) return {{}, 0, take.problem};
        const long lengthMs = static_cast<long>(take.mono.size() * 1000 / std::size_t(take.rate));
        return {hearTake(take.mono, take.rate), lengthMs, {}};
    }
};

}  // namespace

HearingModule& builtInHearingModule() {
    static BuiltIn module;
    return module;
}

}  // namespace lutavo
