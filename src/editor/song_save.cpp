// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/song_save.h"

#include <filesystem>

#include "base/safe_file.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "editor/song_info.h"
#include "formats/imported_song.h"
#include "song/song_edit.h"
#include "song/song_writer.h"

namespace lutavo {

namespace {

bool isProgramFile(const AppState& app, const std::string& file) {
    const std::string& own = app.appFolder;
    return file.empty() || (!own.empty() && file.starts_with(own));
}

// A folder the user chose: the last one saved to, or the one named on the command line.
std::string newSongFolder(const AppState& app) {
    if (!app.lastSaveFolder.empty()) return app.lastSaveFolder;
    if (app.dataFolder != app.appFolder) return app.dataFolder;
    return app.documentsFolder;
}

}  // namespace

std::string songFileNameOf(const std::string& title) {
    std::string name;
    for (const char c : title) {
        const auto u = static_cast<unsigned char>(c);
        // A slash would name a folder; control characters and the characters other systems
        // refuse in names would make a file that is hard to open or to copy.
        if (u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string::npos)
            continue;
        if (c == ' ' && (name.empty() || name.back() == ' ')) continue;
        name += c;
    }
    // A leading dot hides the file.
    while (!name.empty() && (name.front() == '.' || name.front() == ' '))
        name.erase(0, 1);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return (name.empty() ? std::string("Untitled") : name) + ".SNG";
}

SaveOffer offeredSaveName(const SongModel& song, const AppState& app) {
    const std::string& file = song.songFile;
    if (!isProgramFile(app, file))
        return {folderOf(file), std::filesystem::path(file).filename().string()};
    const std::string& title = song.songTitle;
    return {newSongFolder(app), songFileNameOf(title == kPlaceholderTitle ? "" : title)};
}

std::string songFileText(const Guitar& g) {
    const SongTexts shown{g.ui.lblleft.caption, g.ui.lblright.caption, g.ui.pointer.visible,
                          g.ui.vpointer.visible, g.config.preferredSound};
    return songText(g.song, shown);
}

bool savesong(Guitar& g, const std::string& fileName) {
    if (!writeFileSafely(fileName, songFileText(g))) return false;
    g.ui.lblsong.caption = fileName;
    g.song.songFile = fileName;
    g.app.lastSaveFolder = folderOf(fileName);
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
