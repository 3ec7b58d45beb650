// SPDX-License-Identifier: GPL-3.0-or-later
#include <ostream>

#include "services/hearing_module/hearing_module.h"
#include "services/sound_module/sound_module.h"

namespace lutavo {

HearingModule* openHearingModule(const std::string& path, std::string& problem) {
    void* entry = openModuleEntry(path, kHearingModuleEntry, problem);
    return entry != nullptr ? reinterpret_cast<HearingModuleEntry>(entry)() : nullptr;
}

DeferredHearing::DeferredHearing(Opener open, std::ostream& log)
    : open_(std::move(open)), log_(log) {}

DeferredHearing::~DeferredHearing() = default;

AudioInput* DeferredHearing::opened() {
    if (!tried_) {
        tried_ = true;
        std::string problem;
        if (HearingModule* module = open_(problem)) {
            input_ = module->openInput();
            input_->chooseInput(chosen_);
        } else {
            log_ << "lutavo: nothing can be heard (" << problem << ")\n";
        }
    }
    return input_.get();
}

bool DeferredHearing::startListening() {
    AudioInput* input = opened();
    return input != nullptr && input->startListening();
}

std::vector<InputChoice> DeferredHearing::inputs() {
    AudioInput* input = opened();
    return input != nullptr ? input->inputs() : AudioInput::inputs();
}

// Kept until the module is opened: choosing at start-up maps nothing.
void DeferredHearing::chooseInput(const std::string& id) {
    chosen_ = id;
    if (input_ != nullptr) input_->chooseInput(id);
}

void DeferredHearing::stopListening() {
    if (input_ != nullptr) input_->stopListening();
}

double DeferredHearing::heardPitch() const {
    return input_ != nullptr ? input_->heardPitch() : 0.0;
}

float DeferredHearing::heardLevel() const {
    return input_ != nullptr ? input_->heardLevel() : 0.0f;
}

bool DeferredHearing::takeStrike(HeardOnset& strike) {
    return input_ != nullptr && input_->takeStrike(strike);
}

}  // namespace lutavo
