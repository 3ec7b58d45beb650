// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/imported_song.h"

#include <memory>

#include "song/song_defaults.h"
#include "song/song_edit.h"
#include "song/song_writer.h"

namespace lutavo {

std::string ImportedSong::partTitle(std::size_t part) const {
    if (parts.size() < 2) return title;
    return title + " (" + std::to_string(part + 1) + " of " + std::to_string(parts.size()) + ")";
}

std::string partFileName(const std::string& path, std::size_t part, std::size_t count) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    std::string stem = hasExt ? path.substr(0, dot) : path;
    const std::string ext = hasExt ? path.substr(dot) : ".SNG";
    const std::size_t dash = stem.rfind('-');
    if (dash != std::string::npos && dash + 1 < stem.size() && stem.size() - dash <= 3 &&
        stem.find_first_not_of("0123456789", dash + 1) == std::string::npos &&
        (slash == std::string::npos || dash > slash + 1)) {
        const std::size_t n = std::stoul(stem.substr(dash + 1));
        if (n >= 1 && n <= count) stem.resize(dash);
    }
    return stem + "-" + std::to_string(part + 1) + ext;
}

std::string importedSongText(const ImportedSong& song, std::size_t part, int otherSound) {
    // The song's own writer makes the text, so an import is written exactly as a saved song.
    auto model = std::make_unique<SongModel>();
    SongModel& s = *model;
    setSongDefaults(s);
    songedit::clearNotes(s);
    s.songTitle = song.partTitle(part);
    s.songKey = static_cast<i16>(song.songKey);
    s.timeSig = static_cast<i16>(song.timeSig);
    s.tempo = static_cast<i16>(song.tempo);
    s.capo = static_cast<i16>(song.capo);
    for (int slot = 1; slot <= kStrings; ++slot)
        s.altTuning[slot] = static_cast<i16>(song.altTuning[static_cast<std::size_t>(slot - 1)]);
    const std::vector<ParsedNote>& notes = song.parts.at(part);
    int n = 0;
    for (const ParsedNote& note : notes)
        songedit::storeNote(s, ++n, note.dur, note.frets, note.x);
    songedit::endSongAt(s, n);
    SongTexts texts;
    texts.left = song.info;
    texts.right = song.composer;
    texts.pointer = true;
    texts.style = song.sound >= 0 ? song.sound : otherSound;
    return songText(s, texts);
}

}  // namespace lutavo
