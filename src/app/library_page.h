// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the chord and the scale library share: the page area under the strip of types, the
// strip itself, and the locked one-page song their notes are shown and played as.

#include <functional>
#include <string>

#include "base/controls.h"
#include "song/song_model.h"

namespace lutavo {

struct Guitar;
struct DisplayState;
struct WindowControls;
struct TransportState;
struct SongModel;

// Puts the check mark on item `index` of a root menu alone (-1: on none).
void checkOnly(Menu& menu, int index);

// Moves the page down under the strip's band (all in twips), or puts it back on CLOSE.
void showLibraryPageArea(Guitar& g);
void restorePageArea(Guitar& g);
// The chords' page is as high as a song's; the scales' page is higher by the strip's band, so it
// has a song's room for the score and the tablature under the strip: the stems of a position's
// highest notes stay clear of the captions, and its lowest notes clear of the tablature.
inline constexpr int kChordPageHeight = 3000;
inline constexpr int kScalePageHeight = 3365;
void showScalePageArea(Guitar& g);

// Loads a strip of `cells` cells, one under another, and shows cell `cell` (0-based) above
// the page.
void openStrip(Guitar& g, const char* file, int cells, int cell);
// Shows another cell of the strip already loaded.
void showStripCell(DisplayState& display, WindowControls& ui, int cell);

// The strip's cell under a press at x twips, for cells `cellTwips` wide; the first cell of the
// strip holds no type. 0 when the press is outside cells 1..last.
int stripCellAt(double x, int cellTwips, int last);
// A press on the strip: the cell under it is shown pressed at once, the page hidden until the
// new one is made. Returns the cell (1..last), or 0 when the press found none.
int pressStripCell(Guitar& g, double x, int cellTwips, int last);

// Stops playing and empties the song model for a library page in the key `key`, pageHeight
// twips high.
void beginLibraryPage(Guitar& g, int key, int pageHeight);
// Slot n of the library page: one note of length dur with the six frets given.
void storeLibraryNote(SongModel& song, int n, int dur, const StringFrets& frets);
// Slot n ends the page being filled: the next note starts a page of its own. False, with nothing
// stored, when the song has no room for another page.
bool breakLibraryPage(SongModel& song, TransportState& transport, int n);

// What a library page is of: the root (a pitch class counted from E) and the formula whose
// tones the staff writes by their intervals from it.
struct LibraryTones {
    int root = 0;
    std::string formula;
};

// The texts around a library page.
struct LibraryCaptions {
    std::string song;      // lblsong
    std::string window;    // the window's caption before the title sets it
    std::string title;     // the page title (txtsititle)
    std::string right;     // top right (txtsicomp)
    std::string closeTip;  // the CLOSE button's tip
};

// Ends the library after n notes and shows its first page: transport, panels, the layout of
// every page, the key's tables with the tones written as spelled, the captions (asked for once
// the note names are spelled in the page's key; top left the formula and the tones it names),
// page 1 and the click clip.
void finishLibraryPage(Guitar& g, int n, const LibraryTones& tones,
                       const std::function<LibraryCaptions()>& captions);

}  // namespace lutavo
