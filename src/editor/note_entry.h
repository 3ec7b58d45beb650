#pragma once
// Note entry on the neck and the song information panel.

namespace lutavo {

struct Guitar;

// INFO: the song information panel comes into view with the focus on the title.
void showSongInfo(Guitar& g);

}  // namespace lutavo
