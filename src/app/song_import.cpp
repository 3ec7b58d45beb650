// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/song_import.h"

#include <filesystem>

#include "app/song_files.h"
#include "base/safe_file.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "formats/score_file.h"
#include "formats/song_fitting.h"

namespace lutavo {

namespace {

// The song file an imported piece is named as: beside the file, with the song's extension.
std::string songNameFor(const std::string& path, std::size_t parts) {
    const std::filesystem::path p(path);
    const std::string plain = (p.parent_path() / p.stem()).string() + ".SNG";
    return parts > 1 ? partFileName(plain, 0, parts) : plain;
}

std::vector<std::string> songTexts(const ImportedSong& song, int sound) {
    std::vector<std::string> texts;
    for (std::size_t k = 0; k < song.parts.size(); ++k)
        texts.push_back(importedSongText(song, k, sound));
    return texts;
}

std::string fileNameOnly(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// What the user is told after an import: tuning and tempo changes, then what was not kept.
std::vector<std::string> importNotes(const ImportedSong& song) {
    std::vector<std::string> notes = song.notices;
    const std::string lost = song.lost.message();
    if (!lost.empty()) notes.push_back(lost + ".");
    return notes;
}

std::string partsNotice(const std::string& path, const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& n : names)
        list += (list.empty() ? "" : ", ") + fileNameOnly(n);
    return fileNameOnly(path) + " is longer than one song holds (" + std::to_string(kMaxNotes) +
           " notes, " + std::to_string(kMaxPages) + " lines), so it was made into " +
           std::to_string(names.size()) +
           " songs, one after the other. The first is shown; SAVE "
           "in the editor writes all of them beside each other: " +
           list + ".";
}

// The track to import: the only one, the one chosen, or none when the choice is cancelled.
int chooseTrack(Dialogs* dialogs, const std::string& path,
                const std::vector<TrackChoice>& choices) {
    if (choices.size() == 1) return choices.front().track;
    ChoiceRequest request;
    request.title = "Import";
    request.prompt = "Which track of " + fileNameOnly(path) + " shall Lutavo open?";
    for (const TrackChoice& c : choices)
        request.items.push_back(c.label);
    request.preselected = static_cast<int>(preferredChoice(choices));
    const int chosen = dialogs != nullptr ? dialogs->chooseItem(request) : request.preselected;
    if (chosen < 0 || chosen >= static_cast<int>(choices.size())) return -1;
    return choices[static_cast<std::size_t>(chosen)].track;
}

}  // namespace

bool isImportFile(const std::string& path) {
    return isImportName(path);
}

bool importSong(Guitar& g, const std::string& path) {
    score::ReadResult read = readScoreFile(path);
    if (auto* failure = std::get_if<score::ImportFailure>(&read)) {
        showMessage(g, failure->message);
        return false;
    }
    const score::Score& piece = std::get<score::Score>(read);
    const std::vector<TrackChoice> choices = trackChoices(piece);
    if (choices.empty()) {
        showMessage(g, "The file " + path + " holds no track a guitar can play.");
        return false;
    }
    const int track = chooseTrack(g.sys.dialogs, path, choices);
    if (track < 0) return false;
    ImportedSong song = fitToSong(piece, track);
    if (song.title.empty()) song.title = std::filesystem::path(path).stem().string();
    std::vector<std::string> texts = songTexts(song, g.config.preferredSound);
    const std::string name = songNameFor(path, texts.size());
    g.song.songFile.clear();
    loadsong(g, name, texts.front());
    if (g.song.songFile != name) return false;
    std::vector<std::string> notes = importNotes(song);
    if (texts.size() > 1) {
        std::vector<std::string> names;
        for (std::size_t k = 0; k < texts.size(); ++k)
            names.push_back(partFileName(name, k, texts.size()));
        notes.insert(notes.begin(), partsNotice(path, names));
        g.app.importedParts = {std::move(texts), 0};
    }
    std::string text;
    for (const std::string& n : notes)
        text += (text.empty() ? "" : "\n\n") + n;
    if (!text.empty()) showMessage(g, text, "Import");
    return true;
}

ImportRun importToSongFiles(const std::string& in, const std::string& out, int track, int sound) {
    ImportRun run;
    score::ReadResult read = readScoreFile(in);
    if (auto* failure = std::get_if<score::ImportFailure>(&read)) {
        run.error = failure->message;
        return run;
    }
    const score::Score& piece = std::get<score::Score>(read);
    const std::vector<TrackChoice> choices = trackChoices(piece);
    if (choices.empty()) {
        run.error = "The file " + in + " holds no track a guitar can play.";
        return run;
    }
    int index = choices[preferredChoice(choices)].track;
    if (track != 0) {
        std::string numbers;
        index = -1;
        for (const TrackChoice& c : choices) {
            if (c.track + 1 == track) index = c.track;
            numbers += (numbers.empty() ? "" : ", ") + std::to_string(c.track + 1);
        }
        if (index < 0) {
            run.error = "The file " + in + " has no track " + std::to_string(track) +
                        " a guitar can play; its tracks are " + numbers + ".";
            return run;
        }
    }
    ImportedSong song = fitToSong(piece, index);
    if (song.title.empty()) song.title = std::filesystem::path(in).stem().string();
    const std::vector<std::string> texts = songTexts(song, sound);
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const std::string name = texts.size() > 1 ? partFileName(out, k, texts.size()) : out;
        if (sameFile(in, name) || !writeFileSafely(name, texts[k])) {
            run.error = "The song file " + name + " cannot be written.";
            return run;
        }
        run.written.push_back(name);
    }
    run.notes = importNotes(song);
    return run;
}

}  // namespace lutavo
