// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving the song in memory to a song file.

#include <string>

namespace lutavo {

struct Guitar;
struct AppState;
struct SongModel;
struct ImportedParts;

// Where SAVE offers to write the song.
struct SaveOffer {
    std::string folder;
    std::string fileName;
};

// A song of the user's own is offered its own path. A new song or one of the program's own
// (under its folder) goes by its title, or "Untitled" for none, in the folder saved to last,
// else the folder named on the command line, else the user's documents folder.
SaveOffer offeredSaveName(const SongModel& song, const AppState& app);

// A song title as a file name: without characters a folder or a file name cannot hold, ".SNG"
// added; "Untitled.SNG" when nothing is left.
std::string songFileNameOf(const std::string& title);

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
