// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/play_range.h"

#include <algorithm>

#include "song/song_model.h"

namespace lutavo {

namespace {

bool isPassageNote(const SongModel& song, int n) {
    return n >= 1 && n <= song.noteCount && song.noteDur[n] < kFirstControlCode;
}

}  // namespace

int passageNoteFrom(const SongModel& song, int n) {
    for (int i = std::max(n, 1); i <= song.noteCount; ++i)
        if (isPassageNote(song, i)) return i;
    return 0;
}

int passageNoteUpTo(const SongModel& song, int n) {
    for (int i = std::min<int>(n, song.noteCount); i >= 1; --i)
        if (isPassageNote(song, i)) return i;
    return 0;
}

PlayRange draggedPassage(const SongModel& song, PlayRange range, int from, int to) {
    const int first = passageNoteFrom(song, std::min(from, to));
    const int last = passageNoteUpTo(song, std::max(from, to));
    if (first < 1 || last < first) return range;
    range.first = static_cast<i16>(first);
    range.last = static_cast<i16>(last);
    return range;
}

}  // namespace lutavo
