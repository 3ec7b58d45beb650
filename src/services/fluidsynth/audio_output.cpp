#include "services/fluidsynth/audio_output.h"

#include <fluidsynth.h>

#include "platform/sound_clock.h"
#include "services/fluidsynth/pulse_stream.h"
#include "services/fluidsynth/short_message.h"
#include "services/fluidsynth/sound_font.h"

namespace lutavo {

namespace {

// The sound card's driver does not say when a block is heard: taken as a full buffer after now.
constexpr std::int64_t kBufferNs = std::int64_t{kBufferFrames} * 1'000'000'000 / kLiveSampleRate;

int fillPeriod(void* mixer, int frames, int, float*[], int channels, float* out[]) {
    if (channels < 2) return FLUID_OK;
    static_cast<StreamMixer*>(mixer)->render(out[0], out[1], frames, steadyNowNs() + kBufferNs);
    return FLUID_OK;
}

}  // namespace

AudioOutput::AudioOutput(std::string soundFont, const SoundClock* soundClock)
    : soundClock_(soundClock) {
    quietSoundLibraries();
    loading_ =
        std::async(std::launch::async, [this, font = std::move(soundFont)] { load(font); }).share();
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

void AudioOutput::load(const std::string& soundFont) {
    openStream();
    engine_ = std::make_unique<SynthEngine>(soundFont, kLiveSampleRate);
    if (!engine_->ready()) {
        problem_ = engine_->problem();
        return;
    }
    if (!streamLive()) {
        problem_ = "no audio output for the built-in synthesizer";
        return;
    }
    mixer_.setSynth(engine_->synth());
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
    mixer_.post({stampNow(), message, clip});
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

void AudioOutput::playClip(const StereoClip* clip) {
    post(0, clip);
}

}  // namespace lutavo
