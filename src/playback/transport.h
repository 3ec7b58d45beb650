// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The transport row (REW, FFWD, PLAY, PAUSE, BACK, NEXT, STOP, REPEAT), the repeat menu, the
// output buttons (sound, metronome, setup) and locating a note by a click on the score.

#include "core/control_ids.h"

namespace lutavo {

struct Guitar;
struct SongModel;
struct WindowControls;

// Captions and tips of the transport and output labels.
void setupTransportLabels(Guitar& g);

// Returns the repeat menu's item that REPEAT leaves to the caller (kRepeatMenuProgress), else -1.
int playbtn_Click(Guitar& g, int index);
void playbtn_MouseDown(Guitar& g, int index);
void playbtn_MouseUp(Guitar& g, int index);

void mnuRepeatLine_Click(Guitar& g);
void mnuRepeatSong_Click(Guitar& g);
void mnuRepeatCancel_Click(Guitar& g);

// The repeat menu's check marks and the REPEAT label as the repeat modes stand: the line item
// stands for a looping range.
void showRepeatState(Guitar& g);

// A new song replaces the one a repeat mode was set for: both modes go off without restoring the
// old song's note count or line duration into the new one.
void clearRepeatModes(Guitar& g);

void outbtn_Click(Guitar& g, int index);
void outbtn_MouseDown(WindowControls& ui, int index);
void outbtn_MouseUp(WindowControls& ui, int index);
void TempoBtn_Click(WindowControls& ui, SongModel& song);

// In the editor the cursor stands in the end slot, after the last note, while an empty last page
// is shown: a note entered there from the neck or the capo becomes a new note of the song. False
// when the song is full and the entry must be refused.
bool cursorOnEnterableNote(Guitar& g);

// The note whose column lies under x (pixels) on `page`, never the page's end marker.
int noteUnderX(const SongModel& song, int page, int x);

// A press on the notation or tablature picture: moves curNote to the note under x (pixels) on
// the current page; pauses a running playback there, else sounds the note.
void locatenote(Guitar& g, int x);
// The release: away from the note pressed (outside the editor), the notes from one to the other
// become the passage.
void score_MouseUp(Guitar& g, int x);

// The play range was set anew: its marks are drawn on the page, and a play under way keeps its
// place on the beat while a stopped one waits just before the passage.
void showPassage(Guitar& g);

// The page scroll bar gained or lost the focus: both run scrollpanel_Click.
// The user moved the page scroll bar: the page is drawn and the current note goes to it.
void pgScroll_UserScroll(Guitar& g, int value);
void pgScroll_GotFocus(Guitar& g);
void pgScroll_LostFocus(Guitar& g);

// Click on the panel around the page scroll bar: pauses playback and puts the position at the
// first note of the page shown (before the first note on page 1).
void scrollpanel_Click(Guitar& g);

// True while the playback timer runs.
bool isPlaying(const Guitar& g);

// Colours the transport labels with `active` red, REPEAT red while a repeat mode is on.
void colourTransportLabels(Guitar& g, int active);

}  // namespace lutavo
