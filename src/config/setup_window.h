// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup window (LTsetup): edits the four sounds, the MIDI device and the preferences. Its
// scroll bars and device list write the configuration values at once; OK, Save and Cancel leave
// their request in pendingSoundAction for the main window's timer.

namespace lutavo {

struct Guitar;
struct ConfigState;
struct AppState;
struct SetupWindow;

// The lines of the device list are this high; the list is this much higher than its lines, and
// a list too long for the window is cut to it and scrolls.
inline constexpr int kDeviceLineTwips = 195;
inline constexpr int kDeviceListExtraTwips = 245;
inline constexpr const char* kBuiltInSynthTip = "The built-in synthesizer";

enum class SetupScroll { Channel, Patch, Volume, Octave, LeadIn };
enum class SetupCheck { Default, LeftHanded, PlayClips, ShowNoteNames };
enum class SetupClose { Ok, Save, Cancel };

// Loads and shows the window for the sound in use (the SETUP button); an open window stays as
// it is.
void loadSetupWindow(Guitar& g);

// btnConfig(i): edit (and use) sound i.
void btnConfig_Click(Guitar& g, int index);
void setupScroll_Change(SetupWindow& setup, ConfigState& config, SetupScroll bar, int value);
void setupCheck_Click(SetupWindow& setup, ConfigState& config, SetupCheck box, bool checked);
// devbut: shows the device list with the sound's device selected, or hides it.
void devbut_Click(SetupWindow& setup, ConfigState& config);
// A line of the device list: the sound's device, then the list goes.
void MidiDevices_Click(SetupWindow& setup, ConfigState& config, int line);
void setupBackground_Click(SetupWindow& setup);
void TestInt_MouseDown(SetupWindow& setup, AppState& app);
void TestInt_MouseUp(SetupWindow& setup, AppState& app);
// OK, Save or Cancel: the check boxes (OK, Save) and the request, then the window goes.
void setupClose_Click(Guitar& g, SetupClose decision);

// The window's own close control, or the main window being minimized or closed: the window
// goes, the edits stay in force and nothing is requested.
void closeSetupWindow(Guitar& g);

// At each tick of the window timer: once the window has gone and its request has been carried
// out, the timer returns to its slow pace.
void settleSetupTimer(Guitar& g);

}  // namespace lutavo
