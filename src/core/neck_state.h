// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The neck and keyboard pictures as the window shows them, and the marker sheets drawn on them.

#include <vector>

#include "platform/picture.h"

namespace lutavo {

struct NeckPictures {
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
};

// One marker or key copied onto the shown neck or keyboard, in plain pixels.
struct NeckMark {
    enum class Sheet { Fingers, FingersHeld, KeyDown } sheet;
    bool onKeyboard;
    int x, y, cellX, cellY, width, height;
};

struct NeckState : NeckPictures {
    // The keyboard and the sheets are loaded once, at the first neck set-up.
    bool sheetsLoaded = false;
    // The same pictures at fineScale times their size while a zoomed window shows them (1: not
    // in use). The markers since the last refresh are kept so that a finer neck taken into use
    // shows them too.
    NeckPictures fine;
    int fineScale = 1;
    std::vector<NeckMark> marks;
};

}  // namespace lutavo
