// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form_design.h"
#include "core/config_state.h"
#include "core/data_files.h"
#include "core/setup_controls.h"

namespace lutavo {

namespace {

// Places inside the setup window, in pixels of its client area.
Placement px(int left, int top, int width, int height) {
    return {left * kTwipsPerPixel, top * kTwipsPerPixel, width * kTwipsPerPixel,
            height * kTwipsPerPixel};
}

Label caption(const char* text, Placement at) {
    Label l;
    l.caption = text;
    l.color = kColorBlack;
    l.at = at;
    return l;
}

CheckBox checkBox(const char* text, const char* tip, Placement at) {
    CheckBox c;
    c.caption = text;
    c.tip = tip;
    c.at = at;
    return c;
}

CaptionButton button(const char* text, const char* tip, Placement at) {
    CaptionButton b;
    b.caption = text;
    b.tip = tip;
    b.at = at;
    return b;
}

ScrollBar scrollBar(int min, int max, const char* tip, Placement at) {
    ScrollBar b;
    b.min = min;
    b.max = max;
    b.value = min;
    b.tip = tip;
    b.at = at;
    return b;
}

constexpr int kRowTop = 84;  // the first of the four sound scroll bars
constexpr int kRowStep = 20;
constexpr int kBarLeft = 108;
constexpr int kBarWidth = 140;
constexpr int kValueLeft = 252;

Placement rowCaption(int row) {
    return px(14, kRowTop + row * kRowStep, 92, 16);
}
Placement rowBar(int row) {
    return px(kBarLeft, kRowTop + row * kRowStep, kBarWidth, 16);
}
Placement rowValue(int row) {
    return px(kValueLeft, kRowTop + row * kRowStep, 40, 16);
}

void designMidiGroup(SetupWindow& w) {
    w.fraMidi = caption("MIDI Setup", px(6, 4, 296, 214));
    for (int i = 0; i < 4; ++i) {
        w.btnConfig[i].at = px(14 + i * 52, 22, 48, 36);
        w.btnConfig[i].file = files::kSoundPictures[i];
        w.btnConfig[i].tip = kSoundNames[i];
    }
    w.lblCaption[kCaptionSoundName] = caption("Setting for this sound", px(14, 62, 124, 16));
    w.lblSound = caption("", px(140, 62, 80, 16));
    w.prefint =
        checkBox("Default", "Make the current guitar sound the default", px(222, 61, 74, 18));

    constexpr const char* kRows[] = {"MIDI Channel", "Patch Number", "Default Volume", "Octave"};
    constexpr int kRanges[4][2] = {{1, 16}, {0, 127}, {1, 10}, {0, 6}};
    ScrollBar* bars[] = {&w.chint, &w.pint, &w.vint, &w.oint};
    Label* values[] = {&w.midichint, &w.midipint, &w.midivint, &w.midioint};
    for (int row = 0; row < 4; ++row) {
        w.lblCaption[kCaptionChannel + row] = caption(kRows[row], rowCaption(row));
        *bars[row] = scrollBar(kRanges[row][0], kRanges[row][1], kRows[row], rowBar(row));
        *values[row] = caption("", rowValue(row));
    }

    w.lblCaption[kCaptionDevice] = caption("Current MIDI device", px(14, 164, 166, 16));
    w.MidiIntTxt = caption("", px(14, 182, 166, 22));
    w.devbut = button("Devices", "Show available MIDI devices", px(184, 182, 52, 22));
    w.TestInt =
        button("Test", "Click to play open strings with current settings", px(240, 182, 52, 22));
    // The list opens upwards from the device line; the program sets its height and top.
    w.MidiDevices.at = px(14, 180, 166, 0);
    w.MidiDevices.visible = false;
}

void designPreferences(SetupWindow& w) {
    w.fraPrefs = caption("Preferences", px(308, 4, 188, 182));
    w.leftyopt = checkBox("Left-handed fretboard", "", px(316, 22, 178, 18));
    w.playwavs = checkBox("Play intro music clips", "", px(316, 42, 178, 18));
    w.showfnotes = checkBox("Show fretboard note names", "", px(316, 62, 178, 18));
    w.lblCaption[kCaptionLeadIn] = caption("Default Lead-in", px(316, 94, 150, 16));
    w.hscrdefdelay = scrollBar(0, 8, "Default Lead-in", px(316, 112, 140, 16));
    w.lbldefdelay = caption("", px(460, 112, 30, 16));
    w.lblCaption[kCaptionInput] = caption("Sound input", px(316, 134, 70, 16));
    w.inputbut = button("", "The microphone or line the program listens to", px(386, 132, 104, 20));
    w.inputMeter.at = px(316, 160, 76, 10);
    w.inputMeter.tip = "How loud the input is now";
    w.latbut = button("Latency",
                      "Play a note and time how late the input hears it (speakers on, "
                      "the microphone near them)",
                      px(396, 155, 54, 20));
    w.lbllatency = caption("", px(454, 157, 38, 16));

    w.setupok = button("&OK", "Use these settings", px(308, 194, 60, 24));
    w.setupsave = button("&Save", "Save these settings to disk", px(372, 194, 60, 24));
    w.setupcancel = button("&Cancel", "Abandon changes", px(436, 194, 60, 24));
}

}  // namespace

void designSetupWindow(SetupWindow& w) {
    designMidiGroup(w);
    designPreferences(w);
}

}  // namespace lutavo
