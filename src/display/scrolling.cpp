#include "display/scrolling.h"

#include <algorithm>
#include <string>

#include "core/control_ids.h"
#include "core/guitar.h"
#include "display/page_render.h"

namespace lutavo {

namespace {

// The playback engine takes a note counter this high as "the next note is due now".
inline constexpr i16 kNoteDue = 99;

// The lowest note slot that has fret codes.
inline constexpr int kFirstNoteSlot = -2;

bool isNoteIndex(const Guitar& g, int n) {
    return decltype(g.song.noteDur)::contains(n);
}

int durationAt(const Guitar& g, int n) {
    return isNoteIndex(g, n) ? g.song.noteDur[n] : 0;
}

// The page turn at an end-of-page note: the next page, or page 1 after the last one.
void turnPage(Guitar& g) {
    auto& song = g.song;
    song.curPage = clampInt16(song.curPage + 1);
    song.curNote = clampInt16(song.curNote + 1);
    g.playback.noteTicks = kNoteDue;
    const auto& bar = g.ui.pgScroll;
    pgScroll_Scroll(g, bar.value < bar.max ? bar.value + 1 : 1);
    // With one page the scroll bar keeps its value and nothing is redrawn; the page shown is
    // still the current page.
    song.curPage = static_cast<i16>(g.ui.pgScroll.value);
}

// A line marker of a picture page moves the line pointer down to the line it names.
void passLineMarker(Guitar& g) {
    auto& song = g.song;
    g.playback.noteTicks = kNoteDue;
    if (song.curNote >= kFirstNoteSlot) {
        g.ui.vpointer.at.top = song.noteFret(song.curNote, 1) * kLineMarkerStep;
    }
    song.curNote = clampInt16(song.curNote + 1);
}

// In the editor the note-length scale follows the length of the current note.
void pointLengthScale(Guitar& g) {
    if (g.app.appMode != kModeEditor || g.playback.swapperMode != 5) return;
    const int dur = durationAt(g, g.song.curNote);
    if (dur < 0 || dur >= kFirstControlCode) return;
    const auto& symbols = g.song.durSymbol;
    const int symbol = dur > symbols.upper ? g.song.durValue.upper : symbols[dur];
    const int pos = clampTo(symbol, g.song.durValue.lower, g.song.durValue.upper);
    g.playback.swapperPos = static_cast<i16>(pos);
    g.ui.lpointer.at.left = g.playback.swapperSlotX[pos];
}

}  // namespace

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

void placeNotePointer(Guitar& g) {
    const int n = g.song.curNote;
    if (!decltype(g.song.noteX)::contains(n)) return;
    g.ui.pointer.at.left = g.song.noteX[n] * kTwipsPerPixel;
}

void shownotePosition(Guitar& g) {
    auto& song = g.song;
    // Only one end-of-page note and then one line marker are passed per call.
    if (durationAt(g, song.curNote) == kEndOfPage) turnPage(g);
    if (durationAt(g, song.curNote) == kLineMarker) passLineMarker(g);
    placeNotePointer(g);
    pointLengthScale(g);
}

void shownoteCounter(Guitar& g) {
    const int n = g.song.curNote;
    if (n >= 0 && n <= g.song.noteCount) setNoteScroll(g, n);
}

}  // namespace lutavo
