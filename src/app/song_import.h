// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening other programs' files (tablature, MusicXML, text tablature) as songs: in the window,
// and as song files from the command line.

#include <string>
#include <vector>

namespace lutavo {

struct Guitar;

// True for a file the importer reads rather than the song reader.
bool isImportFile(const std::string& path);

// Reads the file, asks which track when it has several, and loads the song made of it (its
// first part when it is longer than one song), named as a song file beside it. What changed or
// was not kept is told in one message. False, with the song in memory unchanged, when the file
// is refused or the choice cancelled.
bool importSong(Guitar& g, const std::string& path);

// What a conversion on the command line did.
struct ImportRun {
    std::vector<std::string> written;  // the song files, in order
    std::vector<std::string> notes;    // what changed or was not kept
    std::string error;                 // why nothing was written, "" when all went well
};

// Converts the file at in into the song file out, or into out's name with "-1", "-2" ... for
// a piece longer than one song. track is the file's track number, counted from 1 as the picker
// shows it (0: the one the picker offers first); sound is the sound a song keeps when the file
// names none.
ImportRun importToSongFiles(const std::string& in, const std::string& out, int track, int sound);

}  // namespace lutavo
