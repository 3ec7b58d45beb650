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

struct Services {
    Dialogs* dialogs = nullptr;
    MidiOut* midi = nullptr;
    WavePlayer* wave = nullptr;
    PictureIO* pictures = nullptr;
    Screen* screen = nullptr;
    Printer* printer = nullptr;
    AudioInput* input = nullptr;
};

}  // namespace lutavo
