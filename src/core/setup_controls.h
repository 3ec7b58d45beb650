// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup window's controls. The window edits the configuration values directly as its
// controls move; the main window carries out its decision through pendingSoundAction.

#include <string>

#include "base/controls.h"
#include "base/fixed_array.h"
#include "core/window_controls.h"

namespace lutavo {

// The captions beside the setup window's scroll bars and its device line.
enum SetupCaption : int {
    kCaptionSoundName = 0,  // "Setting for this sound"
    kCaptionChannel = 1,
    kCaptionPatch = 2,
    kCaptionVolume = 3,
    kCaptionOctave = 4,
    kCaptionDevice = 5,  // "Current MIDI device"
    kCaptionLeadIn = 6,
    kCaptionInput = 7,  // "Sound input"
};

// How loud the input is now, as a bar.
struct LevelMeter {
    Placement at;
    int percent = 0;
    std::string tip;
};

struct SetupWindow {
    bool loaded = false;
    std::string caption = "Lutavo Setup";
    Placement at;  // twips, on the screen

    Label fraMidi;  // group frames: their caption and place
    Label fraPrefs;
    FixedArray<Label, 0, 7> lblCaption;

    FixedArray<PictureButton, 0, 3> btnConfig;
    Label lblSound;
    CheckBox prefint;

    ScrollBar chint;
    ScrollBar pint;
    ScrollBar vint;
    ScrollBar oint;
    Label midichint;
    Label midipint;
    Label midivint;
    Label midioint;

    CaptionButton devbut;
    ListBox MidiDevices;
    Label MidiIntTxt;
    int deviceCount = 0;  // the machine's MIDI output ports when the window loaded

    CaptionButton TestInt;

    CheckBox leftyopt;
    CheckBox playwavs;
    CheckBox showfnotes;
    ScrollBar hscrdefdelay;
    Label lbldefdelay;

    // The input listened to (a menu of the others), how loud it is, and how late it hears the
    // program's own sound. The window listens while it is open.
    CaptionButton inputbut;
    LevelMeter inputMeter;
    CaptionButton latbut;
    Label lbllatency;
    bool hearing = false;
    long clickHeardMs = 0;  // when the measuring note is heard; 0 while none is under way
    int clickChannel = 0;

    CaptionButton setupok;
    CaptionButton setupsave;
    CaptionButton setupcancel;
};

}  // namespace lutavo
