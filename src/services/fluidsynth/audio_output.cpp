// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/audio_output.h"

#include <fluidsynth.h>

#include <ostream>

#include "platform/sound_clock.h"
#include "services/fluidsynth/pcm_clip.h"
#include "services/fluidsynth/pulse_stream.h"
#include "services/fluidsynth/short_message.h"
#include "services/fluidsynth/sound_font.h"

namespace lutavo {

namespace {

// The sound card's driver does not say when a block is heard: taken as a full buffer after now.
constexpr std::int64_t kBufferNs = std::int64_t{kBufferFrames} * 1'000'000'000 / kLiveSampleRate;

int fillPeriod(void* data, int frames, int, float*[], int channels, float* out[]) {
    if (channels < 2) return FLUID_OK;
    auto* mixer = static_cast<StreamMixer*>(data);
    mixer->clock().heard(mixer->frame(), steadyNowNs() + kBufferNs);
    mixer->render(out[0], out[1], frames);
    return FLUID_OK;
}

}  // namespace

AudioOutput::AudioOutput(std::string soundFont, const SoundClock* soundClock, std::ostream* log)
    : AudioOutput([font = std::move(
                       soundFont)] { return std::make_unique<SynthEngine>(font, kLiveSampleRate); },
                  soundClock, log) {}

AudioOutput::AudioOutput(SynthLoader loadSynth, const SoundClock* soundClock, std::ostream* log)
    : soundClock_(soundClock), log_(log) {
    quietSoundLibraries();
    loading_ = std::async(std::launch::async, [this, loader = std::move(loadSynth)] {
                   load(loader);
               }).share();
}

AudioOutput::~AudioOutput() {
    loading_.wait();
    // The audio thread reads the mixer and the synthesizer: it stops before they go.
    pulse_.reset();
    if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
    if (driverSettings_ != nullptr) delete_fluid_settings(driverSettings_);
}

bool AudioOutput::settled() const {
    return loading_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

bool AudioOutput::streamLive() const {
    return (pulse_ != nullptr && pulse_->live()) || driver_ != nullptr;
}

void AudioOutput::load(const SynthLoader& loadSynth) {
    openStream();
    engine_ = loadSynth();
    if (engine_ == nullptr || !engine_->ready()) {
        problem_ = engine_ != nullptr ? engine_->problem() : "the synthesizer could not start";
    } else if (!streamLive()) {
        problem_ = "no audio output for the built-in synthesizer";
    } else {
        mixer_.setSynth(engine_->synth());
    }
    // A clip asked for while the sound font loaded may have found the stream paused: until now
    // nothing woke it.
    if (pulse_ != nullptr) pulse_->wake();
}

void AudioOutput::openStream() {
    pulse_ = std::make_unique<PulseStream>(mixer_, kLiveSampleRate, kBufferFrames, kRequestFrames);
    if (pulse_->live()) return;
    pulse_.reset();
    driverSettings_ = new_fluid_settings();
    if (driverSettings_ == nullptr) return;
    fluid_settings_setnum(driverSettings_, "synth.sample-rate", kLiveSampleRate);
    fluid_settings_setint(driverSettings_, "audio.period-size", kRequestFrames);
    fluid_settings_setint(driverSettings_, "audio.periods", kBufferFrames / kRequestFrames);
    fluid_settings_setstr(driverSettings_, "audio.sample-format", "float");
    fluid_settings_setstr(driverSettings_, "audio.driver", "alsa");
    driver_ = new_fluid_audio_driver2(driverSettings_, fillPeriod, &mixer_);
}

std::int64_t AudioOutput::stampNow() const {
    // Anything else is heard at once: stamped as if asked for the delay ago.
    if (scheduleTicks_ && soundClock_ != nullptr && soundClock_->inTick()) {
        return soundClock_->nowNs();
    }
    return steadyNowNs() - kSoundDelayNs;
}

void AudioOutput::post(std::uint32_t message, const StereoClip* clip) {
    if (!mixer_.post({stampNow(), message, clip})) tellRefused();
    // Until settled the loader may still be making the stream, which starts running anyway.
    if (settled() && pulse_ != nullptr) pulse_->wake();
}

void AudioOutput::send(std::uint32_t message) {
    if (!synthLive()) return;
    engine_->prepare(message);
    post(message, nullptr);
}

void AudioOutput::resetSynth() {
    send(kSystemReset);
}

const StereoClip* AudioOutput::clip(const std::string& path) {
    if (const auto found = clips_.find(path); found != clips_.end()) return found->second.get();
    std::string problem;
    const PcmClip read = readPcmWav(path, problem);
    if (!problem.empty()) return nullptr;
    auto converted = std::make_unique<StereoClip>(toStereo(read, kLiveSampleRate));
    return clips_.emplace(path, std::move(converted)).first->second.get();
}

void AudioOutput::playClip(const StereoClip* clip) {
    post(0, clip);
}

void AudioOutput::tellRefused() {
    if (refusedTold_ || log_ == nullptr) return;
    refusedTold_ = true;
    *log_ << "lutavo: the audio stream is not taking sounds; some are being left out\n";
}

long AudioOutput::underruns() const {
    return settled() && pulse_ != nullptr ? pulse_->underruns() : 0;
}

double AudioOutput::bufferMs() const {
    const int frames = settled() && pulse_ != nullptr ? pulse_->bufferFrames() : kBufferFrames;
    return 1000.0 * frames / kLiveSampleRate;
}

long AudioOutput::heardDelayMs() const {
    const double held = bufferMs() - 1000.0 * kBufferFrames / kLiveSampleRate;
    return static_cast<long>(kSoundDelayNs / 1'000'000 + held + 0.5);
}

std::string AudioOutput::threadPriority() const {
    return settled() && pulse_ != nullptr ? pulse_->priority() : "";
}

void AudioOutput::trace(StreamTrace* trace) {
    waitSettled();
    if (pulse_ != nullptr) pulse_->trace(trace);
}

}  // namespace lutavo
