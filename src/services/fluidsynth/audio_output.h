// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one live audio stream: the built-in synthesizer and every sound clip, mixed by
// the stream's own audio thread. The stream opens and the sound font loads on a thread of their
// own, so neither delays the first painted window; clips asked for meanwhile sound as soon as
// the stream is open, and the synthesizer joins it once its sound font is in.

#include <fluidsynth/types.h>

#include <cstdint>
#include <functional>
#include <future>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>

#include "services/fluidsynth/stream_mixer.h"
#include "services/fluidsynth/stream_trace.h"
#include "services/fluidsynth/synth_engine.h"

namespace lutavo {

class PulseStream;
class SoundClock;

// The live stream runs at 96 kHz whatever the sound card's rate (the server converts it): the
// synthesizer starts a note only at the start of one of its 64-frame blocks, which at 96 kHz
// come every 0.67 ms, so a note is at most that late on its frame (1.45 ms at 44.1 kHz).
inline constexpr int kLiveSampleRate = 96000;
// The sound server keeps at most 17.4 ms queued and asks for more 2.9 ms at a time: the stream
// runs dry only when its thread waits some 14 ms for a core, which a busy two-core machine does
// make it do at 11.6 ms. The sounds of a playback tick are heard 25 ms after the tick was due,
// each on its own frame: the window thread may run a tick some 7 ms late before anything moves,
// and the notes still start within the 25 ms a player notices. Everything else (a click on the
// neck, a clip) goes at once: heard as soon as the stream gets to it, within the server's buffer.
// A stream that runs dry all the same holds more from then on, and its ticks' sounds come later.
inline constexpr int kBufferFrames = kLiveSampleRate * 174 / 10'000;
inline constexpr int kRequestFrames = kBufferFrames / 6;
inline constexpr std::int64_t kSoundDelayNs = 25'000'000;

class AudioOutput {
  public:
    // Makes the synthesizer, on the loading thread; the stream opens before it is called.
    using SynthLoader = std::function<std::unique_ptr<SynthEngine>()>;

    // soundFont "" leaves the stream to the clips. Events are stamped by soundClock, or with the
    // moment they are asked for when there is none. log: where the one line about sounds the
    // stream could not take goes.
    explicit AudioOutput(std::string soundFont, const SoundClock* soundClock = nullptr,
                         std::ostream* log = nullptr);
    AudioOutput(SynthLoader loadSynth, const SoundClock* soundClock, std::ostream* log);
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

    // Drops the note-ons and clips that playback asked for and that have not sounded yet.
    void cancelScheduled() { mixer_.cancelPosted(); }
    // Playback ticks' sounds keep their tick's time (the built-in synthesizer), or go at once
    // like everything else (a MIDI port plays its notes at once: the clicks keep up with them).
    void scheduleTicks(bool on) { scheduleTicks_ = on; }

    // The clip of a 16-bit PCM WAV file in the stream's form, read once and kept as long as the
    // stream that plays it; null for a file that is no playable clip.
    const StereoClip* clip(const std::string& path);
    // Starts a clip over whatever sounds, cutting off the clip before. Any time, from the window
    // thread; never waits for the audio thread. The clip is one of clip()'s.
    void playClip(const StereoClip* clip);

    // How the stream is doing, for whoever measures it: times it ran dry, sounds it could not
    // take, how its thread runs, and a trace of every block (see PulseStream::trace).
    long underruns() const;
    // What the sound server keeps queued now (it grows after the stream runs dry), in ms.
    double bufferMs() const;
    // How long after its stamp a tick's sound is heard: the fixed delay, and what the stream has
    // held more since it ran dry.
    long heardDelayMs() const;
    long refusedPosts() const { return mixer_.refusedPosts(); }
    std::string threadPriority() const;
    void trace(StreamTrace* trace);
    // Frames the stream has played so far. Any thread.
    std::int64_t framesPlayed() const { return mixer_.frame(); }

  private:
    void load(const SynthLoader& loadSynth);
    void openStream();
    void post(std::uint32_t message, const StereoClip* clip);

    std::int64_t stampNow() const;
    void tellRefused();

    // Before the mixer and the stream that read them, so they go after both.
    std::map<std::string, std::unique_ptr<StereoClip>> clips_;
    const SoundClock* soundClock_;
    std::ostream* log_;
    bool refusedTold_ = false;
    bool scheduleTicks_ = true;
    StreamMixer mixer_{StreamClock::live(kLiveSampleRate, kSoundDelayNs)};
    std::unique_ptr<PulseStream> pulse_;
    fluid_settings_t* driverSettings_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;  // the sound card directly, without a server
    std::unique_ptr<SynthEngine> engine_;
    std::string problem_;
    std::shared_future<void> loading_;
};

}  // namespace lutavo
