// SPDX-License-Identifier: GPL-3.0-or-later
#include <ostream>

#include "services/fluidsynth/audio_output.h"
#include "services/fluidsynth/sound_font.h"
#include "services/fluidsynth/stream_wave_player.h"
#include "services/hearing/pulse_input.h"
#include "services/hearing/take_hearing.h"
#include "services/rtmidi/midi_input.h"
#include "services/rtmidi/midi_router.h"
#include "services/sound_module/sound_module.h"

namespace lutavo {

namespace {

// The player heard through the sound server's input and played on the MIDI inputs, as one.
class PlayerInput : public AudioInput {
  public:
    bool startListening() override {
        const bool heard = audio_.startListening();
        return midi_.open() || heard;
    }
    void stopListening() override {
        audio_.stopListening();
        midi_.close();
    }
    double heardPitch() const override { return audio_.heardPitch(); }
    float heardLevel() const override { return audio_.heardLevel(); }
    bool takeStrike(HeardOnset& strike) override {
        return midi_.takeStrike(strike) || audio_.takeStrike(strike);
    }

  private:
    PulseInput audio_;
    MidiInput midi_;
};

class LiveStack : public LiveSound {
  public:
    LiveStack(const SoundClock* clock, std::ostream& log)
        : audio_(findSoundFont(), clock, &log), wave_(audio_), midi_(audio_, log) {}
    MidiOut& midi() override { return midi_; }
    WavePlayer& wave() override { return wave_; }
    AudioOutput& audio() override { return audio_; }
    AudioInput& input() override { return input_; }

  private:
    PlayerInput input_;
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
    HeardTakeFile hearTakeFile(const std::string& path) override {
        const TakeAudio take = readTakeAudio(path);
        if (!take.problem.empty()) return {{}, 0, take.problem};
        const long lengthMs = static_cast<long>(take.mono.size() * 1000 / std::size_t(take.rate));
        return {hearTake(take.mono, take.rate), lengthMs, {}};
    }
};

}  // namespace

SoundModule& builtInSoundModule() {
    static BuiltIn module;
    return module;
}

}  // namespace lutavo
