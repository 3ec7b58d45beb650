// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The effects of a song file's header on the song model and the window.

#include <string>
#include <vector>

#include "song/song_fields.h"
#include "song/song_reader.h"

namespace lutavo {

struct Guitar;

// What the header changes beyond the model: the clip played once the song is loaded.
struct LoadContext {
    bool currentFormat = true;
    std::string clip;
};

// Why a key of a song or a lesson ("song's", "lesson's") that names a file is not followed: the
// name leads out of the folder it is looked up in, or there is none.
std::string namedElsewhereMessage(const std::string& whose, const std::string& key,
                                  const std::string& value, const std::string& folder);

// Applies the header entries in file order; unknown keys are skipped.
void applyHeader(Guitar& g, const std::vector<HeaderEntry>& header, LoadContext& context);

}  // namespace lutavo
