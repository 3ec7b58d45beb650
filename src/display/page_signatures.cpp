// SPDX-License-Identifier: GPL-3.0-or-later
// Key and time signatures, and the ledger lines above and below the staff.

#include <array>

#include "core/guitar.h"
#include "display/page_draw.h"
#include "display/page_glyphs.h"

namespace lutavo {

namespace {

struct SignPlace {
    int x;
    int y;
};

inline constexpr int kMaxSigns = 7;

// The n-th sign of a key signature, left to right, on its line or space.
constexpr std::array<SignPlace, kMaxSigns> kSharpPlaces = {
    {{25, 56}, {30, 66}, {35, 53}, {40, 63}, {45, 73}, {49, 59}, {54, 70}}};
constexpr std::array<SignPlace, kMaxSigns> kFlatPlaces = {
    {{28, 70}, {32, 59}, {36, 73}, {40, 63}, {44, 77}, {48, 66}, {52, 80}}};

// The ledger glyph holds a line every 7 rows, so its height chooses how many lines are copied.
struct LedgerStep {
    int pitch;  // below the staff: bottomPitch under this; above: topPitch over this
    int y;
    int height;
};

constexpr std::array<LedgerStep, 4> kLedgersBelow = {
    {{4, 101, 22}, {8, 101, 15}, {12, 101, 8}, {15, 101, 1}}};
constexpr std::array<LedgerStep, 5> kLedgersAbove = {
    {{47, 31, 29}, {43, 38, 22}, {40, 45, 15}, {36, 52, 8}, {33, 59, 8}}};

void drawLedger(DisplayState& display, int x, const LedgerStep& step) {
    ink(display, PageSheet::Score, x - glyph::kLedgerWidth, step.y, PageSheet::Notes,
        glyph::kLedgerX, 0, glyph::kLedgerWidth, step.height, RasterOp::And);
}

}  // namespace

int activeTimeSig(const SongModel& song) {
    const int t = song.timeSig;
    return decltype(song.barTicks)::contains(t) ? t : 0;
}

int durationSymbol(const SongModel& song, int ticks) {
    const auto& table = song.durSymbol;
    if (ticks > table.upper) return glyph::kWholeSymbol;
    // A table not built yet holds zeros; no symbol lies outside 1..10.
    return clampTo(table[ticks < table.lower ? table.lower : ticks], 1, glyph::kWholeSymbol);
}

void drawKeySignature(SongModel& song, DisplayState& display) {
    const int key = song.songKey;
    const bool sharps = key % 2 != 0;
    const auto& places = sharps ? kSharpPlaces : kFlatPlaces;
    const int signX = sharps ? glyph::kSharpX : glyph::kFlatX;
    for (int n = 1; n <= kMaxSigns; ++n) {
        // Odd keys carry (key - 1) / 2 sharps, even keys key / 2 flats.
        const int needed = sharps ? 2 * n : 2 * n - 1;
        if (key <= needed) break;
        const SignPlace& at = places[n - 1];
        ink(display, PageSheet::Score, at.x, at.y, PageSheet::Notes, signX, 0, glyph::kSignWidth,
            glyph::kSignHeight, RasterOp::And);
    }
}

void drawTimeSignature(SongModel& song, DisplayState& display) {
    const int t = activeTimeSig(song);
    if (t == 0) return;
    // Moves right with the key index, leaving room for the key signature.
    const int x = 2 * (song.songKey + 16);
    ink(display, PageSheet::Score, x, glyph::kStaffTop, PageSheet::Notes, glyph::timeSigX(t), 0,
        glyph::kTimeSigWidth, glyph::kTimeSigHeight, RasterOp::And);
}

void drawLedgerLines(DisplayState& display, int x, int topPitch, int bottomPitch) {
    for (const LedgerStep& step : kLedgersBelow) {
        if (bottomPitch < step.pitch) {
            drawLedger(display, x, step);
            break;
        }
    }
    for (const LedgerStep& step : kLedgersAbove) {
        if (topPitch > step.pitch) {
            drawLedger(display, x, step);
            break;
        }
    }
}

}  // namespace lutavo
