// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A song played without a window, as the command line's exports play it: the song file is read
// into a song model of its own, the configuration gives the sound, and the performance of the
// song is what the files hold. No picture is drawn and no window state is made.

#include <optional>
#include <string>

#include "core/config_state.h"
#include "playback/midi_file.h"
#include "song/song_model.h"

namespace lutavo {

struct ExportRequest {
    std::string song;        // the song file to play
    std::string output;      // the file to write, or the recorded take to score
    std::string appFolder;   // the program's data folder (clicks, default configuration)
    std::string userConfig;  // the user's configuration file
    std::string range;       // the notes a take is scored on ("A-B"); empty for all
};

// The configuration in the user's file, else the program's; a missing or damaged file is told on
// standard error.
ConfigState configuredState(const std::string& appFolder, const std::string& userConfig);

// The song opened by itself and played once from its first note to its end with the configured
// sound (or the one the song names), without lead-in or repeats, at its tempo. Nothing when it
// cannot be played; the reason, in words for the user, goes to standard error.
std::optional<SoundRecording> recordSongFile(const ExportRequest& request);

struct OpenedSong {
    SongModel song;
    ConfigState config;
};

// The song file read with the configuration that plays it; nothing, after the reason went to
// standard error, when it cannot be read or holds no notes.
std::optional<OpenedSong> openSongFile(const ExportRequest& request);

// False, with the reason on standard error, when the output is the song file itself.
bool outputIsFree(const ExportRequest& request);

// "Wrote <path> (<seconds> s)" on standard output.
void reportWritten(const std::string& path, long lengthMs);

// Writes the song's MIDI file; returns the program's exit code.
int exportMidi(const ExportRequest& request);

// Writes the song as a MusicXML score; returns the program's exit code.
int exportMusicXmlFile(const ExportRequest& request);

}  // namespace lutavo
