#include "editor/song_save.h"

#include "base/safe_file.h"
#include "core/guitar.h"
#include "song/song_edit.h"
#include "song/song_writer.h"

namespace lutavo {

bool savesong(Guitar& g, const std::string& fileName) {
    const SongTexts shown{g.ui.lblleft.caption, g.ui.lblright.caption, g.ui.pointer.visible,
                          g.ui.vpointer.visible, g.config.preferredSound};
    if (!writeFileSafely(fileName, songText(g.song, shown))) return false;
    g.transport.curNote = static_cast<i16>(g.song.noteCount + 1);
    g.ui.lblsong.caption = fileName;
    g.song.songFile = fileName;
    songedit::markSaved(g.song);
    return true;
}

}  // namespace lutavo
