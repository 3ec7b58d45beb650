// SPDX-License-Identifier: GPL-3.0-or-later
#include "song/song_model.h"

#include <algorithm>

namespace lutavo {

int drawnPageCount(const SongModel& s) {
    int pages = 1;
    for (int n = 1; n <= std::min<int>(s.noteCount, kMaxNotes); ++n)
        if (s.noteDur[n] == kEndOfPage) ++pages;
    return std::min(pages, kMaxPages);
}

}  // namespace lutavo
