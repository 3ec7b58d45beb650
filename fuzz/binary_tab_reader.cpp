// SPDX-License-Identifier: GPL-3.0-or-later
// The readers of tablature files, binary (versions 3 to 5) and zipped (version 7 on), fed any
// bytes, and the song made of what they read.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formats/score_file.h"
#include "import_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    lutavo::fuzz::checkImport(lutavo::readScoreBytes(bytes, "fuzz.gp5"));
    lutavo::fuzz::checkImport(lutavo::readScoreBytes(bytes, "fuzz.gp"));
    return 0;
}
