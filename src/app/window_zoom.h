// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's zoom: Ctrl+Plus, Ctrl+Minus and Ctrl+0.

namespace lutavo {

struct Guitar;

// Moves the zoom `steps` steps up or down; 0 goes back to 100%. A step whose window would not
// fit the screen is not taken. The zoom is kept in the user's configuration file at once.
void zoomWindow(Guitar& g, int steps);

// The zoom in use follows the configured one as far as the window, at its present height,
// fits the screen; the pictures follow a change.
void fitZoomToScreen(Guitar& g);

// The screen's area for the window (pixels, its frame left out) is now width x height.
void screenChanged(Guitar& g, int width, int height);

// Draws the page, the neck and the keyboard also at the finer scale the zoom in use needs (or
// at none at 100%).
void useZoomPictures(Guitar& g);
// The same without drawing the page now (and the zoom in use fitted to the screen first): the
// next page drawn is drawn at that scale too.
void takeZoomPictures(Guitar& g);

}  // namespace lutavo
