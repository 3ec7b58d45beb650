// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hearing (the sound server's input, the MIDI inputs, and the analysis of what they and a
// recorded take hold) as a module of its own. Its libraries are many and large: a window opens
// it only when it first listens, a session that never listens never maps them.

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "platform/audio_input.h"
#include "platform/heard.h"

namespace lutavo {

struct HeardTakeFile {
    HeardTake heard;
    long lengthMs = 0;
    std::string problem;  // why the file could not be heard; empty when it was
};

class HearingModule {
  public:
    // The player, heard through the sound server's input and the MIDI inputs as one.
    virtual std::unique_ptr<AudioInput> openInput() = 0;
    // What is heard in a recorded take: its strikes and the pitch classes each brought.
    virtual HeardTakeFile hearTakeFile(const std::string& path) = 0;

  protected:
    ~HearingModule() = default;
};

inline constexpr const char* kHearingModuleEntry = "lutavo_hearing_module";
using HearingModuleEntry = HearingModule* (*)();
inline constexpr const char* kHearingModuleFile = "lutavo-hearing.so";

// The hearing linked in, for the module itself and the programs that drive it directly.
HearingModule& builtInHearingModule();

// Opens the module file at path; null, with the reason in problem.
HearingModule* openHearingModule(const std::string& path, std::string& problem);

// The window's input: the module is opened when listening first starts, on the window thread
// (a user's action waits a moment for it); without it, there is no input and the log says why
// once.
class DeferredHearing : public AudioInput {
  public:
    using Opener = std::function<HearingModule*(std::string& problem)>;
    DeferredHearing(Opener open, std::ostream& log);
    ~DeferredHearing() override;

    bool startListening() override;
    void stopListening() override;
    double heardPitch() const override;
    float heardLevel() const override;
    bool takeStrike(HeardOnset& strike) override;
    std::vector<InputChoice> inputs() override;
    void chooseInput(const std::string& id) override;

  private:
    AudioInput* opened();

    Opener open_;
    std::ostream& log_;
    std::unique_ptr<AudioInput> input_;
    bool tried_ = false;
    std::string chosen_;
};

}  // namespace lutavo
