#include "song/song_edit.h"

#include <algorithm>

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

void closeSlot(SongModel& s, int k) {
    for (int j = std::max(k, 1); j <= s.noteCount + 1 && j + 1 <= s.noteDur.upper; ++j)
        copySlot(s, j + 1, j);
    changed(s);
}

void shiftPageStarts(SongModel& s, int fromPage, int delta) {
    for (int p = std::max(fromPage + 1, 1); p <= s.pageStart.upper; ++p) {
        if (s.pageStart[p] > 0) setPageStart(s, p, s.pageStart[p] + delta);
    }
}

int appendEmptyNote(SongModel& s, int after, int page, int dur) {
    setNoteCount(s, clampInt16(s.noteCount + 1));
    const int n = clampInt16(after + 1);
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

bool moveCapo(SongModel& s, int newCapo, bool moveFrets) {
    // The song's frets include the capo in force now; measure the shift from it.
    const int shift = newCapo - s.capo;
    if (moveFrets) {
        bool fits = true;
        forEachFret(s, [&](i16 f) {
            const int moved = fretOf(f) + shift;
            fits = fits && moved >= 0 && moved <= kHighestFret;
        });
        if (!fits) return false;
        forEachFret(s, [shift](i16& f) { f = static_cast<i16>(f + shift); });
    }
    if (s.capo != newCapo) changed(s);
    s.capo = static_cast<i16>(newCapo);
    return true;
}

}  // namespace lutavo::songedit
