// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's design: where every control sits before the program moves any of them, in the
// model's own units (twips). The program later moves some (panel tops, the neck, the pointers);
// the view always draws what the model says.

namespace lutavo {

struct WindowControls;
struct SetupWindow;

// Design-time layout, in pixels of the client area (the model stores them as twips).
namespace design {
inline constexpr int kToolbarHeight = 50;
inline constexpr int kModeRowTop = 3;
inline constexpr int kTransportRowTop = 26;
inline constexpr int kRowHeight = 21;
inline constexpr int kNeckTop = 51;
inline constexpr int kFretLabelTop = 142;
inline constexpr int kPageLeft = 4;
inline constexpr int kPageTop = 152;
inline constexpr int kPageWidth = 620;
inline constexpr int kScorePanelLeft = 19;
inline constexpr int kStatusHeight = 24;
inline constexpr int kAdjusterLeft = 443;
}  // namespace design

// Places every control where the window's design has it and gives the controls their fixed
// captions, tips and pictures; setdefaults runs it first, so the program and its tests start
// from the same controls.
void designForm(WindowControls& ui);

// The setup window's controls: their places inside the window, captions, tips and pictures.
void designSetupWindow(SetupWindow& w);

}  // namespace lutavo
