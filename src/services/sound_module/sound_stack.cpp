// SPDX-License-Identifier: GPL-3.0-or-later
#include <ostream>

#include "services/fluidsynth/audio_output.h"
#include "services/fluidsynth/sound_font.h"
#include "services/fluidsynth/stream_wave_player.h"
#include "services/rtmidi/midi_router.h"
#include "services/sound_module/sound_module.h"

namespace lutavo {

namespace {

class LiveStack : public LiveSound {
  public:
    LiveStack(const SoundClock* clock, std::ostream& log)
        : audio_(findSoundFont(), clock, &log), wave_(audio_), midi_(audio_, log) {}
    MidiOut& midi() override { return midi_; }
    WavePlayer& wave() override { return wave_; }
    AudioOutput& audio() override { return audio_; }

  private:
    // The stream outlives the two that play into it.
    AudioOutput audio_;
    StreamWavePlayer wave_;
    MidiRouter midi_;
};

class BuiltIn : public SoundModule {
  public:
    std::unique_ptr<LiveSound> openLive(const SoundClock* clock, std::ostream& log) override {
        quietSoundLibraries();
        return std::make_unique<LiveStack>(clock, log);
    }
    RenderResult renderWav(const SoundRecording& performance, long tailMs, const std::string& path,
                           std::vector<std::string>& warnings) override {
        quietSoundLibraries();
        return renderPerformanceWav(findSoundFont(), performance, tailMs, path, warnings);
    }
};

}  // namespace

SoundModule& builtInSoundModule() {
    static BuiltIn module;
    return module;
}

}  // namespace lutavo
