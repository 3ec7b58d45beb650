// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The promises every import keeps, whatever the file: a refusal says why; a piece read becomes
// songs within the song model's limits that the song file reader takes back whole.

#include <variant>

#include "formats/song_fitting.h"
#include "fuzz_scratch.h"
#include "song/fret_codes.h"
#include "song/song_reader.h"

namespace lutavo::fuzz {

inline void checkImport(const score::ReadResult& read) {
    if (const auto* failure = std::get_if<score::ImportFailure>(&read)) {
        if (failure->message.empty()) broken("a refused file says why");
        return;
    }
    const score::Score& piece = std::get<score::Score>(read);
    const auto choices = trackChoices(piece);
    if (choices.empty()) return;
    const ImportedSong song = fitToSong(piece, choices[preferredChoice(choices)].track);
    if (song.parts.empty()) broken("an import makes at least one song");
    for (std::size_t k = 0; k < song.parts.size(); ++k) {
        const auto& notes = song.parts[k];
        if (notes.size() > static_cast<std::size_t>(kMaxNotes))
            broken("a part fits the song model");
        for (const ParsedNote& n : notes) {
            if (n.dur < 1 || (n.dur > 89 && n.dur != kEndOfPage)) broken("a length is a song's");
        }
        ItemReader reader(importedSongText(song, k, 0));
        const auto back = readSongText(reader, "import.SNG");
        const auto* parsed = std::get_if<ParsedSong>(&back);
        if (parsed == nullptr || parsed->notes.size() != notes.size())
            broken("the song file of an import is read back whole");
    }
}

}  // namespace lutavo::fuzz
