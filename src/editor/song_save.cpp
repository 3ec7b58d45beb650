#include "editor/song_save.h"

#include "base/safe_file.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "formats/imported_song.h"
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

std::string saveOtherParts(ImportedParts& parts, const std::string& fileName) {
    const std::size_t count = parts.texts.size();
    if (count < 2) return "";
    std::string written;
    std::string failed;
    for (std::size_t k = 0; k < count; ++k) {
        if (k == parts.shown) continue;
        const std::string name = partFileName(fileName, k, count);
        std::string& list = writeFileSafely(name, parts.texts[k]) ? written : failed;
        list += "\n" + name;
    }
    parts = {};
    std::string text = written.empty() ? "" : "The other parts were saved beside it:" + written;
    if (!failed.empty())
        text +=
            (text.empty() ? "" : "\n\n") + std::string("These parts could not be saved:") + failed;
    return text;
}

}  // namespace lutavo
