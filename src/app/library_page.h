#pragma once
// What the chord and the scale library share: the page area under the strip of types, the
// strip itself, and the locked one-page song their notes are shown and played as.

#include <functional>
#include <string>

#include "base/controls.h"
#include "song/song_model.h"

namespace lutavo {

struct Guitar;

// Puts the check mark on item `index` of a root menu alone (-1: on none).
void checkOnly(Menu& menu, int index);

// Moves the page down under the strip's band (all in twips), or puts it back on CLOSE.
void showLibraryPageArea(Guitar& g);
void restorePageArea(Guitar& g);

// Loads a strip of `cells` cells, one under another, and shows cell `cell` (0-based) above
// the page.
void openStrip(Guitar& g, const char* file, int cells, int cell);
// Shows another cell of the strip already loaded.
void showStripCell(Guitar& g, int cell);

// The strip's cell under a press at x twips, for cells `cellTwips` wide; the first cell of the
// strip holds no type. 0 when the press is outside cells 1..last.
int stripCellAt(double x, int cellTwips, int last);
// A press on the strip: the cell under it is shown pressed at once, the page hidden until the
// new one is made. Returns the cell (1..last), or 0 when the press found none.
int pressStripCell(Guitar& g, double x, int cellTwips, int last);

// Stops playing and empties the song model for a library page in the key `key`.
void beginLibraryPage(Guitar& g, int key);
// Slot n of the library page: one note of length dur with the six frets given.
void storeLibraryNote(Guitar& g, int n, int dur, const StringFrets& frets);

// The texts around a library page.
struct LibraryCaptions {
    std::string song;      // lblsong
    std::string window;    // the window's caption before the title sets it
    std::string title;     // the page title (txtsititle)
    std::string left;      // top left (txtsiinfo)
    std::string right;     // top right (txtsicomp)
    std::string closeTip;  // the CLOSE button's tip
};

// Ends the page after n notes and shows it: transport, panels, layout, the key's tables, the
// captions (asked for once the note names are spelled in the page's key), page 1 and the
// click clip.
void finishLibraryPage(Guitar& g, int n, const std::function<LibraryCaptions()>& captions);

}  // namespace lutavo
