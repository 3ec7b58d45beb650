#include "print/musicxml_export.h"

#include "base/safe_file.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "formats/musicxml_writer.h"
#include "print/print_song.h"

namespace lutavo {

std::string songMusicXml(const Guitar& g) {
    MusicXmlTexts texts;
    texts.left = g.ui.lblleft.caption;
    texts.right = g.ui.lblright.caption;
    const int sound = clampTo(g.config.preferredSound, 0, 3);
    texts.program = clampTo(g.config.soundPatch[sound], 0, 127);
    return musicXmlText(g.song, texts);
}

bool exportMusicXml(const Guitar& g, const std::string& path) {
    return writeFileSafely(path, songMusicXml(g));
}

void mnuExportMusicXml_Click(Guitar& g) {
    if (g.sys.dialogs == nullptr) return;
    const std::string path = g.sys.dialogs->saveFile(
        exportRequest(g, "Export MusicXML", "MusicXML scores", ".musicxml"));
    if (path.empty()) return;
    if (sameFile(path, g.song.songFile) || !exportMusicXml(g, path))
        showMessage(g, "The score could not be written to " + path + ".", "Export MusicXML");
}

}  // namespace lutavo
