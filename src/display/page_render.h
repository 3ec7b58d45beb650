#pragma once

namespace lutavo {

struct Guitar;

// Redraws the page whose number is the page scroll bar's value, completely.
void pgScroll_Change(Guitar& g);

// Loads the page backgrounds and the glyph sheets from the program's folder; a missing file is
// reported once and its pictures stay empty. Called once at start-up.
void loadPagePictures(Guitar& g);

}  // namespace lutavo
