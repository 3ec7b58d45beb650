// SPDX-License-Identifier: GPL-3.0-or-later
// The song reader alone, fed any bytes as a song file's text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "fuzz_scratch.h"
#include "song/song_model.h"
#include "song/song_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lutavo;
    ItemReader reader(std::string(reinterpret_cast<const char*>(data), size));
    const auto result = readSongText(reader, "fuzz.SNG");
    if (const auto* song = std::get_if<ParsedSong>(&result)) {
        // The song model has room for kMaxNotes notes and no more.
        if (song->notes.size() > static_cast<std::size_t>(kMaxNotes))
            fuzz::broken("a read song fits the song model");
    } else if (std::get<ReadFailure>(result).message.empty()) {
        fuzz::broken("a refused song says why");
    }
    return 0;
}
