// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the binary tablature files of versions 3, 4 and 5 (.gp3, .gp4, .gp5).

#include <string_view>

#include "formats/score.h"

namespace lutavo {

// True when the bytes begin as such a file does, whatever its version.
bool looksLikeBinaryTab(std::string_view bytes);

// The piece in the file; on failure the reason, without the file's name.
score::ReadResult readBinaryTab(std::string_view bytes);

}  // namespace lutavo
