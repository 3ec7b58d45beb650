// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds a song in memory the way the loader leaves it: notes, page ends, the page table, the
// sentinels and the page scroll bar, without reading a file.

#include <array>
#include <initializer_list>
#include <vector>

#include "core/guitar.h"
#include "song/song_model.h"

namespace lutavo::test {

struct NoteSpec {
    int dur;
    std::array<int, 6> frets;  // slot 1 (lowest string) first
};

// A page end (code 99), all strings silent.
inline NoteSpec pageEnd() {
    return {kEndOfPage, {-1, -1, -1, -1, -1, -1}};
}

// A note of dur ticks striking fret on one slot, the other strings silent.
inline NoteSpec single(int dur, int slot, int fret) {
    NoteSpec n{dur, {-1, -1, -1, -1, -1, -1}};
    n.frets[static_cast<std::size_t>(slot - 1)] = fret;
    return n;
}

// The notes into the song model alone, each page's notes `spacing` apart from x = 100 and its
// end at 595, as the page layout leaves them; returns the number of pages.
inline int buildSong(SongModel& s, const std::vector<NoteSpec>& notes, int spacing = 40) {
    s.noteCount = static_cast<i16>(notes.size());
    s.pageStart.fill(0);
    s.pageStart[1] = 1;
    int page = 1;
    for (int i = 1; i <= s.noteCount; ++i) {
        const NoteSpec& n = notes[static_cast<std::size_t>(i - 1)];
        s.noteDur[i] = static_cast<i16>(n.dur);
        for (int str = 1; str <= 6; ++str) {
            s.noteFret(i, str) = static_cast<i16>(n.frets[static_cast<std::size_t>(str - 1)]);
        }
        s.noteX[i] = static_cast<i16>(100 + spacing * (i - s.pageStart[page]));
        if (n.dur == kEndOfPage) {
            s.noteX[i] = 595;
            s.pageStart[++page] = static_cast<i16>(i + 1);
        }
    }
    s.pageStart[page + 1] = static_cast<i16>(s.noteCount + 2);
    for (int n : {0, s.noteCount + 1}) {
        s.noteDur[n] = 0;
        for (int str = 1; str <= 6; ++str)
            s.noteFret(n, str) = kSilent;
    }
    s.noteX[0] = 25;
    s.noteX[s.noteCount + 1] = 595;
    return page;
}

inline void buildSong(Guitar& g, const std::vector<NoteSpec>& notes, int spacing = 40) {
    const int page = buildSong(g.song, notes, spacing);
    auto& s = g.song;
    g.transport.curNote = 0;
    g.transport.curPage = 1;
    g.ui.pgScroll.min = 1;
    g.ui.pgScroll.max = page;
    g.ui.pgScroll.value = 1;
    g.ui.ScrlNpntr.max = s.noteCount;
}

}  // namespace lutavo::test
