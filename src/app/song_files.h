// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading a song file into the window.

#include <optional>
#include <string>

namespace lutavo {

struct Guitar;

// Loads a song file into the song model and sets up the window for it. A file that cannot be
// used is reported and the current song stays. With a text, the song is read from it as though
// it were fileName's: the name is shown, its folder is the song's folder and it saves there.
void loadsong(Guitar& g, const std::string& fileName,
              const std::optional<std::string>& text = std::nullopt);

// The song as it was last loaded or saved, read again from its file; a new song not yet saved
// is the new-song template again.
void reloadSong(Guitar& g);

// The transport needs at least two notes, except in the editor: REW .. NEXT go grey and off
// below that, STOP and REPEAT grey; with two notes the editor's BACK and NEXT come on.
void setTransportState(Guitar& g);

// Plays a clip without waiting; a clip that is missing is reported once.
void playLoadClip(Guitar& g, const std::string& clip);

}  // namespace lutavo
