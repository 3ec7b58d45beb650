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
};

struct SetupWindow {
    bool loaded = false;
    std::string caption = "Lutavo Setup";
    Placement at;  // twips, on the screen

    Label fraMidi;  // group frames: their caption and place
    Label fraPrefs;
    FixedArray<Label, 0, 6> lblCaption;

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

    CaptionButton setupok;
    CaptionButton setupsave;
    CaptionButton setupcancel;
};

}  // namespace lutavo
