#include "editor/song_save.h"

#include "base/safe_file.h"
#include "core/guitar.h"
#include "song/song_edit.h"
#include "song/song_writer.h"

namespace lutavo {

std::string songFileText(const Guitar& g) {
    const SongTexts shown{g.ui.lblleft.caption, g.ui.lblright.caption, g.ui.pointer.visible,
                          g.ui.vpointer.visible, g.config.preferredSound};
    return songText(g.song, shown);
}

bool savesong(Guitar& g, const std::string& fileName) {
    if (!writeFileSafely(fileName, songFileText(g))) return false;
    g.ui.lblsong.caption = fileName;
    g.song.songFile = fileName;
    songedit::markSaved(g.song);
    return true;
}

}  // namespace lutavo
