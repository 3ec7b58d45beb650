#pragma once
// Loading a song file into the window.

#include <string>

#include <variant>

#include "song/song_reader.h"

namespace lutavo {

struct Guitar;

// Loads a song file into the song model and sets up the window for it. A file that cannot be
// used is reported and the current song stays.
void loadsong(Guitar& g, const std::string& fileName);

// Loads a song's text as though it were read from fileName: the name is shown, its folder is
// the song's folder and the song saves there.
void loadSongText(Guitar& g, const std::string& text, const std::string& fileName);

// Loads what the song reader made of fileName; what it refused is reported and the current song
// stays.
void loadParsedSong(Guitar& g, std::variant<ParsedSong, ReadFailure> result,
                    const std::string& fileName);

// The transport needs at least two notes, except in the editor: REW .. NEXT go grey and off
// below that, STOP and REPEAT grey; with two notes the editor's BACK and NEXT come on.
void setTransportState(Guitar& g);

// Plays a clip without waiting; a clip that is missing is reported once.
void playLoadClip(Guitar& g, const std::string& clip);

}  // namespace lutavo
