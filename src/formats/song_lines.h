// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Laying a piece's steps out as a song's lines of whole bars, and its lines into songs.

#include <vector>

#include "formats/lost_items.h"
#include "formats/song_steps.h"
#include "song/song_reader.h"

namespace lutavo::fitting {

// A line is at most this many steps (a wider one is cramped on the page) and this many bars.
inline constexpr std::size_t kLineSteps = 20;
inline constexpr std::size_t kLineBars = 4;
// A piece longer than this many songs ends with the last of them.
inline constexpr std::size_t kMaxParts = 20;

struct Line {
    std::vector<Step> steps;
    int bars = 0;
};

// Whole bars to a line while they fit; a bar longer than two lines is broken between lines.
// Where the file has lines of its own (systemStarts, one flag a bar) a line starts where the
// file's does, and only a line too long for the page is broken further. Nothing holds over a
// line's end in a song, so a held or bent string at a line's start is struck again there.
std::vector<Line> packLines(std::vector<std::vector<Step>> bars,
                            const std::vector<bool>& systemStarts, LostItems& lost);

// Lines into songs of at most kMaxPages lines and kMaxNotes notes (line ends included).
std::vector<std::vector<ParsedNote>> packParts(const std::vector<Line>& lines, LostItems& lost);

}  // namespace lutavo::fitting
