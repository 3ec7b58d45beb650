// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading plain-text tablature: six lines such as e|--0--3--| per system, string names
// optional, dashes or blanks between the frets, bar lines, several systems one after another.

#include <string_view>

#include "formats/score.h"

namespace lutavo {

// The piece in the text; on failure the reason, without the file's name.
score::ReadResult readTextTab(std::string_view text);

}  // namespace lutavo
