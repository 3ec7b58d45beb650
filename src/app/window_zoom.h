#pragma once
// The window's zoom: Ctrl+Plus, Ctrl+Minus and Ctrl+0.

namespace lutavo {

struct Guitar;

// Moves the zoom `steps` steps up or down; 0 goes back to 100%. The zoom is kept in the user's
// configuration file at once.
void zoomWindow(Guitar& g, int steps);

// Draws the page, the neck and the keyboard also at the finer scale the zoom needs (or at none
// at 100%).
void useZoomPictures(Guitar& g);
// The same without drawing the page now: the next page drawn is drawn at that scale too.
void takeZoomPictures(Guitar& g);

}  // namespace lutavo
