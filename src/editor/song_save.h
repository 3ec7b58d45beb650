#pragma once
// Saving the song in memory to a song file.

#include <string>

namespace lutavo {

struct Guitar;
struct ImportedParts;

// The text savesong writes for the song as it stands.
std::string songFileText(const Guitar& g);

// Writes the song model to fileName. Returns false (and leaves any old file whole) when the
// file cannot be written.
bool savesong(Guitar& g, const std::string& fileName);

// After the shown part of an imported piece was saved as fileName, writes the other parts
// beside it (fileName's name with "-2", "-3" ...) and returns what to tell the user of what was
// written ("" for a piece of one part). The parts are then files like any other and are no
// longer held.
std::string saveOtherParts(ImportedParts& parts, const std::string& fileName);

}  // namespace lutavo
