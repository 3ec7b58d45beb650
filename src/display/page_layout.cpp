// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/page_layout.h"

#include "base/numbers.h"
#include "song/song_edit.h"

namespace lutavo {

namespace {

constexpr int kFirstColumnX = 100;
constexpr double kLineWidth = 475.0;  // from the first column to the last
constexpr i16 kWidestSpacing = 80;
constexpr i16 kEndSlotX = 595;

}  // namespace

i16 layoutpage(SongModel& s, int page) {
    if (page < 1 || page >= s.pageStart.upper) return kWidestSpacing;
    const int first = s.pageStart[page];
    const i16 gaps = clampInt16(s.pageStart[page + 1] - first - 2);
    i16 spacing = gaps >= 1 ? toInt16(kLineWidth / gaps) : kWidestSpacing;
    if (spacing > kWidestSpacing) spacing = kWidestSpacing;

    // A page table entry that points outside the note arrays has nothing to place.
    const int endSlot = gaps < 0 ? first : first + gaps + 1;
    if (!s.noteX.contains(first) || !s.noteX.contains(endSlot)) return spacing;
    for (int n = 0; n <= gaps; ++n) {
        songedit::setX(s, first + n, kFirstColumnX + spacing * n);
    }
    songedit::setX(s, endSlot, kEndSlotX);
    return spacing;
}

}  // namespace lutavo
