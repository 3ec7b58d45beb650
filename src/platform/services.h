// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine services the core uses. The program wires the real ones; tests wire fakes.

namespace lutavo {

class AudioInput;
class Dialogs;
class MidiOut;
class WavePlayer;
class PictureIO;
class Screen;
class Printer;
class SoundClock;

struct Services {
    Dialogs* dialogs = nullptr;
    MidiOut* midi = nullptr;
    WavePlayer* wave = nullptr;
    PictureIO* pictures = nullptr;
    Screen* screen = nullptr;
    Printer* printer = nullptr;
    AudioInput* input = nullptr;
    // The time of the playback tick under way, else now; the steady clock when there is none.
    const SoundClock* clock = nullptr;
};

}  // namespace lutavo
