// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lutavo {

struct Guitar;
struct DisplayState;

// Redraws the page whose number is the page scroll bar's value, completely.
void pgScroll_Change(Guitar& g);

// The labels above the page go back to the song's own texts, shown on its first page: they
// neither name the tuning nor carry a caption per page. Every new song or library page starts so.
void plainPageHeader(DisplayState& display);

// Draws the page now shown again at every scale in use, and nothing else (the playback's
// counts stay as they are).
void drawPageAgain(Guitar& g);

// Shows the first page of the page store in the page picture, whatever page the scroll bar is
// on (a lesson frame's new pictures start at their first page).
void showFirstPicturePage(Guitar& g);

// Loads the page backgrounds and the glyph sheets from the program's folder; a missing file is
// reported once and its pictures stay empty. Called once at start-up.
void loadPagePictures(Guitar& g);

}  // namespace lutavo
