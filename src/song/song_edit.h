// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one door through which the note arrays (noteDur, noteFret, noteX), the page table
// (pageStart) and noteCount change. Loading, layout, playback, the settings panel and the editor
// all write through here, so undo and the unsaved-change flag have one place to sit.

#include <string>
#include <vector>

#include "song/song_model.h"

namespace lutavo {

// Slots outside the song proper: the metronome's length (-1), the scratch note that sounds a
// click on the neck or the capo (0) and the sound test chord (-2).
inline constexpr int kMetroSlot = -1;
inline constexpr int kScratchSlot = 0;
inline constexpr int kTestChordSlot = -2;

// Positions of the first note and of the end sentinel on a page, in pixels.
inline constexpr int kFirstNoteX = 25;
inline constexpr int kEndSentinelX = 595;

// One note slot as a whole: what copy and paste carry.
struct NoteSlot {
    i16 dur = 0;
    StringFrets frets{};
    i16 x = kUnplacedX;
};

// What undo brings back: the notes in use with the end slot, the page table, the capo and the
// texts. Only slots 1..noteCount + 1 are kept, not the whole arrays.
struct SongSnapshot {
    std::vector<NoteSlot> notes;
    FixedArray<i16, 1, 30> pageStart;
    i16 capo = 0;
    std::string title, info, composer;
};

namespace songedit {

// An empty song: no notes, the scratch and metronome slots silent and unplaced.
void clearNotes(SongModel& s);

// Before a file's notes go in: the page table empties and the scratch note goes silent.
void resetForLoad(SongModel& s);

// The metronome's beat length, kept in the metronome slot too.
void setMetroTicks(SongModel& s, int ticks);

void setFret(SongModel& s, int n, int string, int fret);
void setLength(SongModel& s, int n, int dur);
void setX(SongModel& s, int n, int x);
void setPageStart(SongModel& s, int page, int firstNote);
// Sets a string of note n to code: a struck fret, kSilent or kMuted. The held notes that
// continued the note on that string follow it: held at the new fret, or silent when the string
// rings no fret any more.
void setStringFollowed(SongModel& s, int n, int string, int code);

// A held note whose string does not ring its fret (the note it held was changed or taken away,
// or a note was put in between) is struck again: the song then holds what its file keeps.
void settleHeldNotes(SongModel& s);

// Every string of slot n at the same fret code.
void setAllFrets(SongModel& s, int n, int fret);

// Note n of a file: length, frets (lowest string first) and position.
void storeNote(SongModel& s, int n, int dur, const StringFrets& frets, int x);

// The song ends after note count: the end sentinel follows it, slot 0 is a silent rest.
void endSongAt(SongModel& s, int count);

// Opens slot k: slots k .. noteCount + 1 (the end sentinel) move up by one; slot k keeps its
// old contents until overwritten. noteCount is the caller's to raise. False, with nothing
// moved, when the song is full.
bool openSlot(SongModel& s, int k);

// NEXT at or past the last note in the editor: a silent note of length dur after the last note,
// on `page`; the page after that one starts one note later. Returns the new note's index.
int appendEmptyNote(SongModel& s, int page, int dur);

// Slots first..last as they are.
std::vector<NoteSlot> copySlots(const SongModel& s, int first, int last);
// Puts notes in at slot k, moving k .. noteCount + 1 up; noteCount grows by their number.
// False, with nothing changed, when the song would pass kMaxNotes.
bool insertSlots(SongModel& s, int k, const std::vector<NoteSlot>& notes);
// Takes slots first..last out, moving the rest and the end slot down; noteCount shrinks.
void deleteSlots(SongModel& s, int first, int last);
// Sets noteCount; the notes themselves stay where they are.
void setNoteCount(SongModel& s, int count);

// The song's three texts.
void setTexts(SongModel& s, const std::string& title, const std::string& info,
              const std::string& composer);

SongSnapshot snapshot(const SongModel& s);
// Puts a snapshot back; slots past its end keep whatever they hold. The song counts as
// changed afterwards: what it was when last saved is not known here.
void restore(SongModel& s, const SongSnapshot& shot);

// The song is as it was loaded or last saved.
void markSaved(SongModel& s);

// Moves the struck and held frets of notes by shift, as a capo move moves the song's own; refused
// (false, nothing changed) when a fret would leave lowest..the highest fret.
bool shiftFrets(std::vector<NoteSlot>& notes, int shift, int lowest);

// Moves the capo to newCapo. Frets are stored with the capo included, so with moveFrets every
// struck and held fret moves with it; refused (false, nothing changed) when a fret would leave
// the neck.
bool moveCapo(SongModel& s, int newCapo, bool moveFrets);

}  // namespace songedit
}  // namespace lutavo
