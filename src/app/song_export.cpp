// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/song_export.h"

#include <cstdio>
#include <variant>

#include "app/startup.h"
#include "base/safe_file.h"
#include "config/config_file.h"
#include "core/config_state.h"
#include "formats/musicxml_writer.h"
#include "playback/performance.h"
#include "playback/performer.h"
#include "playback/sound.h"
#include "print/musicxml_export.h"
#include "song/song_defaults.h"
#include "song/song_fields.h"
#include "song/song_model.h"
#include "tuning/pitch_table.h"

namespace lutavo {

namespace {

void complain(const std::string& text) {
    std::fprintf(stderr, "lutavo: %s\n", text.c_str());
}

// The configured sound; a song that names its style plays with that sound instead.
ConfigState exportConfig(const ExportRequest& request, const ParsedSong& parsed) {
    ConfigState config = configuredState(request.appFolder, request.userConfig);
    for (const HeaderEntry& entry : parsed.header)
        if (entry.key == "style=")
            config.preferredSound =
                headerNumber(entry.value, songlimits::kSoundLo, songlimits::kSoundHi);
    return config;
}

// The song as the window shows it when it is the first opened: the start-up settings, then
// what the file sets.
SongModel openSong(const std::string& path, const ParsedSong& parsed) {
    SongModel song;
    setSongDefaults(song);
    const std::size_t slash = path.rfind('/');
    song.songFolder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    resetSongFields(song);
    for (const HeaderEntry& entry : parsed.header)
        if (!namesFileElsewhere(entry)) applySongField(song, entry, parsed.currentFormat);
    storeSongNotes(song, parsed.notes);
    return song;
}

}  // namespace

ConfigState configuredState(const std::string& appFolder, const std::string& userConfig) {
    ConfigState config;
    const std::string path = configReadPath(userConfig, withTrailingSlash(appFolder));
    const ConfigFileRead read = readConfigFile(path, config);
    if (read.state == ConfigFileState::Missing)
        complain("The file " + path + " is missing. Lutavo goes on without it.");
    if (read.state == ConfigFileState::Invalid) complain("Invalid file " + path);
    return config;
}

std::optional<SoundRecording> recordSongFile(const ExportRequest& request) {
    const auto opened = openSongFile(request);
    if (!opened) return std::nullopt;
    const PlaybackSettings settings =
        songSettings(opened->song, soundOf(opened->config), pitchTableFor(opened->song.altTuning));
    return recordingOf(performance(opened->song, settings),
                       clickClipPath(withTrailingSlash(request.appFolder), opened->song));
}

std::optional<OpenedSong> openSongFile(const ExportRequest& request) {
    const auto read = readSongFile(request.song);
    if (const auto* failure = std::get_if<ReadFailure>(&read)) {
        complain(failure->message);
        return std::nullopt;
    }
    const ParsedSong& parsed = std::get<ParsedSong>(read);
    OpenedSong opened{openSong(request.song, parsed), exportConfig(request, parsed)};
    if (opened.song.noteCount < 1) {
        complain(request.song + " has no notes to play");
        return std::nullopt;
    }
    return opened;
}

bool outputIsFree(const ExportRequest& request) {
    if (!sameFile(request.song, request.output)) return true;
    complain(request.output + " is the song itself; nothing was written");
    return false;
}

void reportWritten(const std::string& path, long lengthMs) {
    std::printf("Wrote %s (%ld.%03ld s)\n", path.c_str(), lengthMs / 1000, lengthMs % 1000);
}

int exportMidi(const ExportRequest& request) {
    if (!outputIsFree(request)) return 1;
    const auto recording = recordSongFile(request);
    if (!recording) return 1;
    if (const WriteResult written = writeMidiFile(request.output, recording->messages); !written) {
        complain("cannot write " + request.output + ": " + written.problem);
        return 1;
    }
    reportWritten(request.output, recording->endMs);
    return 0;
}

int exportMusicXmlFile(const ExportRequest& request) {
    if (!outputIsFree(request)) return 1;
    const auto opened = openSongFile(request);
    if (!opened) return 1;
    const std::string score = musicXmlText(opened->song, scoreTexts(opened->song, opened->config));
    if (const WriteResult written = writeFileSafely(request.output, score); !written) {
        complain("cannot write " + request.output + ": " + written.problem);
        return 1;
    }
    std::printf("Wrote %s (%d notes)\n", request.output.c_str(),
                static_cast<int>(opened->song.noteCount));
    return 0;
}

}  // namespace lutavo
