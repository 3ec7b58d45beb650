#pragma once
// PRINT > Export MusicXML...: the song as a score other notation programs open.

#include <string>

namespace lutavo {

struct Guitar;
struct ConfigState;
struct MusicXmlTexts;
struct SongModel;

// The texts above the page and the General MIDI program of the configured sound.
MusicXmlTexts scoreTexts(const SongModel& song, const ConfigState& config);

// The song in memory as MusicXML text, with its texts and the sound in use.
std::string songMusicXml(const Guitar& g);

// Writes songMusicXml to path; false when the file cannot be written.
bool exportMusicXml(const Guitar& g, const std::string& path);

// Asks for a file beside the song, under its name, and writes it; a failure is reported.
void mnuExportMusicXml_Click(Guitar& g);

}  // namespace lutavo
