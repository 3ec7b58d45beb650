// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound stack (the built-in synthesizer, the audio stream, the clips, the MIDI ports and the
// analysis of what the player plays) as a module of its own. Its libraries cost the program some 20
// ms and 5 MB of start-up before the window could paint when they were linked in; opened after the
// first paint, they cost nothing the user waits for. The program sees the module only through this
// door.

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio_input.h"
#include "platform/heard.h"
#include "platform/midi_out.h"
#include "platform/wave_player.h"
#include "services/fluidsynth/wave_render.h"

namespace lutavo {

class AudioOutput;
class SoundClock;

// The live sound of a window: one stream, the wave player and the MIDI devices over it, and the
// input that hears the player.
class LiveSound {
  public:
    virtual ~LiveSound() = default;
    virtual MidiOut& midi() = 0;
    virtual WavePlayer& wave() = 0;
    virtual AudioOutput& audio() = 0;
    virtual AudioInput& input() = 0;
};

struct HeardTakeFile {
    HeardTake heard;
    long lengthMs = 0;
    std::string problem;  // why the file could not be heard; empty when it was
};

class SoundModule {
  public:
    // Starts the stream and the sound font loading; clock stamps the sounds of playback ticks,
    // log takes the one-line complaints of the stream and the synthesizer.
    virtual std::unique_ptr<LiveSound> openLive(const SoundClock* clock, std::ostream& log) = 0;
    // The built-in synthesizer's rendering of a recorded performance to a WAV file.
    virtual RenderResult renderWav(const SoundRecording& performance, long tailMs,
                                   const std::string& path, std::vector<std::string>& warnings) = 0;

    // What is heard in a recorded take: its strikes and the pitch classes each brought.
    virtual HeardTakeFile hearTakeFile(const std::string& path) = 0;

  protected:
    ~SoundModule() = default;
};

// The module's one exported symbol: a function taking nothing and giving its SoundModule.
inline constexpr const char* kSoundModuleEntry = "lutavo_sound_module";
using SoundModuleEntry = SoundModule* (*)();
// The module's file name, beside the program in the build tree and in its own folder installed.
inline constexpr const char* kSoundModuleFile = "lutavo-sound.so";

// The stack linked in, for the module itself and the tests that drive the stream directly.
SoundModule& builtInSoundModule();

// Opens the module file at path; null, with the reason in problem, when it cannot be opened.
// The module stays open to the end of the program.
SoundModule* openSoundModule(const std::string& path, std::string& problem);

}  // namespace lutavo
