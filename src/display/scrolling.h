// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page scroll bar, the note scroll bar with its counter, and the two position pointers.

namespace lutavo {

struct Guitar;
struct WindowControls;
struct SongModel;

// A line marker's parameter counts in steps of this many twips down the picture page.
inline constexpr int kLineMarkerStep = 100;

// The user moved the page scroll bar to value: the page is redrawn when the value changed.
// Page turns of the program go through here too.
void pgScroll_Scroll(Guitar& g, int value);

// The user moved the note scroll bar: only the counter follows, the position stays.
void ScrlNpntr_Scroll(Guitar& g, int value);

// Change handler of the note scroll bar: the counter shows its value.
void ScrlNpntr_Change(Guitar& g);

// The note count under the page, and the note scroll bar's range up to the slot after the
// last note; the bar works only when the song has a note.
void showNoteCount(Guitar& g);
// Sets the note scroll bar to v, running its change handler when the value changes.
void setNoteScroll(Guitar& g, int v);

// In the editor with the note-length scale shown, the scale points at the length of note n.
void pointLengthScale(Guitar& g, int n);

// The note scroll bar follows note n while it is a note of the song.
void shownoteCounter(Guitar& g, int n);

// Places the note pointer under the column of note n.
void placeNotePointer(SongModel& song, WindowControls& ui, int n);

}  // namespace lutavo
