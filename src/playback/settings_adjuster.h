// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The song settings panel: seven setting buttons share one scale picture (PicSwapper) whose
// pointer (lpointer) marks the chosen slot. Pressing on the scale chooses a slot, releasing
// applies it. The capo picture on the neck sounds the strings at the capo fret.

#include "core/control_ids.h"

namespace lutavo {

struct Guitar;
struct PlaybackState;
struct SongModel;
struct WindowControls;

inline constexpr int kLeadInSlots = 9;
inline constexpr int kNoteLengthSlots = 10;
// Where the scale picture sits in the adjuster and how wide its pointer is (twips): the
// pointer's tip is at its middle.
inline constexpr int kScaleLeft = 30;
inline constexpr int kSlotPointerWidth = 300;
inline constexpr int kSlotPointerHeight = 150;

// Captions and tips of the setting buttons and labels; called once at start-up.
void setupSettingsPanel(WindowControls& ui);

// Click on btnSwapper element `button` (0..6): opens that setting's scale.
void btnSwapper_Click(Guitar& g, int button);

// Mouse down on PicSwapper at x (twips): chooses the nearest slot and moves the pointer there.
void PicSwapper_MouseDown(Guitar& g, int x);

// Mouse up on PicSwapper: applies the chosen slot to the setting shown.
void PicSwapper_MouseUp(Guitar& g);

// Something is dragged over lpointer at x (twips).
void lpointer_DragOver(WindowControls& ui, int x);

// Mouse down / up on the capo picture at y (twips from its top): sounds the string there at
// the capo fret, or in the editor toggles that string of the current note.
void piccapo_MouseDown(Guitar& g, int y);
void piccapo_MouseUp(Guitar& g);

// Shows a scale picture of `slots` slots and fills swapperSlotX for it.
void showScale(PlaybackState& playback, WindowControls& ui, const char* picture, int slots);

// The pointer's left edge (twips) for slot k of a scale of `slots` slots: its tip on the
// slot's label, at the middle of the stretch of the scale that chooses the slot.
int slotLeft(int slots, int k);

// The slot under x (twips) on a scale of `slots` slots, within 1..slots.
int slotAt(int slots, int x);

// Shows the lead-in scale as a song closes: the pointer stays at the slot it had, and the
// chosen slot becomes the configured lead-in's.
void showLeadInScaleOnClose(Guitar& g);

// Beats a minute of a beat of beatTicks ticks, each tickMicros long, rounded half to even.
int beatsPerMinute(long long tickMicros, int beatTicks);

// The tempo labels: what plays, in beats a minute of the song's beat (its metronome ticks) at
// the tick interval of the tempo step and the speed, and the speed in percent.
void showTempo(WindowControls& ui, const SongModel& song, int percent);

// The playback timer takes the interval of the song's tempo step at the practice speed, and
// the labels show it.
void applyPlayInterval(Guitar& g);

// Colours the setting labels: time signature, key and capo grey unless the song is stopped,
// the setting shown red.
void colourSettingLabels(Guitar& g);

}  // namespace lutavo
