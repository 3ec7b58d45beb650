// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/scrolling.h"

#include <algorithm>
#include <string>

#include "core/control_ids.h"
#include "core/guitar.h"
#include "display/page_render.h"

namespace lutavo {

namespace {

bool isNoteIndex(const SongModel& song, int n) {
    return decltype(song.noteDur)::contains(n);
}

int durationAt(const SongModel& song, int n) {
    return isNoteIndex(song, n) ? song.noteDur[n] : 0;
}

}  // namespace

void pointLengthScale(Guitar& g, int n) {
    if (g.app.appMode != kModeEditor || g.playback.swapperMode != 5) return;
    const int dur = durationAt(g.song, n);
    if (dur < 0 || dur >= kFirstControlCode) return;
    const auto& symbols = g.song.durSymbol;
    const int symbol = dur > symbols.upper ? g.song.durValue.upper : symbols[dur];
    const int pos = clampTo(symbol, g.song.durValue.lower, g.song.durValue.upper);
    g.playback.swapperPos = static_cast<i16>(pos);
    g.ui.lpointer.at.left = g.playback.swapperSlotX[pos];
}

void pgScroll_Scroll(Guitar& g, int value) {
    if (g.ui.pgScroll.set(value)) pgScroll_Change(g);
}

void ScrlNpntr_Scroll(Guitar& g, int value) {
    setNoteScroll(g, value);
}

void ScrlNpntr_Change(Guitar& g) {
    // The bar reaches the slot after the last note, where the editor appends; the counter
    // names notes of the song only.
    const int shown = std::min<int>(g.ui.ScrlNpntr.value, g.song.noteCount);
    g.ui.lblnoteof.caption = std::to_string(std::max(shown, 0));
}

void showNoteCount(Guitar& g) {
    const int count = g.song.noteCount;
    g.ui.lbloftotal.caption = std::to_string(count);
    g.ui.ScrlNpntr.max = count + 1;
    g.ui.ScrlNpntr.enabled = count >= 1;
    ScrlNpntr_Change(g);
}

void setNoteScroll(Guitar& g, int v) {
    if (g.ui.ScrlNpntr.set(v)) ScrlNpntr_Change(g);
}

void placeNotePointer(SongModel& song, WindowControls& ui, int n) {
    if (!decltype(song.noteX)::contains(n)) return;
    ui.pointer.at.left = song.noteX[n] * kTwipsPerPixel;
}

void shownoteCounter(Guitar& g, int n) {
    if (n >= 0 && n <= g.song.noteCount) setNoteScroll(g, n);
}

}  // namespace lutavo
