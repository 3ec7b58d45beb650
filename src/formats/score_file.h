// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening another program's file as a piece: which names are taken, which reader reads them,
// and the bounds that keep a damaged or hostile file from taking more than a moment or more
// memory than a song needs.

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/score.h"

namespace lutavo {

// No piece for a guitar comes near this; a larger file, or a larger score unpacked from one,
// is refused before it is read.
inline constexpr std::uintmax_t kMaxImportBytes = 16 * 1024 * 1024;

// The kinds of file by their name's ending, for the file dialog: "*.gp3 *.gp4 ...".
std::string importPatterns();

// True for a name whose ending is one of those (in any case).
bool isImportName(const std::string& path);

// Reads the file at path; on failure the message names the file and the reason.
score::ReadResult readScoreFile(const std::string& path);

// The same for a file's bytes already in memory; path gives its name and kind.
score::ReadResult readScoreBytes(std::string_view bytes, const std::string& path);

}  // namespace lutavo
