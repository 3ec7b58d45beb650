#pragma once
// The neck and keyboard pictures as the window shows them, and the marker sheets drawn on them.

#include "platform/picture.h"

namespace lutavo {

struct NeckState {
    // What the window shows: the plain picture plus the current note's markers.
    Picture fretboard;
    Picture keyboard;
    // The pictures as loaded; a refresh copies them over the shown ones, removing the markers.
    Picture plainNeck;
    Picture plainKeyboard;
    // Marker sheets: struck notes, held notes (darker), pressed keys.
    Picture picfingers;
    Picture Picfingx;
    Picture keydown;
    // The keyboard and the sheets are loaded once, at the first neck set-up.
    bool sheetsLoaded = false;
};

}  // namespace lutavo
