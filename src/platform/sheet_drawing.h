// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A printed sheet as shapes, glyphs of the music font and texts. Positions and sizes are in
// points (1/72 inch) from the paper's top left corner, y downwards.

#include <string>
#include <vector>

#include "platform/picture.h"

namespace lutavo {

struct SheetPoint {
    double x = 0;
    double y = 0;
};

struct SheetLine {
    SheetPoint from, to;
    double width = 0.5;
    Rgb colour = kRgbBlack;
};

// A filled shape: a polygon, or a closed outline of cubic curves when `curved` (points after the
// first in threes: two control points and an end).
struct SheetShape {
    std::vector<SheetPoint> points;
    bool curved = false;
    Rgb colour = kRgbBlack;
};

// A glyph of the music font by its character, its origin (the baseline's left end) at `at`;
// `size` is the font's size in points.
struct SheetGlyph {
    char32_t code = 0;
    SheetPoint at;
    double size = 20;
};

enum class TextFace { Serif, SerifBold, Sans, SansBold };
enum class TextAlign { Left, Centre, Right };

// A text whose baseline passes through `at`, aligned there as `align` says.
struct SheetText {
    std::string text;
    SheetPoint at;
    double size = 10;
    TextFace face = TextFace::Serif;
    TextAlign align = TextAlign::Left;
    Rgb colour = kRgbBlack;
};

// A picture filling a rectangle (a song whose pages are pictures prints them as they are).
struct SheetPicture {
    Picture picture;
    SheetPoint at;
    double width = 0;
    double height = 0;
};

// White ground under a fret number, so that the tablature line stops at it; drawn first.
struct SheetClear {
    SheetPoint at;
    double width = 0;
    double height = 0;
};

struct SheetDrawing {
    std::vector<SheetClear> clears;
    std::vector<SheetLine> lines;
    std::vector<SheetShape> shapes;
    std::vector<SheetGlyph> glyphs;
    std::vector<SheetText> texts;
    std::vector<SheetPicture> pictures;
};

// The paper a sheet is printed on, in points.
struct PaperSize {
    double width = 0;
    double height = 0;
    bool operator==(const PaperSize&) const = default;
};

inline constexpr PaperSize kA4{595.276, 841.89};
inline constexpr PaperSize kLetter{612, 792};

}  // namespace lutavo
