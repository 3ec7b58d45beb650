// SPDX-License-Identifier: GPL-3.0-or-later
// The MusicXML readers, plain and compressed, fed any bytes, and the song made of what they read.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formats/score_file.h"
#include "import_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    lutavo::fuzz::checkImport(lutavo::readScoreBytes(bytes, "fuzz.musicxml"));
    lutavo::fuzz::checkImport(lutavo::readScoreBytes(bytes, "fuzz.mxl"));
    return 0;
}
