// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound stack (the built-in synthesizer, the audio stream, the clips and the MIDI ports) as a
// module of its own. Its libraries cost the program some 20
// ms and 5 MB of start-up before the window could paint when they were linked in; opened after the
// first paint, they cost nothing the user waits for. The program sees the module only through this
// door.

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "platform/midi_out.h"
#include "platform/wave_player.h"
#include "services/fluidsynth/wave_render.h"

namespace lutavo {

class AudioOutput;
class SoundClock;

// The live sound of a window: one stream, the wave player and the MIDI devices over it.
class LiveSound {
  public:
    virtual ~LiveSound() = default;
    virtual MidiOut& midi() = 0;
    virtual WavePlayer& wave() = 0;
    virtual AudioOutput& audio() = 0;
};

class SoundModule {
  public:
    // Starts the stream and the sound font loading; clock stamps the sounds of playback ticks,
    // log takes the one-line complaints of the stream and the synthesizer.
    virtual std::unique_ptr<LiveSound> openLive(const SoundClock* clock, std::ostream& log) = 0;
    // The built-in synthesizer's rendering of a recorded performance to a WAV file.
    virtual RenderResult renderWav(const SoundRecording& performance, long tailMs,
                                   const std::string& path, std::vector<std::string>& warnings) = 0;

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

// The entry function a module file exports under name; null, with the reason in problem. The
// module stays open to the end of the program.
void* openModuleEntry(const std::string& path, const char* name, std::string& problem);

}  // namespace lutavo
