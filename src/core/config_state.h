// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The configuration values: the four sounds, the MIDI device and the preferences.

#include <string>

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

inline constexpr int kSoundCount = 4;  // Nylon, Acoustic, Electric, Overdrive

// Names of the four sounds, as the sound menu and the setup window show them.
inline constexpr const char* kSoundNames[kSoundCount] = {"Nylon", "Acoustic", "Electric",
                                                         "Overdrive"};

using SoundTable = FixedArray<i16, 0, kSoundCount - 1>;

// A per-sound table with the given values for sounds 0..3.
inline SoundTable perSound(i16 nylon, i16 acoustic, i16 electric, i16 overdrive) {
    SoundTable t;
    t[0] = nylon;
    t[1] = acoustic;
    t[2] = electric;
    t[3] = overdrive;
    return t;
}

// The start-up values are those of the configuration file shipped with the program, so that a
// machine without any configuration file still plays on valid channels at a useful volume.
struct ConfigState {
    i16 leftHanded = 0;
    i16 preferredSound = 0;
    i16 prefSoundRead = 0;  // "prefmidi=" as last read, or as the setup window's Default sets it
    i16 defaultLeadIn = 0;
    i16 showFretNoteNames = 1;
    i16 adjustTiming = 3;
    i16 playIntroClips = 1;  // "playwav=": play clips after loading
    // "zoom=": the window's size in percent, one of the zoom steps (config/zoom_levels.h). Written
    // only when it is not 100, so a file of someone who never zooms stays as the program has always
    // written it.
    i16 zoomPercent = 100;
    // "input=": the sound server's name of the input to listen to; "" (not written) for the
    // desktop's default. "inputlatency=": how much later than it sounds the input hears a note
    // played with the program, in ms, as measured in the setup window; 0 (not written) unknown.
    std::string inputDevice;
    i16 inputLatencyMs = 0;

    SoundTable soundChannel = perSound(1, 1, 1, 1);     // MIDI channel 1..16
    SoundTable soundPatch = perSound(24, 25, 27, 29);   // program number 0..127, sent as is
    SoundTable soundDevice = perSound(0, 0, 0, 0);      // 0 = the built-in synthesizer
    SoundTable soundVolume = perSound(10, 10, 10, 10);  // velocity = 12 x volume
    SoundTable soundOctave = perSound(3, 3, 3, 3);      // notes raised by 12 x octave
};

}  // namespace lutavo
