// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/setup_window.h"

#include <algorithm>
#include <string>

#include "config/config_file.h"
#include "core/app_state.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "platform/midi_out.h"

namespace lutavo {

namespace {

constexpr const char* kMidiMapperLine = "Midi Mapper";
constexpr std::size_t kDeviceNameLength = 32;
// Offsets from the main window and the window's fixed size, in twips.
constexpr Placement kWindowPlace = {2340, 1000, 7530, 3375};
// The list opens upwards from the device line and never beyond the window's top.
constexpr int kListMaxTwips = 2640;

struct SoundBar {
    ScrollBar SetupWindow::*bar;
    Label SetupWindow::*value;
    SoundTable ConfigState::*table;
};

// In the order of SetupScroll.
constexpr SoundBar kSoundBars[] = {
    {&SetupWindow::chint, &SetupWindow::midichint, &ConfigState::soundChannel},
    {&SetupWindow::pint, &SetupWindow::midipint, &ConfigState::soundPatch},
    {&SetupWindow::vint, &SetupWindow::midivint, &ConfigState::soundVolume},
    {&SetupWindow::oint, &SetupWindow::midioint, &ConfigState::soundOctave},
};

// The sound edited is always the one in use.
int editedSound(const ConfigState& config) {
    return clampTo(config.preferredSound, 0, kSoundCount - 1);
}

void showValue(ScrollBar& bar, Label& value, int v) {
    bar.set(v);
    value.caption = std::to_string(bar.value);
}

std::string deviceLine(const SetupWindow& w, int device) {
    const auto& items = w.MidiDevices.items;
    if (device < 0 || device >= static_cast<int>(items.size())) return "";
    return items[static_cast<std::size_t>(device)];
}

void fillDeviceList(Guitar& g) {
    SetupWindow& w = g.setup;
    MidiOut* midi = g.sys.midi;
    w.deviceCount = midi == nullptr ? 0 : std::clamp(midi->deviceCount(), 0, 32767);
    ListBox& list = w.MidiDevices;
    list.items = {kMidiMapperLine};
    list.itemTips = {kBuiltInSynthTip};
    for (int d = 0; d < w.deviceCount; ++d) {
        list.items.push_back(midi->deviceName(d).substr(0, kDeviceNameLength));
        list.itemTips.emplace_back();
    }
    list.visible = false;
    const int bottom = list.at.top + list.at.height;
    list.at.height =
        std::min(w.deviceCount * kDeviceLineTwips + kDeviceListExtraTwips, kListMaxTwips);
    list.at.top = bottom - list.at.height;
    // Line 0 always works while the built-in synthesizer can play.
    if (w.deviceCount == 0 && (midi == nullptr || !midi->synthesizerLive())) {
        showMessage(g, "No MIDI drivers found");
    }
}

void showSound(SetupWindow& setup, ConfigState& config, int p) {
    SetupWindow& w = setup;
    const ConfigState& c = config;
    w.lblSound.caption = kSoundNames[p];
    for (const SoundBar& b : kSoundBars)
        showValue(w.*b.bar, w.*b.value, (c.*b.table)[p]);
    showValue(w.hscrdefdelay, w.lbldefdelay, c.defaultLeadIn);
    w.showfnotes.checked = c.showFretNoteNames == 1;
    w.MidiIntTxt.caption = deviceLine(w, c.soundDevice[p]);
    w.prefint.checked = c.prefSoundRead == p;
    for (int i = 0; i < kSoundCount; ++i)
        w.btnConfig[i].pressed = i == p;
}

void unload(SetupWindow& setup, WindowControls& ui) {
    setup.loaded = false;
    setup.MidiDevices.visible = false;
    setup.TestInt.pressed = false;
    ui.outtxt[kSetupLabel].color = kColorAvailable;
}

}  // namespace

void loadSetupWindow(Guitar& g) {
    SetupWindow& w = g.setup;
    if (w.loaded) return;
    w.at = kWindowPlace;
    fillDeviceList(g);
    w.loaded = true;
    showSound(g.setup, g.config, editedSound(g.config));
    w.playwavs.checked = g.config.playIntroClips == 1;
    w.leftyopt.checked = g.config.leftHanded == 1;
}

void btnConfig_Click(Guitar& g, int index) {
    if (!g.setup.loaded || index < 0 || index >= kSoundCount) return;
    g.config.preferredSound = static_cast<i16>(index);
    showSoundInUse(g.config, g.ui);
    showSound(g.setup, g.config, index);
}

void setupScroll_Change(SetupWindow& setup, ConfigState& config, SetupScroll bar, int value) {
    SetupWindow& w = setup;
    if (bar == SetupScroll::LeadIn) {
        if (!w.hscrdefdelay.set(value)) return;
        config.defaultLeadIn = static_cast<i16>(w.hscrdefdelay.value);
        w.lbldefdelay.caption = std::to_string(w.hscrdefdelay.value);
        return;
    }
    const SoundBar& b = kSoundBars[static_cast<int>(bar)];
    ScrollBar& shown = w.*b.bar;
    if (!shown.set(value)) return;
    (config.*b.table)[editedSound(config)] = static_cast<i16>(shown.value);
    (w.*b.value).caption = std::to_string(shown.value);
}

void setupCheck_Click(SetupWindow& setup, ConfigState& config, SetupCheck box, bool checked) {
    SetupWindow& w = setup;
    switch (box) {
        case SetupCheck::Default:
            w.prefint.checked = checked;
            if (checked) config.prefSoundRead = static_cast<i16>(editedSound(config));
            break;
        case SetupCheck::LeftHanded:
            w.leftyopt.checked = checked;
            break;
        case SetupCheck::PlayClips:
            w.playwavs.checked = checked;
            break;
        case SetupCheck::ShowNoteNames:
            w.showfnotes.checked = checked;
            break;
    }
}

void devbut_Click(SetupWindow& setup, ConfigState& config) {
    ListBox& list = setup.MidiDevices;
    if (list.visible) {
        list.visible = false;
        return;
    }
    const int device = config.soundDevice[editedSound(config)];
    list.selected = device < static_cast<int>(list.items.size()) ? device : -1;
    list.visible = true;
}

void MidiDevices_Click(SetupWindow& setup, ConfigState& config, int line) {
    SetupWindow& w = setup;
    if (line < 0 || line >= static_cast<int>(w.MidiDevices.items.size())) return;
    config.soundDevice[editedSound(config)] = static_cast<i16>(line);
    w.MidiDevices.selected = line;
    w.MidiDevices.visible = false;
    w.MidiIntTxt.caption = deviceLine(w, line);
}

void setupBackground_Click(SetupWindow& setup) {
    setup.MidiDevices.visible = false;
}

void TestInt_MouseDown(SetupWindow& setup, AppState& app) {
    setup.TestInt.pressed = true;
    app.pendingSoundAction = kSoundTestDown;
}

void TestInt_MouseUp(SetupWindow& setup, AppState& app) {
    setup.TestInt.pressed = false;
    app.pendingSoundAction = kSoundTestUp;
}

void setupClose_Click(Guitar& g, SetupClose decision) {
    if (!g.setup.loaded) return;
    const SetupWindow& w = g.setup;
    ConfigState& c = g.config;
    if (decision == SetupClose::Cancel) {
        g.app.pendingSoundAction = kSoundSetupCancel;
    } else {
        c.playIntroClips = w.playwavs.checked ? 1 : 0;
        c.leftHanded = w.leftyopt.checked ? 1 : 0;
        c.showFretNoteNames = w.showfnotes.checked ? 1 : 0;
        g.app.pendingSoundAction = decision == SetupClose::Ok ? kSoundSetupOk : kSoundSave;
    }
    unload(g.setup, g.ui);
}

void closeSetupWindow(Guitar& g) {
    if (g.setup.loaded) unload(g.setup, g.ui);
}

void settleSetupTimer(Guitar& g) {
    if (!g.setup.loaded && g.app.pendingSoundAction == kSoundReopen &&
        g.gtimer.interval == kSetupTimerInterval) {
        g.gtimer.interval = kWindowTimerInterval;
    }
}

}  // namespace lutavo
