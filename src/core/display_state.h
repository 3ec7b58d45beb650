// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// State of the page display, the pointers and the neck markers.

#include <string>
#include <vector>

#include "base/fixed_array.h"
#include "base/numbers.h"
#include "platform/picture.h"

namespace lutavo {

// The page drawn again from glyph sheets made at `scale` times their size, for printing and a
// zoomed window: every position is the plain page's times the scale.
struct FinePage {
    explicit FinePage(int s) : scale(s) {}
    int scale = 1;
    bool inUse = false;   // drawn at every redraw while set
    bool loaded = false;  // its sheets have been read
    Picture score;
    Picture tab;
    Picture scoreBackground;
    Picture tabBackground;
    Picture notes;
    Picture frets;
    Picture heldFrets;
};

struct DisplayState {
    // The labels above the page name the tuning in force (the TUNE page) and follow every change
    // of it.
    bool tuningHeader = false;
    // A library page's own right-hand caption for each of its pages (a scale's positions); empty
    // for a song, whose titles show on its first page only.
    std::vector<std::string> pageCaptions;

    // Neck geometry, filled by setfretboard for the playing hand (pixels of the neck picture).
    FixedArray<i16, 0, 24> fretEdgeX;
    FixedArray<i16, 0, 24> fretMarkerX;
    FixedArray<int, 1, 6> stringY;
    // Per string slot, the fret (or muted code) of the last struck note shown on it.
    FixedArray<i16, 1, 6> lastFret;
    // Distance between two note columns on the current page.
    i16 noteSpacing = 0;
    // All pages of a song with picture pages, one under another; pagewindowCells cuts it into
    // one cell per page ("frames=" of the song file sets the rows).
    Picture pagewindow;
    CellGrid pagewindowCells;

    // The two page pictures the score is drawn into, and the backgrounds each redraw starts from.
    Picture picscore;
    Picture pictab;
    Picture picscoreBackground;
    Picture pictabBackground;
    // Glyph sheets: notation symbols, black fret numbers, grey fret numbers of held notes.
    Picture picnotes;
    Picture pictabno;
    Picture pictabnx;
    // The page shown instead of the two pictures for songs whose pages are pictures.
    Picture pagepic;

    // Per string slot, the notation pitch of the last struck note drawn on it; held notes whose
    // struck note lies on an earlier page take their pitch from here.
    FixedArray<i16, 1, 6> stringPitch;
    // Ticks counted in the current bar while a page is drawn.
    i16 barTickCount = 0;

    // The page at twice and four times the size, and the scale of the drawing under way.
    FinePage fine2{2};
    FinePage fine4{4};
    int drawScale = 1;

    // Raised at every page redraw and every refresh of the settings picture, so the view knows
    // what to repaint.
    int pageRedraws = 0;
    int swapperRefreshes = 0;
};

}  // namespace lutavo
