// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/sound_module/deferred_sound.h"

#include <dlfcn.h>

#include <filesystem>
#include <ostream>

#include "services/fluidsynth/short_message.h"
#include "services/rtmidi/midi_router.h"

namespace lutavo {

void* openModuleEntry(const std::string& path, const char* name, std::string& problem) {
    // Every function is bound now: binding one at its first call would look it up in the audio
    // thread, late enough to let the stream run dry at the first note.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        problem = dlerror();
        return nullptr;
    }
    void* entry = dlsym(handle, name);
    if (entry == nullptr) problem = path + " is no module of this program";
    return entry;
}

SoundModule* openSoundModule(const std::string& path, std::string& problem) {
    void* entry = openModuleEntry(path, kSoundModuleEntry, problem);
    return entry != nullptr ? reinterpret_cast<SoundModuleEntry>(entry)() : nullptr;
}

DeferredSound::DeferredSound(Opener open, const SoundClock* clock, std::ostream& log)
    : open_(std::move(open)), clock_(clock), log_(log) {}

DeferredSound::~DeferredSound() {
    if (loading_.valid()) loading_.wait();
}

void DeferredSound::load() {
    std::lock_guard lock(mutex_);
    if (!loading_.valid()) loading_ = std::async(std::launch::async, [this] { loadNow(); }).share();
}

void DeferredSound::loadNow() {
    std::string problem;
    SoundModule* module = open_(problem);
    std::unique_ptr<LiveSound> live;
    if (module != nullptr) live = module->openLive(clock_, log_);
    std::lock_guard lock(mutex_);
    live_ = std::move(live);
    problem_ =
        live_ != nullptr ? "" : "no audio output for the built-in synthesizer (" + problem + ")";
    handOver();
}

void DeferredSound::handOver() {
    if (opened_ && live_ != nullptr && live_->midi().open(*opened_)) {
        for (std::uint32_t m : waiting_)
            live_->midi().shortMessage(m);
    } else if (opened_ == kMidiMapper && failed()) {
        tellNoSound();
    }
    if (!clip_.empty() && live_ != nullptr) live_->wave().play(clip_);
    opened_.reset();
    waiting_.clear();
    clip_.clear();
}

void DeferredSound::waitLoaded() {
    load();
    loading_.wait();
}

LiveSound* DeferredSound::live() {
    waitLoaded();
    return live_.get();
}

void DeferredSound::tellNoSound() {
    if (!told_) log_ << "lutavo: " << problem_ << "; playing silently\n";
    told_ = true;
}

int DeferredSound::deviceCount() {
    LiveSound* sound = live();
    return sound != nullptr ? sound->midi().deviceCount() : 0;
}

std::string DeferredSound::deviceName(int id) {
    if (id == kMidiMapper) return kMidiMapperName;
    LiveSound* sound = live();
    return sound != nullptr ? sound->midi().deviceName(id) : "";
}

bool DeferredSound::open(int id) {
    std::lock_guard lock(mutex_);
    if (live_ != nullptr) return live_->midi().open(id);
    if (failed()) {
        if (id == kMidiMapper) tellNoSound();
        return false;
    }
    opened_ = id;
    waiting_.clear();
    return true;
}

void DeferredSound::shortMessage(std::uint32_t message) {
    std::unique_lock lock(mutex_);
    if (live_ == nullptr && !failed() && opened_) {
        // A note is worth waiting for; the messages that set the device up go with it.
        waiting_.push_back(message);
        if (decodeShortMessage(message).kind() != kNoteOn) return;
        lock.unlock();
        waitLoaded();
        return;
    }
    if (live_ != nullptr) live_->midi().shortMessage(message);
}

void DeferredSound::close() {
    std::lock_guard lock(mutex_);
    if (live_ != nullptr) live_->midi().close();
    opened_.reset();
    waiting_.clear();
}

void DeferredSound::cancelScheduled() {
    std::lock_guard lock(mutex_);
    if (live_ != nullptr) live_->midi().cancelScheduled();
}

long DeferredSound::heardDelayMs() {
    std::lock_guard lock(mutex_);
    return live_ != nullptr ? live_->midi().heardDelayMs() : 0;
}

bool DeferredSound::synthesizerLive() {
    LiveSound* sound = live();
    return sound != nullptr && sound->midi().synthesizerLive();
}

bool DeferredSound::play(const std::string& path) {
    std::lock_guard lock(mutex_);
    if (live_ != nullptr) return live_->wave().play(path);
    if (failed()) return false;
    // Played when the stream is there; until then only a missing file is known to fail.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    clip_ = path;
    return true;
}

}  // namespace lutavo
