#pragma once
// The program's one live audio stream: the built-in synthesizer and every sound clip, mixed by
// the stream's own audio thread. The stream opens and the sound font loads on a thread of their
// own, so neither delays the first painted window; clips asked for meanwhile sound as soon as
// the stream is open, and the synthesizer joins it once its sound font is in.

#include <fluidsynth/types.h>

#include <cstdint>
#include <future>
#include <memory>
#include <string>

#include "platform/fluidsynth/stream_mixer.h"
#include "platform/fluidsynth/synth_engine.h"

namespace lutavo {

class PulseStream;
class SoundClock;

// The sound server keeps 512 frames (11.6 ms) queued and asks for more 128 frames at a time.
// Every event is heard 20 ms after it was asked for (a playback tick's events, 20 ms after the
// tick was due): that leaves the window thread 8 ms to be late before anything moves, and keeps a
// click on the neck under the 25 ms a player notices.
inline constexpr int kBufferFrames = 512;
inline constexpr int kRequestFrames = 128;
inline constexpr std::int64_t kSoundDelayNs = 20'000'000;

class AudioOutput {
  public:
    // soundFont "" leaves the stream to the clips. Events are stamped by soundClock, or with the
    // moment they are asked for when there is none.
    explicit AudioOutput(std::string soundFont, const SoundClock* soundClock = nullptr);
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // True once the stream has been opened (or found impossible) and the sound font loaded (or
    // refused). Never waits.
    bool settled() const;
    void waitSettled() const { loading_.wait(); }

    // After settling: the stream is sounding / the synthesizer is sounding through it.
    bool streamLive() const;
    bool synthLive() const { return streamLive() && engine_ != nullptr && engine_->ready(); }
    // Why the synthesizer is silent ("" when it sounds).
    const std::string& problem() const { return problem_; }

    // To the synthesizer, once settled and live.
    void send(std::uint32_t message);
    // Silences everything and returns every channel to its power-on state.
    void resetSynth();

    // Starts a clip over whatever sounds, cutting off the clip before. Any time, from the window
    // thread; never waits for the audio thread.
    void playClip(const StereoClip* clip);

  private:
    void load(const std::string& soundFont);
    void openStream();
    void post(std::uint32_t message, const StereoClip* clip);

    const SoundClock* soundClock_;
    StreamMixer mixer_{StreamClock::live(kSoundDelayNs)};
    std::unique_ptr<PulseStream> pulse_;
    fluid_settings_t* driverSettings_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;  // the sound card directly, without a server
    std::unique_ptr<SynthEngine> engine_;
    std::string problem_;
    std::shared_future<void> loading_;
};

}  // namespace lutavo
