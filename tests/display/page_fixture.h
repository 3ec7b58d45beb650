// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Guitar with page pictures and glyph sheets served from memory, a small song builder and
// questions about the copies a redraw made.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/guitar.h"
#include "fakes/fake_pictures.h"
#include "fakes/song_builder.h"
#include "fakes/test_rig.h"
#include "platform/picture.h"

namespace lutavo::test {

// Frets per string slot 1..6 (slot 1 the lowest string).
using Frets = std::array<int, 6>;
inline constexpr Frets kRest = {-1, -1, -1, -1, -1, -1};

// A chord with only slot `slot` sounding fret `fret`.
Frets single(int slot, int fret);

// The rectangle of a copy: destination x, y, source x, y, width, height.
using Rect = std::array<int, 6>;

class PageTest : public ::testing::Test {
  protected:
    PageTest();

    // Appends a note to the song being built; endPage starts a new page.
    void note(int dur, const Frets& frets) { notes_.push_back({dur, frets}); }
    void endPage() { notes_.push_back(pageEnd()); }
    // Closes the song: page table, sentinels, note positions `spacing` apart from x = 100, the
    // page scroll bar on page 1, and the key and pitch tables.
    void finish(int spacing = 80);
    // Redraws page `page`, recording the copies into both page pictures.
    void draw(int page = 1);

    // Copies made from `source` into the picture `into`.
    std::vector<BlitRecord> copies(const Picture& into, const Picture& source) const;
    // True when a copy of exactly this rectangle was made.
    bool copied(const Picture& into, const Picture& source, Rect r, RasterOp op) const;
    // Copies from `source` whose source x is srcX.
    int countFrom(const Picture& into, const Picture& source, int srcX) const;

    Rig rig;
    Guitar& g;
    FakePictureIO io;
    DisplayState& d;
    std::vector<BlitRecord> scoreLog;
    std::vector<BlitRecord> tabLog;

  private:
    std::vector<NoteSpec> notes_;
};

}  // namespace lutavo::test
