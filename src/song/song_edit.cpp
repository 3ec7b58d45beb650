// SPDX-License-Identifier: GPL-3.0-or-later
#include "song/song_edit.h"

#include <algorithm>
#include <array>

#include "song/fret_codes.h"

namespace lutavo::songedit {

namespace {

// Visits every struck and held fret of the song's notes. Silent, bent and muted strings have no
// fret, and markers hold no frets.
template <typename Visit>
void forEachFret(SongModel& s, Visit visit) {
    for (int n = 1; n <= s.noteCount; ++n) {
        if (isMarker(s.noteDur[n])) continue;
        for (int str = 1; str <= kStrings; ++str) {
            i16& f = s.noteFret(n, str);
            if (f >= 0) visit(f);
        }
    }
}

// A struck or held fret moved by shift stays within lowest..the highest fret.
bool movesWithin(i16 code, int shift, int lowest) {
    const int moved = fretOf(code) + shift;
    return moved >= lowest && moved <= kHighestFret;
}

template <typename Visit>
void forEachFret(std::vector<NoteSlot>& notes, Visit visit) {
    for (NoteSlot& note : notes) {
        if (isMarker(note.dur)) continue;
        for (i16& f : note.frets) {
            if (f >= 0) visit(f);
        }
    }
}

void copySlot(SongModel& s, int from, int to) {
    for (int str = 1; str <= kStrings; ++str)
        s.noteFret(to, str) = s.noteFret(from, str);
    s.noteDur[to] = s.noteDur[from];
    s.noteX[to] = s.noteX[from];
}

// Only the song's own notes count as a change; the scratch, metronome and test-chord slots
// below 1 are the program's.
void changed(SongModel& s) {
    s.modified = true;
    ++s.changes;
}

void noteChanged(SongModel& s, int n) {
    if (n >= 1) changed(s);
}

}  // namespace

void clearNotes(SongModel& s) {
    s.noteCount = 0;
    s.modified = false;
    for (int n = s.noteDur.lower; n <= 1; ++n)
        s.noteDur[n] = 8;
    s.noteDur[kMetroSlot] = 16;
    setAllFrets(s, kMetroSlot, kSilent);
    setAllFrets(s, kScratchSlot, kSilent);
    s.noteX[kMetroSlot] = kUnplacedX;
    s.noteX[kScratchSlot] = kUnplacedX;
}

void resetForLoad(SongModel& s) {
    for (int p = s.pageStart.lower; p <= s.pageStart.upper; ++p)
        s.pageStart[p] = 0;
    setAllFrets(s, kScratchSlot, kSilent);
    s.noteX[kScratchSlot] = kFirstNoteX;
}

void setMetroTicks(SongModel& s, int ticks) {
    s.metroTicks = static_cast<i16>(ticks);
    s.noteDur[kMetroSlot] = s.metroTicks;
}

void setFret(SongModel& s, int n, int string, int fret) {
    noteChanged(s, n);
    s.noteFret(n, string) = static_cast<i16>(fret);
}

void setLength(SongModel& s, int n, int dur) {
    noteChanged(s, n);
    s.noteDur[n] = static_cast<i16>(dur);
}

void setX(SongModel& s, int n, int x) {
    s.noteX[n] = static_cast<i16>(x);
}

void setPageStart(SongModel& s, int page, int firstNote) {
    s.pageStart[page] = static_cast<i16>(firstNote);
}

void setStringFollowed(SongModel& s, int n, int string, int code) {
    setFret(s, n, string, code);
    const int held = isStruck(code) ? code + kHeldBase : kSilent;
    for (int j = n + 1; j <= s.noteCount && !isMarker(s.noteDur[j]); ++j) {
        if (!isHeld(s.noteFret(j, string))) break;
        setFret(s, j, string, held);
    }
}

// What a string rings as the song file is read: a page end stops every string, a silent string
// stops, a bent or muted one goes on with the fret it had.
struct Ringing {
    bool on = false;
    int fret = 0;
};

void settleHeldNotes(SongModel& s) {
    std::array<Ringing, kStrings> strings{};
    for (int n = 1; n <= s.noteCount; ++n) {
        if (s.noteDur[n] == kEndOfPage) {
            strings.fill({});
            continue;
        }
        // A line marker's first field is its place on the picture, not a fret.
        for (int str = s.noteDur[n] == kLineMarker ? 2 : 1; str <= kStrings; ++str) {
            Ringing& r = strings[static_cast<std::size_t>(str - 1)];
            const int f = s.noteFret(n, str);
            // A held open string, capo included, has a field of its own in the file.
            const bool keeps = f == kHeldBase + s.capo || (r.on && r.fret == fretOf(f));
            if (isHeld(f) && !keeps) setFret(s, n, str, fretOf(f));
            if (hasFret(f)) r = {true, fretOf(f)};
            r.on = f != kSilent;
        }
    }
}

void setAllFrets(SongModel& s, int n, int fret) {
    for (int str = 1; str <= kStrings; ++str)
        setFret(s, n, str, fret);
}

void storeNote(SongModel& s, int n, int dur, const StringFrets& frets, int x) {
    setLength(s, n, dur);
    for (int str = 1; str <= kStrings; ++str)
        setFret(s, n, str, frets[static_cast<std::size_t>(str - 1)]);
    setX(s, n, x);
}

void endSongAt(SongModel& s, int count) {
    s.noteCount = static_cast<i16>(count);
    setX(s, count + 1, kEndSentinelX);
    setLength(s, count + 1, 0);
    setLength(s, kScratchSlot, 0);
    setAllFrets(s, count + 1, kSilent);
    setAllFrets(s, kScratchSlot, kSilent);
}

bool openSlot(SongModel& s, int k) {
    if (k < 1 || s.noteCount + 2 > s.noteDur.upper) return false;
    for (int j = s.noteCount + 1; j >= k; --j)
        copySlot(s, j, j + 1);
    changed(s);
    return true;
}

int appendEmptyNote(SongModel& s, int page, int dur) {
    // From the end slot too (the cursor on an empty last page) the note follows the last one:
    // a note placed past the end slot would leave that slot, of no length, inside the song.
    setNoteCount(s, clampInt16(s.noteCount + 1));
    const int n = s.noteCount;
    const int nextPage = clampTo(page + 1, 1, kMaxPages + 1);
    setPageStart(s, nextPage, s.pageStart[nextPage] + 1);
    setAllFrets(s, n, kSilent);
    setAllFrets(s, n + 1, kSilent);
    setLength(s, n, dur);
    setLength(s, s.noteCount + 1, 0);
    setX(s, s.noteCount + 1, kEndSentinelX);
    return n;
}

std::vector<NoteSlot> copySlots(const SongModel& s, int first, int last) {
    std::vector<NoteSlot> notes;
    for (int n = std::max(first, 1); n <= last && n <= s.noteDur.upper; ++n) {
        NoteSlot slot{s.noteDur[n], {}, s.noteX[n]};
        for (int str = 1; str <= kStrings; ++str)
            slot.frets[static_cast<std::size_t>(str - 1)] = s.noteFret(n, str);
        notes.push_back(slot);
    }
    return notes;
}

bool insertSlots(SongModel& s, int k, const std::vector<NoteSlot>& notes) {
    const int count = static_cast<int>(notes.size());
    if (k < 1 || k > s.noteCount + 1 || s.noteCount + count > kMaxNotes) return false;
    for (int j = s.noteCount + 1; j >= k; --j)
        copySlot(s, j, j + count);
    for (int i = 0; i < count; ++i) {
        const NoteSlot& note = notes[static_cast<std::size_t>(i)];
        storeNote(s, k + i, note.dur, note.frets, note.x);
    }
    setNoteCount(s, s.noteCount + count);
    return true;
}

void deleteSlots(SongModel& s, int first, int last) {
    if (first < 1 || last < first || last > s.noteCount) return;
    const int count = last - first + 1;
    for (int j = last + 1; j <= s.noteCount + 1; ++j)
        copySlot(s, j, j - count);
    setNoteCount(s, s.noteCount - count);
}

void setNoteCount(SongModel& s, int count) {
    s.noteCount = static_cast<i16>(count);
    changed(s);
}

void setTexts(SongModel& s, const std::string& title, const std::string& info,
              const std::string& composer) {
    if (s.songTitle == title && s.songInfo == info && s.songComposer == composer) return;
    s.songTitle = title;
    s.songInfo = info;
    s.songComposer = composer;
    changed(s);
}

SongSnapshot snapshot(const SongModel& s) {
    SongSnapshot shot;
    shot.notes = copySlots(s, 1, s.noteCount + 1);
    shot.pageStart = s.pageStart;
    shot.capo = s.capo;
    shot.title = s.songTitle;
    shot.info = s.songInfo;
    shot.composer = s.songComposer;
    return shot;
}

void restore(SongModel& s, const SongSnapshot& shot) {
    const int slots = static_cast<int>(shot.notes.size());
    for (int i = 0; i < slots; ++i) {
        const NoteSlot& note = shot.notes[static_cast<std::size_t>(i)];
        storeNote(s, i + 1, note.dur, note.frets, note.x);
    }
    s.noteCount = static_cast<i16>(std::max(slots - 1, 0));
    s.pageStart = shot.pageStart;
    s.capo = shot.capo;
    s.songTitle = shot.title;
    s.songInfo = shot.info;
    s.songComposer = shot.composer;
    changed(s);
}

void markSaved(SongModel& s) {
    s.modified = false;
}

bool shiftFrets(std::vector<NoteSlot>& notes, int shift, int lowest) {
    bool fits = true;
    forEachFret(notes, [&](i16 f) { fits = fits && movesWithin(f, shift, lowest); });
    if (!fits) return false;
    forEachFret(notes, [shift](i16& f) { f = static_cast<i16>(f + shift); });
    return true;
}

bool moveCapo(SongModel& s, int newCapo, bool moveFrets) {
    // The song's frets include the capo in force now; measure the shift from it.
    const int shift = newCapo - s.capo;
    if (moveFrets) {
        bool fits = true;
        forEachFret(s, [&](i16 f) { fits = fits && movesWithin(f, shift, 0); });
        if (!fits) return false;
        forEachFret(s, [shift](i16& f) { f = static_cast<i16>(f + shift); });
    }
    if (s.capo != newCapo) changed(s);
    s.capo = static_cast<i16>(newCapo);
    return true;
}

}  // namespace lutavo::songedit
