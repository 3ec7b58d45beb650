// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/musicxml_export.h"

#include "base/safe_file.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "formats/musicxml_writer.h"
#include "print/print_song.h"

namespace lutavo {

MusicXmlTexts scoreTexts(const SongModel& song, const ConfigState& config) {
    MusicXmlTexts texts;
    texts.left = song.songInfo;
    texts.right = song.songComposer;
    const int sound = clampTo(config.preferredSound, 0, 3);
    texts.program = clampTo(config.soundPatch[sound], 0, 127);
    return texts;
}

void mnuExportMusicXml_Click(Guitar& g) {
    if (g.sys.dialogs == nullptr) return;
    const auto path = g.sys.dialogs->saveFile(
        exportRequest(g.song.songFile, "Export MusicXML", "MusicXML scores", ".musicxml"));
    if (!path) return;
    const std::string score = musicXmlText(g.song, scoreTexts(g.song, g.config));
    if (sameFile(*path, g.song.songFile) || !writeFileSafely(*path, score))
        showMessage(g, "The score could not be written to " + *path + ".", "Export MusicXML");
}

}  // namespace lutavo
