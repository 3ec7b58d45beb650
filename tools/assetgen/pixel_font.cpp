// SPDX-License-Identifier: GPL-3.0-or-later
#include "pixel_font.h"

#include <array>
#include <vector>

#include "art.h"

namespace lutavo::assetgen {

namespace {

using Rows = std::vector<const char*>;

// The characters each face draws in its own shapes; the rest come from the regular face.
struct FaceGlyphs {
    std::array<Rows, 10> digits;
    std::array<Rows, 7> letters;  // A..G
    Rows sharp;
};

const FaceGlyphs& regularFace() {
    static const FaceGlyphs face = {
        {{
            {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
            {"..#..", ".##..", "#.#..", "..#..", "..#..", "..#..", "#####"},
            {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
            {".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."},
            {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
            {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
            {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
            {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
            {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
            {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
        }},
        {{
            {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"},  // A
            {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."},  // B
            {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."},  // C
            {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."},  // D
            {"#####", "#....", "#....", "####.", "#....", "#....", "#####"},  // E
            {"#####", "#....", "#....", "####.", "#....", "#....", "#...."},  // F
            {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"},  // G
        }},
        {".....", ".#.#.", "#####", ".#.#.", "#####", ".#.#.", "....."}};
    return face;
}

const FaceGlyphs& narrowFace() {
    static const FaceGlyphs face = {
        {{
            {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."},
            {"..#.", ".##.", "..#.", "..#.", "..#.", "..#.", ".###"},
            {".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"},
            {"###.", "...#", "...#", ".##.", "...#", "...#", "###."},
            {"..#.", ".##.", "#.#.", "#.#.", "####", "..#.", "..#."},
            {"####", "#...", "###.", "...#", "...#", "#..#", ".##."},
            {".##.", "#...", "#...", "###.", "#..#", "#..#", ".##."},
            {"####", "...#", "..#.", "..#.", ".#..", ".#..", ".#.."},
            {".##.", "#..#", "#..#", ".##.", "#..#", "#..#", ".##."},
            {".##.", "#..#", "#..#", ".###", "...#", "...#", ".##."},
        }},
        {{
            {".##.", "#..#", "#..#", "####", "#..#", "#..#", "#..#"},  // A
            {"###.", "#..#", "#..#", "###.", "#..#", "#..#", "###."},  // B
            {".##.", "#..#", "#...", "#...", "#...", "#..#", ".##."},  // C
            {"###.", "#..#", "#..#", "#..#", "#..#", "#..#", "###."},  // D
            {"####", "#...", "#...", "###.", "#...", "#...", "####"},  // E
            {"####", "#...", "#...", "###.", "#...", "#...", "#..."},  // F
            {".##.", "#..#", "#...", "#.##", "#..#", "#..#", ".###"},  // G
        }},
        {"....", ".#.#", "####", ".#.#", "####", ".#.#", "...."}};
    return face;
}

// The face's own shape of c, or none.
const Rows* ownGlyph(const FaceGlyphs& face, char c) {
    if (c >= '0' && c <= '9') return &face.digits[static_cast<std::size_t>(c - '0')];
    if (c >= 'A' && c <= 'G') return &face.letters[static_cast<std::size_t>(c - 'A')];
    if (c == '#') return &face.sharp;
    return nullptr;
}

// Signs only the regular face draws; anything unknown is a narrow gap.
const Rows& sharedGlyph(char c) {
    static const Rows flat = {"#..", "#..", "#..", "##.", "#.#", "#.#", "##."};
    static const Rows dash = {"...", "...", "...", "###", "...", "...", "..."};
    static const Rows slash = {"....#", "...#.", "...#.", "..#..", ".#...", ".#...", "#...."};
    static const Rows blank = {".."};
    if (c == 'b') return flat;
    if (c == '-') return dash;
    if (c == '/') return slash;
    return blank;
}

const Rows& glyphFor(char c, PixelFace face) {
    const Rows* own = ownGlyph(face == PixelFace::Narrow ? narrowFace() : regularFace(), c);
    return own != nullptr ? *own : sharedGlyph(c);
}

}  // namespace

int pixelCharWidth(char c, PixelFace face) {
    return static_cast<int>(std::string_view(glyphFor(c, face).front()).size());
}

int pixelTextWidth(std::string_view text, PixelFace face) {
    int width = 0;
    for (char c : text)
        width += pixelCharWidth(c, face) + 1;
    return text.empty() ? 0 : width - 1;
}

int drawPixelText(QImage& image, int x, int y, std::string_view text, PixelFace face, QRgb ink) {
    for (char c : text) {
        stampRows(image, x, y, glyphFor(c, face), ink);
        x += pixelCharWidth(c, face) + 1;
    }
    return x;
}

}  // namespace lutavo::assetgen
