#include "editor/note_entry.h"

#include "core/guitar.h"

namespace lutavo {

void showSongInfo(Guitar& g) {
    g.ui.pnlsonginfo.at.top = g.app.windowHeight - 880;
}

}  // namespace lutavo
