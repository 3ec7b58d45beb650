// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading MusicXML scores (3.1 and 4.0, partwise and timewise), plain or compressed (.mxl).

#include <cstddef>
#include <string_view>

#include "formats/score.h"

namespace lutavo {

// The score in an uncompressed MusicXML text; on failure the reason, without the file's name.
score::ReadResult readMusicXml(std::string_view text);

// The score in a compressed MusicXML file: a zip archive whose container names the score.
// Nothing in it is unpacked beyond limit bytes.
score::ReadResult readCompressedMusicXml(std::string_view archive, std::size_t limit);

}  // namespace lutavo
